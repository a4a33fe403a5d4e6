#include "shell/ui/command_memo.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QStringConverter>
#include <QUrl>

namespace pelmora {

namespace {

constexpr int kTabWidth = 5;
constexpr int kFontPoints = 10;  // 13 pixels on a 96 dpi screen

// Editor keys that would shadow the window's own short cuts or that the designer never needs.
const QKeyCombination kRemovedKeys[] = {
    Qt::CTRL | Qt::Key_Backspace,           Qt::ALT | Qt::Key_Backspace,
    Qt::SHIFT | Qt::ALT | Qt::Key_Backspace, Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
    Qt::CTRL | Qt::Key_L,                    Qt::CTRL | Qt::SHIFT | Qt::Key_L,
    Qt::CTRL | Qt::Key_T,                    Qt::CTRL | Qt::SHIFT | Qt::Key_T,
    Qt::CTRL | Qt::Key_D,                    Qt::CTRL | Qt::Key_U,
    Qt::CTRL | Qt::SHIFT | Qt::Key_U,        Qt::CTRL | Qt::Key_N,
    Qt::CTRL | Qt::SHIFT | Qt::Key_Y,        Qt::CTRL | Qt::Key_R,
};

QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  return files;
}

}  // namespace

TCommandMemo::TCommandMemo(QWidget* parent) : QsciScintilla(parent) {
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(kFontPoints);
  setFont(font);
  // Without a highlighter the text is drawn in the default style, which needs the font too.
  SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, font.family().toUtf8().constData());
  SendScintilla(SCI_STYLESETSIZE, STYLE_DEFAULT, static_cast<long>(kFontPoints));
  SendScintilla(SCI_STYLECLEARALL);
  SendScintilla(SCI_SETSCROLLWIDTH, 1L);
  SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1L);
  setUtf8(true);
  setMarginWidth(0, 0);
  setMarginWidth(1, 0);
  setEdgeMode(QsciScintilla::EdgeNone);
  setTabWidth(kTabWidth);
  setIndentationsUseTabs(false);
  setEolMode(QsciScintilla::EolUnix);
  setWrapMode(QsciScintilla::WrapNone);
  setAcceptDrops(true);
  RemoveKeyBindings();
  // Ctrl+Y is redo here, as in the Edit menu.
  if (QsciCommand* redo = standardCommands()->find(QsciCommand::Redo)) redo->setKey((Qt::CTRL | Qt::Key_Y).toCombined());
}

void TCommandMemo::RemoveKeyBindings() {
  for (const QKeyCombination combination : kRemovedKeys) {
    const int key = combination.toCombined();
    while (QsciCommand* command = standardCommands()->boundTo(key)) {
      if (command->key() == key)
        command->setKey(0);
      else
        command->setAlternateKey(0);
    }
  }
}

std::vector<std::string> TCommandMemo::Lines() const {
  std::vector<std::string> lines;
  if (Empty()) return lines;
  const QStringList texts = text().split('\n');
  for (QString line : texts) {
    if (line.endsWith('\r')) line.chop(1);
    while (line.endsWith(' ') || line.endsWith('\t')) line.chop(1);
    lines.push_back(FileText(line));
  }
  return lines;
}

void TCommandMemo::SetLines(const std::vector<std::string>& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << EditorText(line);
  setText(texts.join('\n'));
}

void TCommandMemo::SelectInLine(int line, int column, int length) {
  if (line < 0 || line >= lines()) return;
  QString lineText = text(line);
  while (lineText.endsWith('\n') || lineText.endsWith('\r')) lineText.chop(1);
  const int start = length < 0 ? 0 : std::min<int>(column, lineText.size());
  const int end = length < 0 ? lineText.size() : std::min<int>(start + length, lineText.size());
  setSelection(line, start, line, end);
  ensureLineVisible(line);
}

void TCommandMemo::ClearUndo() { SendScintilla(SCI_EMPTYUNDOBUFFER); }

void TCommandMemo::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QsciScintilla::dragEnterEvent(event);
}

void TCommandMemo::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QsciScintilla::dragMoveEvent(event);
}

void TCommandMemo::dropEvent(QDropEvent* event) {
  const QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty()) {
    QsciScintilla::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
  emit FilesDropped(files);
}

QString EditorText(const std::string& bytes) {
  auto decoder = QStringDecoder(QStringDecoder::Utf8);
  const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return decoder.hasError() ? QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())) : text;
}

std::string FileText(const QString& text) { return text.toStdString(); }

}  // namespace pelmora
