// Runs the built pelmora program in a scratch folder and collects its exit status and output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace pelmora {

struct TProgramRun {
  int Status = -1;
  std::string Out, Err;
};

inline std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ProgramFixture : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("pelmora_app_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  TProgramRun RunProgram(const std::string& arguments) {
    const std::filesystem::path out = folder / "out.txt", err = folder / "err.txt";
    const std::string command = std::string(PELMORA_BINARY) + " " + arguments + " >" + out.string() + " 2>" + err.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
  }
  std::string Write(const std::string& name, const std::string& text) {
    const std::filesystem::path file = folder / name;
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }
  std::string InFolder(const std::string& name) const { return (folder / name).string(); }
  static std::string Example(const std::string& name) { return std::string(PELMORA_SOURCE_DIR) + "/examples/" + name; }

  std::filesystem::path folder;
};

}  // namespace pelmora
