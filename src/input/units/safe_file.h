// Replacing a file safely: the bytes go to a temporary file beside it, which is flushed to the
// disk and then renamed over the file, so the previous file stays whole until the new one is.
#pragma once

#include <string>

namespace pelmora {

// Throws std::runtime_error ("Cannot save "FILE": reason.") naming the file and the reason; the
// previous file is then untouched and no temporary file is left behind.
void WriteFileSafely(const std::string& fileName, const std::string& bytes);

}  // namespace pelmora
