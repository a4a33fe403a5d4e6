#include "shell/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/calc_engine.h"
#include "input/zub_file.h"
#include "reports/ui/results_window.h"
#include "shell/help_topics.h"
#include "shell/message_jump.h"
#include "shell/names_pane.h"
#include "shell/shell_texts.h"
#include "shell/ui/command_memo.h"
#include "shell/ui/main_actions.h"

namespace pelmora {

namespace {

constexpr int kBarHeight = 24;
constexpr int kNamesPaneWidth = 105;
constexpr int kMessagePaneHeight = 114;
constexpr int kPaneMinimum = 64;
constexpr int kWorkInterval = 250;
constexpr const char* kVersion = "2.3.8";

void SetTooltipColours(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
  widget->setPalette(palette);
}

}  // namespace

TQORJrForm::TQORJrForm(TShellDialogs dialogs, QWidget* parent)
    : QMainWindow(parent), FDialogs(std::move(dialogs)), FProject(std::make_unique<TZubFile>()) {
  setObjectName("QORJrForm");
  FActions = CreateActions(this);
  CreateLayout();
  CreateMenus();
  CreateToolBar();
  ConnectActions();
  frmResults = new TfrmResults(FResultsSettings, this);
  FFileName = kUntitled;
  SetTitle();
  Action("actLiveLook")->setChecked(true);
  qApp->installEventFilter(this);
  resize(800, 600);
  UpdateActions();
}

TQORJrForm::~TQORJrForm() {
  qApp->removeEventFilter(this);
  frmResults->SetCalculation(nullptr, nullptr);
}

void TQORJrForm::CreateLayout() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  LiveLook = new QWidget(central);
  LiveLook->setObjectName("LiveLook");
  LiveLook->setFixedHeight(kBarHeight);
  LiveLook->setToolTip("LiveLook information bar");
  auto* bar = new QHBoxLayout(LiveLook);
  bar->setContentsMargins(4, 0, 0, 0);
  LiveLookText = new QLabel(LiveLook);
  QFont bold = LiveLookText->font();
  bold.setBold(true);
  LiveLookText->setFont(bold);
  labelLastCalc = new QLabel(LiveLook);
  labelLastCalc->setObjectName("labelLastCalc");
  labelLastCalc->setFont(bold);
  labelLastCalc->hide();
  LiveLookLabel = new QLabel(" LiveLook ", LiveLook);
  LiveLookLabel->setAutoFillBackground(true);
  QPalette highlight = LiveLookLabel->palette();
  highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
  highlight.setColor(QPalette::WindowText, highlight.color(QPalette::HighlightedText));
  LiveLookLabel->setPalette(highlight);
  bar->addWidget(LiveLookText, 1);
  bar->addWidget(labelLastCalc);
  bar->addSpacing(8);
  bar->addWidget(LiveLookLabel);
  layout->addWidget(LiveLook);

  Splitter1 = new QSplitter(Qt::Vertical, central);
  Splitter1->setHandleWidth(4);
  Splitter1->setChildrenCollapsible(false);
  auto* editorPanel = new QWidget(Splitter1);
  auto* editorLayout = new QHBoxLayout(editorPanel);
  editorLayout->setContentsMargins(0, 0, 0, 0);
  editorLayout->setSpacing(0);
  CommandMemo = new TCommandMemo(editorPanel);
  CommandMemo->setObjectName("CommandMemo");
  UndefinedEdit = new QTextEdit(editorPanel);
  UndefinedEdit->setObjectName("UndefinedEdit");
  UndefinedEdit->setReadOnly(true);
  UndefinedEdit->setFixedWidth(kNamesPaneWidth);
  UndefinedEdit->setToolTip("undefined and unused nodes list");
  SetTooltipColours(UndefinedEdit);
  UndefinedEdit->hide();
  editorLayout->addWidget(CommandMemo, 1);
  editorLayout->addWidget(UndefinedEdit);

  MemoErrors = new QPlainTextEdit(Splitter1);
  MemoErrors->setObjectName("MemoErrors");
  MemoErrors->setReadOnly(true);
  MemoErrors->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoErrors->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoErrors->setToolTip("message and warning list");
  MemoErrors->setMinimumHeight(kPaneMinimum);
  SetTooltipColours(MemoErrors);
  MemoErrors->viewport()->installEventFilter(this);
  editorPanel->setMinimumHeight(kPaneMinimum);
  Splitter1->addWidget(editorPanel);
  Splitter1->addWidget(MemoErrors);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setSizes({400, kMessagePaneHeight});
  layout->addWidget(Splitter1, 1);
  setCentralWidget(central);

