#include "input/zub_file_io_disk.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "input/zub_file_io_text.h"

namespace pelmora {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void FailRead(const std::string& fileName, const std::string& reason) {
  throw std::runtime_error("Cannot open \"" + fileName + "\": " + reason + ".");
}

std::string SystemReason(int error) { return std::strerror(error); }

}  // namespace

std::string ReadProjectFileBytes(const std::string& fileName) {
  if (fileName.empty()) FailRead(fileName, "no file name was given");
  std::error_code error;
  const fs::file_status status = fs::status(fileName, error);
  if (!fs::exists(status)) FailRead(fileName, "the file does not exist");
  if (fs::is_directory(status)) FailRead(fileName, "it is a folder, not a file");
  const std::uintmax_t size = fs::file_size(fileName, error);
  if (!error && size > kMaxProjectFileBytes)
    FailRead(fileName, "the file is too large for a project (" + std::to_string(size / (1024 * 1024)) +
                           " MB; a project file holds at most " +
                           std::to_string(kMaxProjectFileBytes / (1024 * 1024)) + " MB)");

  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), std::fclose);
  if (!file) FailRead(fileName, SystemReason(errno));
  std::string bytes;
  char buffer[65536];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    bytes.append(buffer, count);
    if (bytes.size() > kMaxProjectFileBytes) FailRead(fileName, "the file is too large for a project");
  }
  if (std::ferror(file.get())) FailRead(fileName, SystemReason(errno));
  return bytes;
}

void WriteTextFileSafely(const std::string& fileName, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Utf8ToCp1252(line) + "\r\n";
  WriteFileSafely(fileName, bytes);
}

}  // namespace pelmora
