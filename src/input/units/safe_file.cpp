#include "input/units/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace pelmora {

namespace fs = std::filesystem;

namespace {

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

void WriteFileSafely(const std::string& fileName, const std::string& bytes) {
  const fs::path target = TargetPath(fileName);
  CheckSaveTarget(target, fileName);
  TTemporaryFile temporary(target, fileName);
  temporary.Write(bytes);
  temporary.Commit(target);
}

}  // namespace pelmora
