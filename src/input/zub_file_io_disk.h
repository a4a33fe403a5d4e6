// Reading a project file from disk and writing one through the safe replacement.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/units/safe_file.h"

namespace pelmora {

// The largest file taken as a project; a sprinkler job of thousands of lines is well below 1 MB.
inline constexpr std::uintmax_t kMaxProjectFileBytes = 32u * 1024u * 1024u;

// All bytes of the file. Throws std::runtime_error naming the file and the reason when it is
// missing, a folder, larger than kMaxProjectFileBytes or unreadable.
std::string ReadProjectFileBytes(const std::string& fileName);

// The lines in Windows-1252 with CR LF after each, written by WriteFileSafely.
void WriteTextFileSafely(const std::string& fileName, const std::vector<std::string>& lines);

}  // namespace pelmora