  statusBar()->setFixedHeight(30);
  WorkTimer = new QTimer(this);
  WorkTimer->setInterval(kWorkInterval);
  connect(WorkTimer, &QTimer::timeout, this, &TQORJrForm::WorkTimerTimer);
}

QMenu* TQORJrForm::AddMenu(QMenu* menu, const std::vector<const char*>& items) {
  for (const char* item : items) {
    if (*item == '-')
      menu->addSeparator();
    else
      menu->addAction(Action(item));
  }
  return menu;
}

void TQORJrForm::CreateMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu("&File");
  AddMenu(file, {"actFileNew", "actFileOpen", "actFileSave", "actFileSaveAs", "-", "actCalculate", "-",
                 "actPrintFile", "-", "actFileProperties", "actImportFileProperties", "-", "actFileExit"});
  const std::vector<const char*> changeItems{"actChangeDischarge", "actChangeElevation", "actChangeK",
                                             "actChangeLength", "actChangeSize"};
  QMenu* edit = bar->addMenu("&Edit");
  AddMenu(edit, {"actEditUndo", "acteditRedo", "-", "actEditCut", "actEditCopy", "actEditPaste", "-", "actEquivK"});
  QMenu* change = AddMenu(edit->addMenu("C&hange"), changeItems);
  AddMenu(change, {"actHeadToNode", "actNodeToHead", "actToggleComment"});
  AddMenu(edit, {"-", "actFind", "actFindAgain", "actReplace", "-", "actCalcOptions"});
  Action("actFindAgain")->setText("&Search Again");

  QMenu* tools = bar->addMenu("&Tools");
  QuickStartMenu = new QMenu("Quick Start", this);
  AddMenu(QuickStartMenu, {"actQuickTree", "actQuickCenterTree", "actQuickGrid", "actQuickSource"});
  tools->addMenu(QuickStartMenu);
  tools->addSeparator();
  AddMenu(tools->addMenu("&Materials"), {"actPipeMaterialEditor", "actFittingEditor", "actLiquidEditor"});
  tools->addSeparator();
  AddMenu(tools->addMenu("DXF Files"), {"actDxfImport", "actDxfUpdate", "-", "actDxfOptions"});
  AddMenu(tools, {"-", "actLiveLook", "actProposals", "-", "actZubOptions"});

  InsertMenu = bar->addMenu("&Insert");
  AddMenu(bar->addMenu("&View"), {"actViewEditor", "actViewResults", "-", "actViewDemand", "actViewFlowGraph"});
  QMenu* report = bar->addMenu("&Report");
  AddMenu(report, {"actReportPrint", "actReportPreview", "-", "actPrintSetup", "-"});
  AddMenu(report->addMenu("Save &as ..."), {"actReportHtml", "actReportPdf", "actReportText"});
  AddMenu(report, {"-", "actReportOptions"});
  AddMenu(bar->addMenu("&Help"),
          {"actHelpContents", "-", "actHelpEmail", "actUpdateCheck", "actHelpWWW", "-", "actHelpAbout"});

  PopupEditMenu = new QMenu(this);
  AddMenu(PopupEditMenu, {"actEditUndo", "acteditRedo", "-", "actEditCut", "actEditCopy", "actEditPaste", "-"});
  AddMenu(PopupEditMenu->addMenu("C&hange"), changeItems);
  CommandMemo->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(CommandMemo, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupEditMenu->popup(CommandMemo->mapToGlobal(at)); });
}

