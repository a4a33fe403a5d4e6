// Reading the file the designer opens: a project file, or a plain command text.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TZubFile;

// A .zub file, or any file that starts with the project tag, is read by the project (older
// formats included); any other file is a command text, one command a line, with the project's
// settings left as they are. Returns the command lines. Throws std::runtime_error naming the
// file and the reason when it cannot be read.
std::vector<std::string> ReadProjectFile(const std::string& fileName, TZubFile& project);

}  // namespace pelmora
