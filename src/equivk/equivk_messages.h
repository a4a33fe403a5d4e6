// The texts the equivalent-K parse stores on its words and the private model adds to its engine.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pelmora {

inline constexpr std::string_view kEquivKBadCFactor = "\"%s\" is not a valid C-factor (or absolute roughness) value";
inline constexpr std::string_view kEquivKBadFlow = "\"%s\" is not a valid discharge (flow) value";
inline constexpr std::string_view kEquivKBadElevation = "\"%s\" is not a valid elevation";
inline constexpr std::string_view kEquivKBadFitting = "\"%s\" is not a valid fitting for size %s pipe of \"%s\" material";
inline constexpr std::string_view kEquivKBadK = "\"%s\" is not a valid K-factor value";
inline constexpr std::string_view kEquivKBadLength = "\"%s\" is not a valid pipe length";
inline constexpr std::string_view kEquivKNegativeLength = "Length \"%s\" is not greater than or equal to zero";
inline constexpr std::string_view kEquivKShortLength = "Is %s the correct pipe length?";
inline constexpr std::string_view kEquivKBadSize = "\"%s\" is not a valid nominal pipe size for pipe material \"%s\"";
inline constexpr std::string_view kEquivKBadMaterial = "\"%s\" is not a valid pipe material code";
inline constexpr std::string_view kEquivKHeadPlace = "A \"Head\" command may only follow a \"Pipe\" command.";

// Fills the "%s" places of a pattern with the values, in order.
std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace pelmora
