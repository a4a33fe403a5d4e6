// The file commands of the main window: new, open, save, save as, drop, command line, copy
// properties and the text report.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <exception>
#include <filesystem>

#include "engine/calc_engine.h"
#include "input/zub_file.h"
#include "materials/materials.h"
#include "reports/report_context.h"
#include "reports/report_options.h"
#include "reports/text_report.h"
#include "reports/ui/results_window.h"
#include "shell/copy_properties.h"
#include "shell/project_file.h"
#include "shell/shell_texts.h"
#include "shell/ui/command_memo.h"
#include "shell/ui/main_window.h"

namespace pelmora {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string FolderOf(const QString& fileName) { return QFileInfo(fileName).absolutePath().toStdString(); }

// The proposal of a file dialog: the remembered folder and the last name chosen in it.
QString Proposal(const QString& folder, const std::string& fileName) {
  if (fileName == kUntitled) return folder;
  return QDir(folder).filePath(QFileInfo(Q(fileName)).completeBaseName());
}

}  // namespace

QString TQORJrForm::RememberedFolder() const { return Q(FRememberedFolder); }

// Cancel stops the command; Yes must save before it goes on.
bool TQORJrForm::SavePrompt(const QString& question) {
  if (!Modified()) return true;
  switch (FDialogs.Ask(this, "Warning", question)) {
    case QMessageBox::Yes: return FileSave();
    case QMessageBox::No: return true;
    default: return false;
  }
}

void TQORJrForm::DiscardResults() {
  frmResults->hide();
  frmResults->SetCalculation(nullptr, nullptr);
  if (FProject->FEngine == FEngine.get()) FProject->FEngine = nullptr;
  FEngine.reset();
  UpdateActions();
}

// A project that cannot be read changes nothing: the editor keeps its text and the window its file.
bool TQORJrForm::LoadProject(const QString& fileName) {
  auto project = std::make_unique<TZubFile>();
  try {
    ReadProjectFile(fileName.toStdString(), *project);
  } catch (const std::exception& error) {
    FDialogs.ShowError(this, QString("Cannot open %1:\n%2").arg(fileName, Q(error.what())));
    return false;
  }
  DiscardResults();
  MemoErrors->clear();
  FProject = std::move(project);
  FFileName = QFileInfo(fileName).absoluteFilePath().toStdString();
  FRememberedFolder = FolderOf(fileName);
  CommandMemo->SetLines(FProject->Body);
  SetTitle();
  CommandMemo->setReadOnly(false);
  CommandMemo->setFocus();
  CommandMemo->setModified(false);
  CommandMemo->ClearUndo();
  labelLastCalc->clear();
  CommandMemo->setCursorPosition(0, 0);
  CommandMemo->ensureLineVisible(0);
  CommandMemoParse();
  return true;
}

// A failed write keeps the text and the modified flag, so the designer can save elsewhere.
bool TQORJrForm::WriteProject(const QString& fileName) {
  const std::vector<std::string> lines = CommandMemo->Lines();
  try {
    FProject->SaveToFile(fileName.toStdString(), &lines);
  } catch (const std::exception& error) {
    FDialogs.ShowError(this, QString("Cannot save %1:\n%2").arg(fileName, Q(error.what())));
    return false;
  }
  CommandMemo->setModified(false);
  UpdateActions();
  return true;
}

bool TQORJrForm::FileNew() {
  if (FCalculating || !SavePrompt("Save changes?")) return false;
  DiscardResults();
  FFileName = kUntitled;
  SetTitle();
  CommandMemo->clear();
  CommandMemo->setModified(false);
  CommandMemo->ClearUndo();
  labelLastCalc->clear();
  MemoErrors->clear();
  UndefinedEdit->hide();
  FProject = std::make_unique<TZubFile>();
  FProject->ResetProject();
  UpdateActions();
  return true;
}

