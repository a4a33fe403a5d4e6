// Reading the file a command of the program names: a command text or a .zub project.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TZubFile;

// The command lines of the file; a .zub project also fills the project's settings.
// Throws std::runtime_error with the reason when the file cannot be read.
std::vector<std::string> ReadCommandFile(const std::string& fileName, TZubFile& project);

// Splits text at LF or CR LF line ends; a final line end adds no empty line.
std::vector<std::string> SplitTextLines(const std::string& text);

}  // namespace pelmora
