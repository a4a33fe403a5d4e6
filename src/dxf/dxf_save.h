// Saving a file so that the old one survives any failure: a temporary file, then a rename.
#pragma once

#include <string>

namespace pelmora {

// Writes `text` to `fileName` through a temporary file in the same folder; false with a message
// when anything fails, and the file that was there stays as it was.
bool SaveTextReplacing(const std::string& fileName, const std::string& text, std::string& message);

}  // namespace pelmora
