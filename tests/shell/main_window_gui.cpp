// The main window driven on the offscreen platform: open, calculate, read the grids, save as,
// re-open; cancelling; files that cannot be read or written; the actions' enabling.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>

#include "engine/calc_engine.h"
#include "input/calc_run.h"
#include "input/zub_file.h"
#include "reports/ui/results_window.h"
#include "shell/ui/command_memo.h"
#include "shell/ui/main_window.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(PELMORA_SOURCE_DIR) / "examples";

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

// The row of a grid whose first column reads text, or -1.
int RowOf(const TQorGrid& grid, const QString& text) {
  for (int row = 0; row < grid.Grid().RowCount(); ++row)
    if (grid.Grid().Cell(0, row) == text) return row;
  return -1;
}

class MainWindow : public ::testing::Test {
 protected:
  fs::path Folder;
  std::deque<QMessageBox::StandardButton> Answers;  // answers to the next questions, Cancel when none
  QStringList Questions, Errors;
  QString NextOpen, NextSave;
  std::unique_ptr<TQORJrForm> Window;

  void SetUp() override {
    Folder = fs::temp_directory_path() / ("pelmora_gui_" + std::to_string(::getpid()) + "_" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Folder);
    fs::create_directories(Folder);
    TShellDialogs dialogs;
    dialogs.Ask = [this](QWidget*, const QString&, const QString& text) {
      Questions << text;
      if (Answers.empty()) return QMessageBox::Cancel;
      const QMessageBox::StandardButton answer = Answers.front();
      Answers.pop_front();
      return answer;
    };
    dialogs.ShowError = [this](QWidget*, const QString& text) { Errors << text; };
    dialogs.OpenFile = [this](QWidget*, const QString&, const QString&, const QString&) { return NextOpen; };
    dialogs.SaveFile = [this](QWidget*, const QString&, const QString&, const QString&, const QString&) {
      return NextSave;
    };
    Window = std::make_unique<TQORJrForm>(dialogs);
    Window->resize(900, 650);
    Window->show();
  }

  void TearDown() override {
    Window->CommandMemo->setModified(false);
    Window.reset();
    fs::remove_all(Folder);
  }

  fs::path Copy(const std::string& example) {
    const fs::path target = Folder / example;
    fs::copy_file(kExamples / example, target, fs::copy_options::overwrite_existing);
    return target;
  }

  void Open(const fs::path& file) {
    NextOpen = Q(file);
    ASSERT_TRUE(Window->FileOpen());
  }

  // An edit, then the window's change handling that follows it.
  template <typename Change>
  void Edit(Change change) {
    change();
    QApplication::processEvents();
  }

  void Calculate() { Window->Action("actCalculate")->trigger(); }
  QString Summary(const QString& label) const {
    const TQorGrid& grid = *Window->frmResults->grSummary;
    return grid.Grid().Cell(1, RowOf(grid, label));
  }
};

TEST_F(MainWindow, OpenCalculateReadTheGridsSaveAsAndReopen) {
  Open(Copy("first.txt"));
  EXPECT_EQ(Window->windowTitle(), "ZUB Editor - first");
  EXPECT_FALSE(Window->Modified());
  EXPECT_FALSE(Window->Action("actFileSave")->isEnabled());
  ASSERT_TRUE(Window->Action("actCalculate")->isEnabled());
  EXPECT_FALSE(Window->Action("actViewResults")->isEnabled());

  Calculate();
  const TCalcEngine* engine = Window->Engine();
  ASSERT_NE(engine, nullptr);
  ASSERT_TRUE(engine->FCalcOK) << Window->MemoErrors->toPlainText().toStdString();
  EXPECT_TRUE(Window->frmResults->isVisible());
  EXPECT_TRUE(Window->Action("actViewResults")->isEnabled());

  // The same numbers as the headless run of the command-line program.
  TZubFile project;
  const TRunResult headless = pelmora::Run(Window->CommandMemo->Lines(), project);
  ASSERT_TRUE(headless.Success);
  const QString margin = QString::fromStdString(FormatPressure(0, headless.Engine->FMargin)) + " psi";
  EXPECT_EQ(Summary("Safety Margin"), margin);
  EXPECT_EQ(Window->labelLastCalc->text(), margin);
  EXPECT_TRUE(Window->labelLastCalc->isVisible());
  const TQorGrid& nodes = *Window->frmResults->grNodes;
  const int head = RowOf(nodes, "N1");
  ASSERT_GE(head, 2);
  EXPECT_EQ(nodes.Grid().Cell(5, head).toStdString(),
            FormatPressure(0, headless.Engine->FindNode("N1")->Pressure));
  EXPECT_EQ(nodes.Grid().Cell(5, 0), "Pt");
  EXPECT_EQ(nodes.Grid().Cell(5, 1), "psi");

  Edit([&] { Window->CommandMemo->append("// checked\n"); });
  EXPECT_TRUE(Window->Modified());
  EXPECT_TRUE(Window->Action("actFileSave")->isEnabled());
  NextSave = Q(Folder / "saved.zub");
  ASSERT_TRUE(Window->FileSaveAs());
  EXPECT_EQ(Window->windowTitle(), "ZUB Editor - saved");
  EXPECT_FALSE(Window->Modified());
  const std::vector<std::string> saved = Window->CommandMemo->Lines();

  ASSERT_TRUE(Window->FileNew());
  EXPECT_TRUE(Window->CommandMemo->Empty());
  EXPECT_EQ(Window->Engine(), nullptr);
  EXPECT_FALSE(Window->frmResults->isVisible());
  Open(Folder / "saved.zub");
  EXPECT_EQ(Window->CommandMemo->Lines(), saved);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
}

