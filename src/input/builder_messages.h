// Codes and texts of the messages the model builder adds to the engine.
#pragma once

#include <string_view>

namespace pelmora {

inline constexpr int kMissingParameterCode = 2048;
inline constexpr int kCommandErrorCode = 2049;
inline constexpr int kUnknownCommandCode = 2051;
inline constexpr int kUnusualCFactorCode = 263;
inline constexpr int kHeadWarningCode = 516;
inline constexpr int kNoWaterCode = 768;
inline constexpr int kNoDensityCode = 777;
inline constexpr int kCancelledCode = 1281;

inline constexpr std::string_view kMissingParameter = "%s command: \"%s\" parameter is missing.";
inline constexpr std::string_view kInvalidParameter = "%s command: \"%s\" is not a valid %s.";
inline constexpr std::string_view kNodeUsed = "%s command: node \"%s\" has already been used.";
inline constexpr std::string_view kCopyNodeUsed = "Node name \"%s\" has already been used.";
inline constexpr std::string_view kPipeUsed = "%s command: pipe name \"%s\" has already been used.";
inline constexpr std::string_view kNodeUndefined = "%s command: node name \"%s\" has not been defined.";
inline constexpr std::string_view kSameEnds = "%s command: Starting and ending node may not be the same node.";
inline constexpr std::string_view kNotPreviouslyUsed = "%s command: %s \"%s\" has not been previously used.";
inline constexpr std::string_view kLowCFactor = "Use command contains unusually low c-factor parameter";
inline constexpr std::string_view kHighRoughness = "Use command contains unusually high absolute roughness parameter";
inline constexpr std::string_view kHeadDeactivated = "Head \"%s\" is deactivated.";
inline constexpr std::string_view kBelowEquivKFlow =
    "Minimum discharge parameter is lower than equivalent k-factor's calculated flow of %s";
inline constexpr std::string_view kNoWater = "WATER command missing: at least one \"water\" command is required.";
inline constexpr std::string_view kNoDensity = "Use the \"Density\" command to specify discharge density.";
inline constexpr std::string_view kTooManyParameters = "%s command has too many parameters.";
inline constexpr std::string_view kMinPressureOfHead =
    "%s command: a minimum pressure can only be given to a plain node, not to \"%s\".";
inline constexpr std::string_view kUnknownCommand = "\"%s\" is not a valid command.";
inline constexpr std::string_view kCancelled = "Calculation cancelled.";

}  // namespace pelmora