void TQORJrForm::CreateToolBar() {
  ToolBar1 = addToolBar("tool bar");
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setToolTip("tool bar");
  ToolBar1->setFixedHeight(kBarHeight + 6);
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  const std::vector<std::pair<const char*, QStyle::StandardPixmap>> icons{
      {"actFileNew", QStyle::SP_FileIcon},         {"actFileOpen", QStyle::SP_DialogOpenButton},
      {"actFileSave", QStyle::SP_DialogSaveButton}, {"actFileProperties", QStyle::SP_FileDialogInfoView},
      {"actEditUndo", QStyle::SP_ArrowBack},        {"acteditRedo", QStyle::SP_ArrowForward},
      {"actCalculate", QStyle::SP_MediaPlay},       {"actReportPreview", QStyle::SP_FileDialogContentsView},
  };
  for (const auto& [name, icon] : icons) Action(name)->setIcon(style()->standardIcon(icon));
  const auto add = [this](std::initializer_list<const char*> names) {
    for (const char* name : names) ToolBar1->addAction(Action(name));
  };
  add({"actFileNew", "actFileOpen", "actFileSave", "actFileProperties"});
  ToolBar1->addSeparator();
  add({"actEditUndo", "acteditRedo"});
  ToolBar1->addSeparator();
  add({"actEditCut", "actEditCopy", "actEditPaste"});
  ToolBar1->addSeparator();
  auto* quickStart = new QToolButton(ToolBar1);
  quickStart->setText("Quick Start");
  quickStart->setToolTip("quick start");
  quickStart->setMenu(QuickStartMenu);
  quickStart->setPopupMode(QToolButton::InstantPopup);
  ToolBar1->addWidget(quickStart);
  ToolBar1->addSeparator();
  add({"actCalculate", "actReportPreview", "actReportPrint"});
}

void TQORJrForm::ConnectActions() {
  const auto on = [this](const char* name, auto handler) { connect(Action(name), &QAction::triggered, this, handler); };
  on("actFileNew", [this] { FileNew(); });
  on("actFileOpen", [this] { FileOpen(); });
  on("actFileSave", [this] { FileSave(); });
  on("actFileSaveAs", [this] { FileSaveAs(); });
  on("actFileExit", [this] { close(); });
  on("actEditCut", [this] { EditAction("cut"); });
  on("actEditCopy", [this] { EditAction("copy"); });
  on("actEditPaste", [this] { EditAction("paste"); });
  on("actEditUndo", [this] { CommandMemo->undo(); });
  on("acteditRedo", [this] { CommandMemo->redo(); });
  on("actCalculate", [this] { actCalculateExecute(); });
  on("actViewEditor", [this] { CommandMemo->setFocus(); });
  on("actViewResults", [this] { frmResults->ShowResults(); });
  on("actReportText", [this] { SaveTextReport(); });
  on("actImportFileProperties", [this] { CopyPropertiesFrom(); });
  on("actHelpContents", [this] { statusBar()->showMessage("Help contents: zub20.chm (no help viewer on this system)"); });
  on("actHelpAbout", [this] { ShowAbout(); });
  connect(Action("actLiveLook"), &QAction::toggled, LiveLook, &QWidget::setVisible);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { ShowHelp(kEditorHelpContext); });
  auto* editorHelp = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1), CommandMemo);
  connect(editorHelp, &QShortcut::activated, this, [this] { ShowHelp(kEditorHelpContext); });

  // Queued: the editor must not be changed while it reports a change.
  connect(CommandMemo, &QsciScintilla::textChanged, this, &TQORJrForm::CommandMemoParse, Qt::QueuedConnection);
  connect(CommandMemo, &QsciScintilla::modificationChanged, this, [this] { UpdateActions(); });
  connect(CommandMemo, &QsciScintilla::selectionChanged, this, [this] { UpdateActions(); });
  connect(CommandMemo, &TCommandMemo::FilesDropped, this, [this](const QStringList& files) { DropFiles(files); });
}

bool TQORJrForm::Modified() const { return CommandMemo->isModified(); }

void TQORJrForm::UpdateActions() {
  const bool idle = !FCalculating;
  const bool results = FEngine != nullptr && FEngine->FCalcOK && FEngine->FCalcDone;
  for (const char* name : {"actFileNew", "actFileOpen", "actFileSaveAs", "actImportFileProperties", "actEditCut",
                           "actEditPaste"})
    Action(name)->setEnabled(idle);
  Action("actFileSave")->setEnabled(idle && Modified());
  Action("actEditUndo")->setEnabled(idle && CommandMemo->isUndoAvailable());
  Action("acteditRedo")->setEnabled(idle && CommandMemo->isRedoAvailable());
  Action("actCalculate")->setEnabled(idle && !CommandMemo->Empty());
  for (const char* name : {"actViewEditor", "actViewResults", "actReportText"})
    Action(name)->setEnabled(idle && results);
  if (!results && !FCalculating) frmResults->hide();
}

void TQORJrForm::EditAction(const char* slot) {
  if (QWidget* focused = QApplication::focusWidget()) QMetaObject::invokeMethod(focused, slot);
}

