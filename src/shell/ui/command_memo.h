// TCommandMemo: the command-text editor of the main window (fixed-pitch, tabs as five spaces).
#pragma once

#include <Qsci/qsciscintilla.h>

#include <string>
#include <vector>

namespace pelmora {

class TCommandMemo : public QsciScintilla {
  Q_OBJECT
 public:
  explicit TCommandMemo(QWidget* parent = nullptr);

  // The editor lines without line ends and without trailing blanks.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  bool Empty() const { return length() == 0; }
  // Selects characters of a line (length -1: the whole line) with the caret at the end.
  void SelectInLine(int line, int column, int length);
  void ClearUndo();

 signals:
  // Files dropped onto the editor; text drops are edits as usual.
  void FilesDropped(const QStringList& fileNames);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void RemoveKeyBindings();
};

// Text of the project to the editor and back: UTF-8 when the bytes are UTF-8, otherwise the
// single-byte code page of older files, so that no character of a file is lost on the way.
QString EditorText(const std::string& bytes);
std::string FileText(const QString& text);

}  // namespace pelmora
