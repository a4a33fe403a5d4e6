#include <string>

#include "input/builder.h"
#include "input/builder_messages.h"
#include "input/format_text.h"

namespace pelmora {

namespace {

// To the engine a device pressure is a loss: pump pressures are stored negated.
constexpr double kGain = -1;
constexpr double kLoss = 1;

}  // namespace

void TZubFile::Builder::PumpPipePass() { ForEachLine(cmPump, &Builder::ReadPumpPipe); }

void TZubFile::Builder::ReadPumpPipe() {
  const std::string number = std::to_string(PumpNumber++);
  auto pipe = std::make_unique<TPipe>();
  pipe->Name = "Pump" + number;
  pipe->NoFriction = true;
  pipe->Length = 0;
  pipe->Material = Project.FLineMaterial[Line];
  pipe->CFactor = Project.FLineCFactor[Line];
  pipe->Line = Line;
  SetPipeEnd(*pipe, 1, "pump suction node", true);
  SetPipeEnd(*pipe, 2, "pump discharge node", false);
  CheckParam(3, "elevation");
  auto curve = std::make_unique<TSpecial>();
  curve->Name = "Pump #" + number;
  curve->Kind = skPump;
  curve->Owner = pipe.get();
  curve->Line = Line;
  curve->Comment = PrecedingNote();
  curve->Flows = {0, 0};
  curve->Pressures = {0, 0};
  if (CheckParam(4, "churn pressure")) curve->Pressures[0] = kGain * Word(4).Value;
  const bool flow = CheckParam(5, "flow");
  if (CheckParam(6, "pressure") && flow) {
    curve->Flows[1] = Word(5).Value;
    curve->Pressures[1] = kGain * Word(6).Value;
  }
  ReadCurvePoints(*curve, 7, true);
  TPipe* added = pipe.get();
  if (Engine.AddPipe(std::move(pipe))) added->Devices.push_back(Engine.AddSpecial(std::move(curve)));
}

// Points from word first on, in pairs; a point whose words are not both valid stays at zero.
void TZubFile::Builder::ReadCurvePoints(TSpecial& curve, int first, bool negate) {
  const double sign = negate ? kGain : kLoss;
  for (int k = first; HasParameter(k); k += 2) {
    curve.Flows.push_back(0);
    curve.Pressures.push_back(0);
    const bool flow = CheckParam(k, "flow");
    if (CheckParam(k + 1, "pressure") && flow) {
      curve.Flows.back() = Word(k).Value;
      curve.Pressures.back() = sign * Word(k + 1).Value;
    }
  }
}

void TZubFile::Builder::CurveDevicePass() {
  for (Line = 0; Line < static_cast<int>(Project.FTokens.size()); ++Line) {
    const int command = CommandOf(Line);
    if (command == cmBP || command == cmBFP) ReadCurveDevice(command);
  }
}

// A device goes into a pipe that exists; without it the curve would hang in no pipe.
void TZubFile::Builder::ReadCurveDevice(int command) {
  TPipe* pipe = nullptr;
  if (CheckParam(1, "pipe name")) {
    pipe = Engine.FindPipe(Word(1).Text);
    if (pipe == nullptr)
      AddError(kCommandErrorCode, FormatText(kNotPreviouslyUsed, {CommandWord(), "pipe name", Word(1).Text}), 1);
  }
  auto curve = std::make_unique<TSpecial>();
  curve->Owner = pipe;
  curve->Line = Line;
  curve->Comment = PrecedingNote();
  if (command == cmBP) {
    curve->Name = "Fire Pump";
    curve->Kind = skPump;
    curve->Flows = {0};
    curve->Pressures = {CheckParam(2, "churn pressure") ? kGain * Word(2).Value : 0};
    ReadCurvePoints(*curve, 3, true);
  } else {
    curve->Name = "Backflow Preventer";
    curve->Kind = skBackflow;
    curve->Linear = true;
    if (!HasParameter(2)) {
      CheckParam(2, "flow");
      CheckParam(3, "pressure");
    }
    ReadCurvePoints(*curve, 2, false);
  }
  if (pipe) pipe->Devices.push_back(Engine.AddSpecial(std::move(curve)));
}

}  // namespace pelmora