TEST_F(MainWindow, EscapeDuringTheRunCancelsItAndHidesTheResults) {
  Open(Copy("warehouse_grid.txt"));
  QCoreApplication::postEvent(Window->CommandMemo, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  Calculate();
  ASSERT_NE(Window->Engine(), nullptr);
  EXPECT_FALSE(Window->Engine()->FCalcOK);
  EXPECT_TRUE(Window->MemoErrors->toPlainText().contains("Calculation cancelled."))
      << Window->MemoErrors->toPlainText().toStdString();
  EXPECT_FALSE(Window->frmResults->isVisible());
  EXPECT_FALSE(Window->labelLastCalc->isVisible());
  EXPECT_FALSE(Window->Calculating());
  EXPECT_TRUE(Window->Action("actCalculate")->isEnabled());
  EXPECT_FALSE(Window->CommandMemo->isReadOnly());
}

TEST_F(MainWindow, ClosingDuringTheRunCancelsItAndClosesWhenItHasEnded) {
  Open(Copy("warehouse_grid.txt"));
  QMetaObject::invokeMethod(Window.get(), &QWidget::close, Qt::QueuedConnection);
  Calculate();
  EXPECT_TRUE(Window->MemoErrors->toPlainText().contains("Calculation cancelled."));
  EXPECT_FALSE(Window->isVisible());
}

TEST_F(MainWindow, AFileThatCannotBeReadChangesNothing) {
  Open(Copy("first.txt"));
  Edit([&] { Window->CommandMemo->append("Node N2 5\n"); });
  const std::vector<std::string> text = Window->CommandMemo->Lines();
  const fs::path bad = Folder / "later.zub";
  std::ofstream(bad, std::ios::binary) << "<TZUB 3 0>\r\n<BODY>\r\nHead H1 10 15 5.6\r\n";

  Answers = {QMessageBox::No};
  NextOpen = Q(bad);
  EXPECT_FALSE(Window->FileOpen());
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains(Q(bad)));
  EXPECT_TRUE(Errors[0].contains("unknown format 3"));
  EXPECT_EQ(Window->CommandMemo->Lines(), text);
  EXPECT_TRUE(Window->Modified());
  EXPECT_EQ(Window->windowTitle(), "ZUB Editor - first");

  EXPECT_FALSE(Window->DropFiles({Q(Folder / "absent.zub")}));  // the unsaved text is asked about first
  EXPECT_EQ(Questions.last(), "Save changes?");
  EXPECT_EQ(Window->CommandMemo->Lines(), text);
}

TEST_F(MainWindow, AFailedSaveKeepsTheTextTheNameAndTheModifiedFlag) {
  Open(Copy("first.txt"));
  Edit([&] { Window->CommandMemo->append("Node N2 5\n"); });
  NextSave = Q(Folder / "no such folder" / "job.zub");
  EXPECT_FALSE(Window->FileSaveAs());
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains("job.zub"));
  EXPECT_TRUE(Window->Modified());
  EXPECT_EQ(Window->FileName(), (Folder / "first.txt").string());

  // Overwriting needs a Yes.
  NextSave = Q(Folder / "first.txt");
  Answers = {QMessageBox::No};
  EXPECT_FALSE(Window->FileSaveAs());
  EXPECT_TRUE(Questions.last().startsWith("OK to overwrite "));
  EXPECT_TRUE(Window->Modified());
}

