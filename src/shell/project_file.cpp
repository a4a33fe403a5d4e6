#include "shell/project_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "input/units/text.h"
#include "input/zub_file.h"

namespace pelmora {

namespace {

constexpr const char* kProjectTag = "<TZUB";
constexpr std::uintmax_t kLargestText = 16u * 1024u * 1024u;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string ReadText(const std::string& fileName) {
  std::error_code error;
  if (std::filesystem::is_directory(fileName, error)) throw std::runtime_error(fileName + ": is a folder, not a file");
  const std::uintmax_t size = std::filesystem::file_size(fileName, error);
  if (error) throw std::runtime_error(fileName + ": " + error.message());
  if (size > kLargestText) throw std::runtime_error(fileName + ": the file is too large for a command text");
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw std::runtime_error(fileName + ": " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw std::runtime_error(fileName + ": read error");
  return text.str();
}

}  // namespace

std::vector<std::string> ReadProjectFile(const std::string& fileName, TZubFile& project) {
  if (SameText(std::filesystem::path(fileName).extension().string(), ".zub")) {
    project.LoadFromFile(fileName);
    return project.Body;
  }
  const std::string text = ReadText(fileName);
  if (UpperCase(text.substr(0, 5)) == kProjectTag) {
    project.LoadFromFile(fileName);
    return project.Body;
  }
  if (text.find('\0') != std::string::npos) throw std::runtime_error(fileName + ": the file holds binary data");
  project.Body = SplitLines(text);
  return project.Body;
}

}  // namespace pelmora
