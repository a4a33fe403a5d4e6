// Shared helpers of the DXF tests: fixture paths, scratch folders and the ezdxf check.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pelmora::dxftest {

inline std::string DataPath(const std::string& name) { return std::string(PELMORA_TEST_DATA) + "/dxf/" + name; }

inline std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream text(ReadText(path));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A fresh folder per test under the system's temporary folder.
inline std::filesystem::path ScratchFolder() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  auto folder = std::filesystem::temp_directory_path() / "pelmora_dxf_tests" /
                (std::string(test->test_suite_name()) + "." + test->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline bool EzdxfAvailable() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

// Runs check_drawing.py on a drawing; its findings, empty when the drawing is sound.
inline std::string EzdxfFindings(const std::string& drawing, const std::string& checks) {
  std::string script = std::string(PELMORA_SOURCE_DIR) + "/tests/dxf/check_drawing.py";
  std::string report = drawing + ".findings";
  std::string command = "/usr/bin/python3 '" + script + "' '" + drawing + "' " + checks + " >'" + report + "' 2>&1";
  int status = std::system(command.c_str());
  std::string findings = ReadText(report);
  if (status != 0 && findings.empty()) findings = "check_drawing.py failed";
  return findings;
}

// A small release-12 drawing written pair by pair: a header, one layer table, an empty block
// section and the entities added.
class TTestDrawing {
 public:
  void Header(const std::string& variable, int code, const std::string& value) {
    FHeader += Pair(9, variable) + Pair(code, value);
  }
  void Line(const std::string& layer, double x1, double y1, double z1, double x2, double y2, double z2,
            const std::string& handle = "") {
    FEntities += Pair(0, "LINE") + (handle.empty() ? "" : Pair(5, handle)) + Pair(8, layer) + Point(10, x1, y1, z1) +
                 Point(11, x2, y2, z2);
  }
  void Text(const std::string& layer, const std::string& text, double x, double y, double rotation = 0,
            const std::string& handle = "") {
    FEntities += Pair(0, "TEXT") + (handle.empty() ? "" : Pair(5, handle)) + Pair(8, layer) + Point(10, x, y, 0) +
                 Pair(40, "4") + Pair(1, text) + Pair(50, Number(rotation));
  }
  void Insert(const std::string& layer, const std::string& block, double x, double y, double z) {
    FEntities += Pair(0, "INSERT") + Pair(8, layer) + Pair(2, block) + Point(10, x, y, z);
  }
  std::string Finish() const {
    return Pair(0, "SECTION") + Pair(2, "HEADER") + Pair(9, "$ACADVER") + Pair(1, "AC1009") + FHeader +
           Pair(0, "ENDSEC") + Pair(0, "SECTION") + Pair(2, "TABLES") + Pair(0, "TABLE") + Pair(2, "LAYER") +
           Pair(70, "1") + Pair(0, "LAYER") + Pair(2, "0") + Pair(70, "0") + Pair(62, "7") + Pair(6, "CONTINUOUS") +
           Pair(0, "ENDTAB") + Pair(0, "ENDSEC") + Pair(0, "SECTION") + Pair(2, "BLOCKS") + Pair(0, "ENDSEC") +
           Pair(0, "SECTION") + Pair(2, "ENTITIES") + FEntities + Pair(0, "ENDSEC") + Pair(0, "EOF");
  }
  void SaveAs(const std::string& path) const { WriteText(path, Finish()); }

 private:
  static std::string Number(double value) {
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
  }
  static std::string Pair(int code, const std::string& value) { return std::to_string(code) + "\n" + value + "\n"; }
  static std::string Point(int code, double x, double y, double z) {
    return Pair(code, Number(x)) + Pair(code + 10, Number(y)) + Pair(code + 20, Number(z));
  }
  std::string FHeader, FEntities;
};

}  // namespace pelmora::dxftest