TEST_F(MainWindow, UnsavedTextIsAskedAboutBeforeNewAndClose) {
  Open(Copy("first.txt"));
  Edit([&] { Window->CommandMemo->append("Node N2 5\n"); });
  const std::vector<std::string> text = Window->CommandMemo->Lines();
  Answers = {QMessageBox::Cancel};
  EXPECT_FALSE(Window->FileNew());
  EXPECT_EQ(Window->CommandMemo->Lines(), text);
  Answers = {QMessageBox::Cancel};
  EXPECT_FALSE(Window->close());
  EXPECT_EQ(Questions.last(), "Save changes before exiting?");
  Answers = {QMessageBox::Yes};
  EXPECT_TRUE(Window->close());
  TZubFile reread;
  reread.LoadFromFile((Folder / "first.txt").string());
  EXPECT_EQ(reread.Body.back(), "");
  EXPECT_NE(std::find(reread.Body.begin(), reread.Body.end(), "Node N2 5"), reread.Body.end());
}

TEST_F(MainWindow, MessagesJumpToTheirPlaceAndTheNamesPaneListsUnknownNodes) {
  Open(Copy("mistakes.txt"));
  EXPECT_TRUE(Window->UndefinedEdit->isVisible());
  EXPECT_TRUE(Window->UndefinedEdit->toPlainText().startsWith("Undefined\nNodes\n"));
  Calculate();
  ASSERT_NE(Window->Engine(), nullptr);
  EXPECT_FALSE(Window->Engine()->FCalcOK);
  EXPECT_FALSE(Window->labelLastCalc->isVisible());
  const TCalcError& first = Window->Engine()->FErrors.front();
  Window->MemoErrorsJump(0);
  int line = 0, index = 0;
  Window->CommandMemo->getCursorPosition(&line, &index);
  if (first.Line >= 0) {
    EXPECT_EQ(line, first.Line);
    EXPECT_FALSE(Window->CommandMemo->selectedText().isEmpty());
  }
  const int count = Window->MemoErrors->document()->blockCount();
  Window->MemoErrorsJump(count + 5);
  Window->CommandMemo->getCursorPosition(&line, &index);
  EXPECT_EQ(line, 0);
}

TEST_F(MainWindow, LaterFeaturesAreShownButDisabledAndTheTextEndsWithAnEmptyLine) {
  for (const char* name : {"actReportPreview", "actFind", "actEquivK", "actDxfImport", "actQuickGrid",
                           "actZubOptions", "actViewDemand", "actPipeMaterialEditor"})
    EXPECT_FALSE(Window->Action(name)->isEnabled()) << name;
  EXPECT_EQ(Window->Action("actCalculate")->shortcut(), QKeySequence(Qt::Key_F4));
  EXPECT_EQ(Window->Action("actFileSave")->statusTip(), "Save current file");
  EXPECT_EQ(Window->Action("actFileSave")->toolTip(), "Save");
  EXPECT_EQ(Window->windowTitle(), "ZUB Editor - Untitled");
  EXPECT_FALSE(Window->CommandMemo->Empty());  // the starter text
  EXPECT_FALSE(Window->Modified());

  Edit([&] { Window->CommandMemo->setText("Water W 0 60 500 50"); });
  EXPECT_EQ(Window->CommandMemo->Lines(), (std::vector<std::string>{"Water W 0 60 500 50", ""}));
  Edit([&] { Window->CommandMemo->clear(); });
  EXPECT_FALSE(Window->Action("actCalculate")->isEnabled());
}

TEST_F(MainWindow, CommandLineHalvesOfAPathWithABlankOpenTheFile) {
  const fs::path spaced = Folder / "my job.txt";
  fs::copy_file(kExamples / "first.txt", spaced);
  Window->OpenCommandLine({(Folder / "my").string(), "job.txt"});
  EXPECT_EQ(Window->windowTitle(), "ZUB Editor - my job");
  EXPECT_EQ(Window->FileName(), spaced.string());
}

TEST_F(MainWindow, TextReportIsWrittenForASuccessfulCalculation) {
  Open(Copy("first.txt"));
  EXPECT_FALSE(Window->Action("actReportText")->isEnabled());
  Calculate();
  ASSERT_TRUE(Window->Action("actReportText")->isEnabled());
  NextSave = Q(Folder / "first report.txt");
  ASSERT_TRUE(Window->SaveTextReport()) << Errors.join("\n").toStdString();
  EXPECT_GT(fs::file_size(Folder / "first report.txt"), 0u);
}

// Pictures for a person to look at; they are written under the build folder.
TEST_F(MainWindow, Screenshots) {
  Open(Copy("tree_system.txt"));
  Calculate();
  ASSERT_TRUE(Window->Engine() && Window->Engine()->FCalcOK) << Window->MemoErrors->toPlainText().toStdString();
  QApplication::processEvents();
  const QDir folder(PELMORA_SCREENSHOT_DIR);
  ASSERT_TRUE(folder.mkpath("."));
  EXPECT_TRUE(Window->grab().save(folder.filePath("main_window.png")));
  EXPECT_TRUE(Window->frmResults->grab().save(folder.filePath("results_window.png")));
}

}  // namespace
}  // namespace pelmora
