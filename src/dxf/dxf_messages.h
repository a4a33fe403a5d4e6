// Fixed message texts of the DXF exchange.
#pragma once

#include <string>

namespace pelmora {

inline constexpr const char* kDxfCannotOpen =
    "File: \"%s\" cannot be opened. Another application may already be using this file.";
inline constexpr const char* kDxfNotAscii = "File: \"%s\" is not a valid ascii DXF file.";
inline constexpr const char* kDxfCannotWrite = "File: \"%s\" cannot be written.";

// Details that tell the designer why a drawing was refused.
inline constexpr const char* kDxfBinary = "It is a binary DXF file; save the drawing as an ASCII DXF file.";
inline constexpr const char* kDxfBadGroupCode = "Line %s: the group code \"%s\" is not a number.";
inline constexpr const char* kDxfNoSection = "No SECTION was found in it.";
inline constexpr const char* kDxfTruncated =
    "It ends before its EOF marker; the file may be truncated.";
inline constexpr const char* kDxfNoPipes = "No lines were found on the layers chosen for mains and branch lines.";
inline constexpr const char* kDxfNoProjectDrawing = "The project holds no imported DXF drawing.";

// Head data and forced elevations of an import, checked as the command scan checks them.
inline constexpr const char* kDxfBadKFactor = "\"%s\" is not a valid K-factor value";
inline constexpr const char* kDxfBadDischarge = "\"%s\" is not a valid discharge (flow) value";
inline constexpr const char* kDxfBadElevation = "\"%s\" is not a valid elevation";

// Replaces each "%s" in turn with the next argument.
std::string FormatMessage(const std::string& pattern, const std::string& first,
                          const std::string& second = "");

}  // namespace pelmora
