// TQORJrForm: the main window: command editor, message pane, names pane, menus, tool bar, the
// file commands and the calculation run.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "reports/results_settings.h"
#include "shell/ui/shell_dialogs.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTextEdit;
class QTimer;
class QToolBar;

namespace pelmora {

class TCalcEngine;
class TCommandMemo;
class TZubFile;
class TfrmResults;

class TQORJrForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TQORJrForm(TShellDialogs dialogs = StandardDialogs(), QWidget* parent = nullptr);
  ~TQORJrForm() override;

  QAction* Action(const QString& name) const { return FActions.value(name); }
  const std::string& FileName() const { return FFileName; }
  const TZubFile& Project() const { return *FProject; }
  const TCalcEngine* Engine() const { return FEngine.get(); }
  bool Calculating() const { return FCalculating; }
  bool Modified() const;

  // File commands; false when the user cancelled or the file could not be read or written.
  bool FileNew();
  bool FileOpen();
  bool FileSave();
  bool FileSaveAs();
  bool OpenFile(const QString& fileName);
  bool DropFiles(const QStringList& fileNames);
  void OpenCommandLine(const std::vector<std::string>& arguments);
  bool CopyPropertiesFrom();
  bool SaveTextReport();

  void actCalculateExecute();
  // Sets the running calculation's cancel flag; false when none runs.
  bool CancelCalculation();
  void UpdateActions();
  void CommandMemoParse();
  void MemoErrorsJump(int messageLine);
  void ShowHelp(int context);

  TCommandMemo* CommandMemo;
  QPlainTextEdit* MemoErrors;
  QTextEdit* UndefinedEdit;
  QWidget* LiveLook;
  QLabel* LiveLookText;
  QLabel* LiveLookLabel;
  QLabel* labelLastCalc;
  QToolBar* ToolBar1;
  QSplitter* Splitter1;
  QTimer* WorkTimer;
  TfrmResults* frmResults;
  QMenu* InsertMenu;
  QMenu* QuickStartMenu;
  QMenu* PopupEditMenu;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateLayout();
  void CreateMenus();
  void CreateToolBar();
  void ConnectActions();
  QMenu* AddMenu(QMenu* menu, const std::vector<const char*>& items);
  bool SavePrompt(const QString& question);
  bool LoadProject(const QString& fileName);
  bool WriteProject(const QString& fileName);
  void SetTitle();
  void DiscardResults();
  void ShowResultWindows();
  void ShowLastCalc(const TCalcEngine& engine);
  void WorkTimerTimer();
  void RebuildNamesPane();
  void EditAction(const char* slot);
  void ShowAbout();
  QString RememberedFolder() const;

  TShellDialogs FDialogs;
  QHash<QString, QAction*> FActions;
  std::unique_ptr<TZubFile> FProject;
  std::unique_ptr<TCalcEngine> FEngine;
  TResultsSettings FResultsSettings;
  std::string FFileName;
  std::string FRememberedFolder;
  bool FCalculating = false;
  bool FCloseRequested = false;
  bool FParsing = false;
  bool FFirstShow = true;
  bool FWorkTick = false;
};

}  // namespace pelmora
