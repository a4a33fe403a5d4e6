#include "input/builder.h"
#include "input/builder_messages.h"
#include "input/format_text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr double kLowestUsualCFactor = 50;
constexpr double kHighestUsualRoughnessInches = 0.1;
constexpr int kInchCode = 2;
constexpr size_t kShownWordLength = 24;

// A stray line may be anything, even binary data: only its start is quoted.
std::string ShownWord(std::string_view word) {
  return word.size() <= kShownWordLength ? std::string(word) : std::string(word.substr(0, kShownWordLength)) + "...";
}

}  // namespace

// Settings commands take effect before any object is built; a line whose first word is no
// command is pointed out here, since every later pass passes over it.
void TZubFile::Builder::SettingsPass() {
  for (Line = 0; Line < static_cast<int>(Project.FTokens.size()); ++Line) {
    const TTokenLine words = Words();
    if (!words.empty() && words[0].Command == cmNone)
      AddWarning(kUnknownCommandCode, FormatText(kUnknownCommand, {ShownWord(words[0].Text)}), 0);
    ReadSettingsLine(CommandOf(Line));
  }
}

void TZubFile::Builder::ReadSettingsLine(int command) {
  switch (command) {
    case cmNoVel:
    case cmVel:
      WarnSurplus(1);
      Engine.FUseVelocityPressure = command == cmVel;
      break;
    case cmAll:
      Engine.FSourceCalculation = true;
      if (CheckParam(1, "safety margin", true)) Engine.FSafetyMargin = Word(1).Value;
      WarnSurplus(2);
      break;
    case cmUse: {
      const bool material = CheckParam(1, "pipe material code");
      if (!(CheckParam(2, "C factor") && material)) break;
      WarnSurplus(3);
      const double value = Word(2).Value;
      const bool cFactor = Project.FrictionFormula <= 1 || Project.FLineHazen[Line] != 0;
      if (cFactor && value < kLowestUsualCFactor)
        AddWarning(kUnusualCFactorCode, std::string(kLowCFactor), 2);
      else if (!cFactor && ConvertLength(value, Project.Units.Size, kInchCode) > kHighestUsualRoughnessInches)
        AddWarning(kUnusualCFactorCode, std::string(kHighRoughness), 2);
      break;
    }
    case cmDarcy:
    case cmHazen:
      if (CheckParam(1, "C factor")) WarnSurplus(2);
      break;
    case cmDensity: {
      DensitySeen = true;
      const bool density = CheckParam(1, "minimum density");
      if (CheckParam(2, "minimum pressure", true) && density) WarnSurplus(3);
      break;
    }
    case cmDebug: Engine.FDebug = true; break;
    case cmFavourable: Engine.FFavourable = true; break;
    default: break;
  }
}

}  // namespace pelmora