void TQORJrForm::SetTitle() { setWindowTitle(QString::fromStdString(WindowTitle(FFileName))); }

// The text always ends with an empty line; the project rescans the whole text after each edit.
void TQORJrForm::CommandMemoParse() {
  if (FParsing || FCalculating) return;
  FParsing = true;
  const int last = CommandMemo->lines() - 1;
  if (!CommandMemo->Empty() && !CommandMemo->text(last).isEmpty()) {
    // Appended outside the undo history, so that undoing an edit cannot be undone by this line end.
    CommandMemo->SendScintilla(QsciScintilla::SCI_SETUNDOCOLLECTION, 0UL);
    CommandMemo->append("\n");
    CommandMemo->SendScintilla(QsciScintilla::SCI_SETUNDOCOLLECTION, 1UL);
  }
  FProject->ParseLines(CommandMemo->Lines());
  RebuildNamesPane();
  FParsing = false;
  UpdateActions();
}

void TQORJrForm::RebuildNamesPane() {
  const std::vector<TNamesPaneLine> lines =
      NamesPaneLines(FProject->FUndefinedNodes.Names(), FProject->FUnconnectedNodes.Names());
  UndefinedEdit->clear();
  QFont font = CommandMemo->font();
  UndefinedEdit->setFont(font);
  UndefinedEdit->setFixedWidth(std::max(kNamesPaneWidth, 10 * QFontMetrics(font).horizontalAdvance('A')));
  for (const TNamesPaneLine& line : lines) {
    QTextCharFormat format;
    format.setFontWeight(line.Bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(line.Underline);
    UndefinedEdit->setCurrentCharFormat(format);
    UndefinedEdit->append(QString::fromStdString(line.Text));
    UndefinedEdit->setAlignment(line.Centered ? Qt::AlignHCenter : Qt::AlignLeft);
  }
  UndefinedEdit->setVisible(!lines.empty());
}

void TQORJrForm::ShowHelp(int context) {
  const int topic = FCalculating ? context : EditorHelpContext(context, *FProject, [this] {
    int line = 0, index = 0;
    CommandMemo->getCursorPosition(&line, &index);
    return line;
  }());
  statusBar()->showMessage(QString("Help topic %1: %2").arg(topic).arg(QString::fromStdString(HelpPageName(topic))));
}

void TQORJrForm::ShowAbout() {
  QDialog about(this);
  about.setWindowTitle("About ZUB");
  auto* layout = new QVBoxLayout(&about);
  auto* caption = new QLabel(QString("  version  %1  installed").arg(kVersion), &about);
  caption->setFrameShape(QFrame::Panel);
  auto* text = new QTextBrowser(&about);
  text->setHtml(QString("<h3>Pelmora</h3><p>Hydraulic calculation of fire-sprinkler piping systems, version %1.</p>"
                        "<p>The editor is built on QScintilla, used under the GNU GPL.</p>")
                    .arg(kVersion));
  auto* buttons = new QDialogButtonBox(&about);
  buttons->addButton("&Close", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, &about, &QDialog::reject);
  layout->addWidget(caption);
  layout->addWidget(text);
  layout->addWidget(buttons);
  about.exec();
}

void TQORJrForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!FFirstShow) return;
  FFirstShow = false;
  if (CommandMemo->Empty()) {
    std::vector<std::string> starter = StarterLines();
    starter.emplace_back();
    CommandMemo->SetLines(starter);
    CommandMemo->setModified(false);
    CommandMemo->ClearUndo();
  }
  UpdateActions();
}

void TQORJrForm::closeEvent(QCloseEvent* event) {
  if (FCalculating) {
    // The run still uses the project: the window closes when the cancelled run has ended.
    CancelCalculation();
    FCloseRequested = true;
    event->ignore();
    return;
  }
  if (Modified()) {
    const QMessageBox::StandardButton answer = FDialogs.Ask(this, "Warning", "Save changes before exiting?");
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !FileSave())) {
      event->ignore();
      return;
    }
  }
  frmResults->close();
  event->accept();
}

bool TQORJrForm::eventFilter(QObject* watched, QEvent* event) {
  if (FCalculating && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
      CancelCalculation();
      return true;
    }
    if (key == Qt::Key_F4) {
      actCalculateExecute();
      return true;
    }
  }
  if (watched == MemoErrors->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    MemoErrorsJump(MemoErrors->cursorForPosition(mouse->position().toPoint()).blockNumber());
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace pelmora
