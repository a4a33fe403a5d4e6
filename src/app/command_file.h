// Reading the file a command of the program names: a command text or a .zub project.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pelmora {

class TZubFile;

// The command lines of the file; a .zub project also fills the project's settings.
// Throws std::runtime_error with the reason when the file cannot be read.
std::vector<std::string> ReadCommandFile(const std::string& fileName, TZubFile& project);

// The same for a command of the program: false, with one line naming the file and the reason on
// err, when it cannot be read. The project's Body holds the lines afterwards.
bool ReadCommandFile(const std::string& fileName, TZubFile& project, std::vector<std::string>& lines,
                     std::ostream& err);

// Splits text at LF or CR LF line ends; a final line end adds no empty line.
std::vector<std::string> SplitTextLines(const std::string& text);

}  // namespace pelmora
