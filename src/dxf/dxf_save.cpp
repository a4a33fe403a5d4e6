#include "dxf/dxf_save.h"

#include <stdexcept>

#include "dxf/dxf_messages.h"
#include "input/units/safe_file.h"

namespace pelmora {

bool SaveTextReplacing(const std::string& fileName, const std::string& text, std::string& message) {
  try {
    WriteFileSafely(fileName, text);
  } catch (const std::exception&) {
    message = FormatMessage(kDxfCannotWrite, fileName);
    return false;
  }
  return true;
}

}  // namespace pelmora
