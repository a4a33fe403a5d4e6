#include "app/command_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "input/units/text.h"
#include "input/zub_file.h"

namespace pelmora {

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text, start, stop - start);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> ReadCommandFile(const std::string& fileName, TZubFile& project) {
  std::error_code error;
  if (std::filesystem::is_directory(fileName, error)) throw std::runtime_error("is a folder, not a file");
  if (SameText(std::filesystem::path(fileName).extension().string(), ".zub")) {
    project.LoadFromFile(fileName, true);
    return project.Body;
  }
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw std::runtime_error(std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw std::runtime_error("read error");
  return SplitTextLines(text.str());
}

bool ReadCommandFile(const std::string& fileName, TZubFile& project, std::vector<std::string>& lines,
                     std::ostream& err) {
  try {
    lines = ReadCommandFile(fileName, project);
    project.Body = lines;
    return true;
  } catch (const std::exception& error) {
    err << "pelmora: cannot read " << fileName << ": " << error.what() << "\n";
    return false;
  }
}

}  // namespace pelmora
