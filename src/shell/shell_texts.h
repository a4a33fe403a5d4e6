// Fixed texts of the main window and the small rules behind its title and command line.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kProjectFilter = "Pelmora (*.zub);;All Files (*)";
inline constexpr const char* kTextReportFilter = "Text (*.txt);;All Files (*)";

// "ZUB Editor - " and the file name without folder and extension.
std::string WindowTitle(const std::string& fileName);
// The project named on the command line: the arguments joined by blanks, so that an unquoted
// path with spaces still opens; empty when there are none.
std::string CommandLineFileName(const std::vector<std::string>& arguments);
// The text a new, empty editor starts with.
const std::vector<std::string>& StarterLines();

}  // namespace pelmora