bool TQORJrForm::FileOpen() {
  if (FCalculating || !SavePrompt("Save changes?")) return false;
  const QString fileName =
      FDialogs.OpenFile(this, "Open", Proposal(RememberedFolder(), FFileName), kProjectFilter);
  if (fileName.isEmpty()) return false;
  if (!QFileInfo(fileName).isFile()) {
    FDialogs.ShowError(this, QString("Cannot open %1:\nthe file does not exist").arg(fileName));
    return false;
  }
  return LoadProject(fileName);
}

bool TQORJrForm::OpenFile(const QString& fileName) { return !FCalculating && LoadProject(fileName); }

bool TQORJrForm::FileSave() {
  if (FCalculating) return false;
  if (FFileName == kUntitled) return FileSaveAs();
  return WriteProject(Q(FFileName));
}

bool TQORJrForm::FileSaveAs() {
  if (FCalculating) return false;
  const QString fileName =
      FDialogs.SaveFile(this, "Save As", Proposal(RememberedFolder(), FFileName), kProjectFilter, "zub");
  if (fileName.isEmpty()) return false;
  FRememberedFolder = FolderOf(fileName);
  if (QFileInfo::exists(fileName) &&
      FDialogs.Ask(this, "Confirm", QString("OK to overwrite %1").arg(QFileInfo(fileName).absoluteFilePath())) !=
          QMessageBox::Yes)
    return false;
  if (!WriteProject(fileName)) return false;
  FFileName = QFileInfo(fileName).absoluteFilePath().toStdString();
  SetTitle();
  return true;
}

bool TQORJrForm::DropFiles(const QStringList& fileNames) {
  if (FCalculating || fileNames.isEmpty() || !SavePrompt("Save changes?")) return false;
  return LoadProject(fileNames.first());
}

void TQORJrForm::OpenCommandLine(const std::vector<std::string>& arguments) {
  const std::string fileName = CommandLineFileName(arguments);
  if (!fileName.empty()) LoadProject(Q(fileName));
}

bool TQORJrForm::CopyPropertiesFrom() {
  if (FCalculating) return false;
  const QString fileName =
      FDialogs.OpenFile(this, "Copy File Properties From", Proposal(RememberedFolder(), FFileName), kProjectFilter);
  if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) return false;
  TZubFile other;
  try {
    ReadProjectFile(fileName.toStdString(), other);
  } catch (const std::exception& error) {
    FDialogs.ShowError(this, QString("Cannot open %1:\n%2").arg(fileName, Q(error.what())));
    return false;
  }
  DiscardResults();
  CopyProjectProperties(other, *FProject);
  FRememberedFolder = FolderOf(fileName);
  CommandMemoParse();
  CommandMemo->setModified(true);
  CommandMemo->ClearUndo();
  UpdateActions();
  return true;
}

bool TQORJrForm::SaveTextReport() {
  if (FCalculating || FEngine == nullptr || !FEngine->FCalcOK) return false;
  const QString proposal = FFileName == kUntitled ? RememberedFolder()
                                                  : QDir(RememberedFolder()).filePath(
                                                        QFileInfo(Q(FFileName)).completeBaseName() + ".txt");
  const QString fileName = FDialogs.SaveFile(this, "Save Report as Text", proposal, kTextReportFilter, "txt");
  if (fileName.isEmpty()) return false;
  if (QFileInfo::exists(fileName) &&
      FDialogs.Ask(this, "Confirm", QString("OK to overwrite %1").arg(QFileInfo(fileName).absoluteFilePath())) !=
          QMessageBox::Yes)
    return false;
  const TReportOptions options;
  const TReportContext context{*FEngine, *FProject, FEngine->FMaterials ? *FEngine->FMaterials : Materials(),
                               options, EquivKCalculations(*FProject), ""};
  std::string message;
  if (!WriteTextReport(context, fileName.toStdString(), &message)) {
    FDialogs.ShowError(this, QString("Cannot save %1:\n%2").arg(fileName, Q(message)));
    return false;
  }
  return true;
}

}  // namespace pelmora
