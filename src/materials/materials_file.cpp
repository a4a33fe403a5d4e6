// The materials database file in the data folder: finding, checking, reading and writing it.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "input/units/safe_file.h"
#include "input/units/text.h"
#include "materials/materials.h"
#include "materials/pit_words.h"

namespace pelmora {

namespace {

constexpr const char* kDatabaseName = "ZUB20.PIT";

std::filesystem::path FileInDataFolder(const std::string& fileName) {
  std::string name = fileName;
  while (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.erase(0, 1);
  return TMaterials::DataFolder() / name;
}

// A control byte other than tab, CR and LF never occurs in a database text; bytes above 127
// are letters of the single-byte code page and are fine.
bool IsBinaryByte(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F; }

// Why the text cannot be a database file, or "" when it looks whole.
std::string DamageOf(const std::string& content) {
  size_t line = 1;
  for (unsigned char c : content) {
    if (c == '\n') ++line;
    if (IsBinaryByte(c)) return "line " + std::to_string(line) + " holds binary data";
  }
  if (content.empty()) return "the file is empty";
  // Every line the program writes ends with a line end: a file that stops inside a line was
  // cut off while it was written or copied, and its last values cannot be trusted.
  if (content.back() != '\n' && content.back() != '\r') return "the last line is cut off";
  for (const std::string& text : SplitPitLines(content)) {
    const std::vector<std::string> words = PitWords(text);
    if (!words.empty() && SameText(words[0], "MATERIAL")) return "";
  }
  return "it holds no MATERIAL line";
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content = buffer.str();
  return !in.bad();
}

void SetMessage(std::string* message, const std::string& text) {
  if (message != nullptr) *message = text;
}


}  // namespace

std::filesystem::path TMaterials::DataFolder() {
  if (const char* own = std::getenv("PELMORA_DATA_DIR"); own != nullptr && *own != '\0') return own;
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    base = ".";
  }
  return base / "Tolvane" / "Zub2" / "Data";
}

bool TMaterials::LoadFromFile(const std::string& fileName, bool merge, std::string* message) {
  const std::filesystem::path path = FileInDataFolder(fileName);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    if (!merge) LoadFromLines(SplitPitLines(BuiltInText()), false);
    return true;
  }
  std::string content;
  std::string problem;
  if (!ReadWholeFile(path, content)) {
    problem = "the file cannot be read";
  } else {
    problem = DamageOf(content);
  }
  if (problem.empty()) {
    LoadFromLines(SplitPitLines(content), merge);
    return true;
  }
  SetMessage(message, "The materials database \"" + path.string() + "\" was not loaded: " + problem +
                          ". The materials in use are kept.");
  if (Materials.empty() && !merge) LoadFromLines(SplitPitLines(BuiltInText()), false);
  return false;
}

bool TMaterials::SaveToFile(std::string* message) const {
  const std::filesystem::path folder = DataFolder();
  const std::filesystem::path target = folder / kDatabaseName;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    SetMessage(message, "The folder \"" + folder.string() + "\" cannot be created: " + error.message() + ".");
    return false;
  }
  std::string bytes;
  for (const std::string& line : SaveToLines()) bytes += line + "\r\n";
  try {
    WriteFileSafely(target.string(), bytes);
  } catch (const std::exception& failure) {
    SetMessage(message, "The materials database was not saved. " + std::string(failure.what()));
    return false;
  }
  return true;
}

TMaterials& Materials() {
  static TMaterials database = [] {
    TMaterials loaded;
    loaded.LoadFromLines(SplitPitLines(TMaterials::BuiltInText()), false);
    return loaded;
  }();
  return database;
}

}  // namespace pelmora
