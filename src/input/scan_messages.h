// The messages the scan stores on a word, by their number 1..32.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pelmora {

enum TScanMessage : int {
  smPressure = 1, smCFactor, smFlow, smElevation, smFitting, smHeadCount, smKFactor, smLength,
  smNegativeLength, smShortLength, smLongName, smNodeDefined, smNotPositiveLength, smPipeUsed,
  smSize, smMaterial, smDensity, smInteger, smNoPipe, smNoNode, smSameEnds, smSecondDrop,
  smSecondLineElev, smSecondTreeLeft, smSecondTreeRight, smFlowOutside, smRiserSizes,
  smLineCount, smMainElevCount, smBranchLinesOne, smBranchLinesTwo, smHeadPressure
};

std::string ScanMessage(TScanMessage number, std::initializer_list<std::string_view> values = {});

}  // namespace pelmora
