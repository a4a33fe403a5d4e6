#include "input/zub_file_io_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
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

[[noreturn]] void FailSave(const std::string& fileName, const std::string& reason) {
  throw std::runtime_error("Cannot save \"" + fileName + "\": " + reason + ".");
}

std::string SystemReason(int error) { return std::strerror(error); }

// Owns the temporary file until it has been renamed into place; removes it on every failure.
class TTemporaryFile {
 public:
  TTemporaryFile(const fs::path& target, const std::string& fileName) : FFileName(fileName) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && FHandle < 0; ++attempt) {
      FPath = target.parent_path() / ("." + target.filename().string() + ".saving-" +
                                      std::to_string(getpid()) + "-" + std::to_string(counter++));
      FHandle = open(FPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (FHandle < 0 && errno != EEXIST) FailSave(FFileName, SystemReason(errno));
    }
    if (FHandle < 0) FailSave(FFileName, "no temporary file could be created beside it");
  }
  ~TTemporaryFile() {
    if (FHandle >= 0) close(FHandle);
    if (!FRenamed) unlink(FPath.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  void Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t written = write(FHandle, bytes.data() + done, bytes.size() - done);
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) FailSave(FFileName, SystemReason(errno));
      done += static_cast<size_t>(written);
    }
  }

  // The new file must be on the disk before it replaces the old one, or a power cut after the
  // rename could leave an empty file where the designer's work was.
  void Commit(const fs::path& target) {
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) fchmod(FHandle, existing.st_mode & 07777);
    if (fsync(FHandle) != 0) FailSave(FFileName, SystemReason(errno));
    const int handle = FHandle;
    FHandle = -1;
    if (close(handle) != 0) FailSave(FFileName, SystemReason(errno));
    if (rename(FPath.c_str(), target.c_str()) != 0) FailSave(FFileName, SystemReason(errno));
    FRenamed = true;
    SyncFolder(target.parent_path());
  }

 private:
  static void SyncFolder(const fs::path& folder) {
    const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    fsync(handle);
    close(handle);
  }

  std::string FFileName;
  fs::path FPath;
  int FHandle = -1;
  bool FRenamed = false;
};

fs::path TargetPath(const std::string& fileName) {
  fs::path target(fileName);
  if (!target.has_parent_path()) target = fs::path(".") / target;
  return target;
}

void CheckSaveTarget(const fs::path& target, const std::string& fileName) {
  if (fileName.empty()) FailSave(fileName, "no file name was given");
  std::error_code error;
  if (!fs::is_directory(target.parent_path(), error))
    FailSave(fileName, "the folder \"" + target.parent_path().string() + "\" does not exist");
  const fs::file_status status = fs::status(target, error);
  if (fs::is_directory(status)) FailSave(fileName, "it is a folder, not a file");
  if (fs::exists(status) && access(target.c_str(), W_OK) != 0) FailSave(fileName, "the file is read-only");
}

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

void WriteFileSafely(const std::string& fileName, const std::string& bytes) {
  const fs::path target = TargetPath(fileName);
  CheckSaveTarget(target, fileName);
  TTemporaryFile temporary(target, fileName);
  temporary.Write(bytes);
  temporary.Commit(target);
}

void WriteTextFileSafely(const std::string& fileName, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Utf8ToCp1252(line) + "\r\n";
  WriteFileSafely(fileName, bytes);
}

}  // namespace pelmora
