// Reading a project file from disk and replacing it safely (temporary file, then rename).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora {

// The largest file taken as a project; a sprinkler job of thousands of lines is well below 1 MB.
inline constexpr std::uintmax_t kMaxProjectFileBytes = 32u * 1024u * 1024u;

// All bytes of the file. Throws std::runtime_error naming the file and the reason when it is
// missing, a folder, larger than kMaxProjectFileBytes or unreadable.
std::string ReadProjectFileBytes(const std::string& fileName);

// Writes the bytes to a temporary file in the same folder, flushes it to the disk and renames it
// over the file, so the previous file stays whole until the new one is complete. Throws
// std::runtime_error naming the file and the reason; the previous file is then untouched.
void WriteFileSafely(const std::string& fileName, const std::string& bytes);

// The lines in Windows-1252 with CR LF after each, written by WriteFileSafely.
void WriteTextFileSafely(const std::string& fileName, const std::vector<std::string>& lines);

}  // namespace pelmora
