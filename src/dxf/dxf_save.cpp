#include "dxf/dxf_save.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

#include "dxf/dxf_messages.h"

namespace pelmora {

bool SaveTextReplacing(const std::string& fileName, const std::string& text, std::string& message) {
  std::filesystem::path target(fileName);
  std::filesystem::path temporary = target;
  temporary += ".tmp" + std::to_string(::getpid());
  bool written = false;
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (file) {
      file.write(text.data(), static_cast<std::streamsize>(text.size()));
      file.close();
      written = !file.fail();
    }
  }
  std::error_code error;
  if (written) std::filesystem::rename(temporary, target, error);
  if (!written || error) {
    std::filesystem::remove(temporary, error);
    message = FormatMessage(kDxfCannotWrite, fileName);
    return false;
  }
  return true;
}

}  // namespace pelmora
