// The calculation run of the main window: working indicator, message pane, safety margin label,
// cancelling, and jumping from a message to its place in the text.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <exception>

#include "engine/calc_engine.h"
#include "input/zub_file.h"
#include "reports/ui/results_window.h"
#include "input/calc_run.h"
#include "shell/message_jump.h"
#include "shell/ui/command_memo.h"
#include "shell/ui/main_window.h"

namespace pelmora {

void TQORJrForm::actCalculateExecute() {
  if (FCalculating) {
    // A request during a run only brings the results back to the front.
    ShowResultWindows();
    CommandMemo->setFocus();
    return;
  }
  if (CommandMemo->Empty()) return;
  DiscardResults();
  FCalculating = true;
  CommandMemo->setReadOnly(true);
  UpdateActions();
  MemoErrors->clear();
  FWorkTick = false;
  WorkTimer->start();
  TRunResult result;
  try {
    result = Run(CommandMemo->Lines(), *FProject,
                                [] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
  } catch (const std::exception& error) {
    result.Messages.push_back(std::string("Calculation failed: ") + error.what());
    result.Success = false;
  }
  FEngine = std::move(result.Engine);
  FProject->FEngine = FEngine.get();
  QStringList messages;
  for (const std::string& line : result.Messages) messages << QString::fromStdString(line);
  MemoErrors->setPlainText(messages.join('\n'));
  MemoErrors->moveCursor(QTextCursor::Start);
  MemoErrors->ensureCursorVisible();
  MemoErrors->setFocus();
  WorkTimer->stop();
  FCalculating = false;
  CommandMemo->setReadOnly(false);
  if (result.Success && FEngine != nullptr) {
    ShowLastCalc(*FEngine);
    frmResults->SetCalculation(FEngine.get(), FProject.get());
  } else {
    labelLastCalc->hide();
  }
  UpdateActions();
  ShowResultWindows();
  if (FCloseRequested) {
    FCloseRequested = false;
    close();
  }
}

bool TQORJrForm::CancelCalculation() {
  if (!FCalculating || FProject->FEngine == nullptr) return false;
  FProject->FEngine->FCancel = true;
  return true;
}

void TQORJrForm::WorkTimerTimer() {
  labelLastCalc->setVisible(true);
  labelLastCalc->setText(FWorkTick ? "\\ Working ..." : "/ Working ...");
  FWorkTick = !FWorkTick;
}

// The engine holds the margin in the project's units; red when the supply falls short.
void TQORJrForm::ShowLastCalc(const TCalcEngine& engine) {
  const int unit = FProject->Units.Pressure;
  const double margin = ConvertPressure(engine.FMargin, engine.FInputUnits.Pressure, unit);
  labelLastCalc->setText(QString::fromStdString(FormatPressure(unit, margin) + " " + PressureWord(unit)));
  QPalette palette = labelLastCalc->palette();
  palette.setColor(QPalette::WindowText, margin < 0 ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
  labelLastCalc->setPalette(palette);
  labelLastCalc->setVisible(true);
}

void TQORJrForm::ShowResultWindows() {
  const bool results = FEngine != nullptr && FEngine->FCalcOK && !FCalculating;
  if (!results) {
    frmResults->hide();
    CommandMemo->setFocus();
    return;
  }
  if (frmResults->isVisible()) frmResults->Refresh();
  CommandMemo->setFocus();
  frmResults->ShowResults();
}

void TQORJrForm::MemoErrorsJump(int messageLine) {
  if (FCalculating || MemoErrors->document()->isEmpty()) return;
  const std::optional<TJumpTarget> target = MessageJumpTarget(FEngine.get(), *FProject, messageLine);
  if (target) CommandMemo->SelectInLine(target->Line, target->Column, target->Length);
  CommandMemo->setFocus();
}

}  // namespace pelmora
