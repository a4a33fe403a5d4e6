// The text reports of the example projects against their reviewed golden copies.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "input/calc_run.h"
#include "input/zub_file.h"
#include "reports/text_report.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(PELMORA_SOURCE_DIR) / "examples";
const fs::path kGolden = fs::path(PELMORA_TEST_DATA) / "golden";

std::vector<std::string> ReadLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class GoldenReport : public testing::TestWithParam<const char*> {};

// On a difference the new report is written beside the golden file as NAME.txt.new: review it,
// and copy it over the golden file only when the change is explained.
TEST_P(GoldenReport, MatchesTheReviewedReport) {
  const std::string name = GetParam();
  TZubFile project;
  project.LoadFromFile((kExamples / (name + ".zub")).string());
  const TRunResult run = pelmora::Run(project.Body, project);
  ASSERT_TRUE(run.Success) << name << ": " << (run.Messages.empty() ? "" : run.Messages.front());

  const TReportOptions options;
  const TReportContext context{*run.Engine, project, *project.FMaterials, options, EquivKCalculations(project),
                               "12/11/26"};
  const std::vector<std::string> report = BuildTextReport(context);
  const fs::path golden = kGolden / (name + ".txt");
  const std::vector<std::string> expected = ReadLines(golden);
  if (report == expected) return;

  std::ofstream(golden.string() + ".new", std::ios::binary) << [&] {
    std::ostringstream text;
    for (const std::string& line : report) text << line << "\r\n";
    return text.str();
  }();
  size_t line = 0;
  while (line < report.size() && line < expected.size() && report[line] == expected[line]) ++line;
  FAIL() << name << ": first difference at line " << line + 1 << "\n  golden: "
         << (line < expected.size() ? expected[line] : "(end of file)")
         << "\n  now:    " << (line < report.size() ? report[line] : "(end of report)")
         << "\nthe new report is in " << golden.string() << ".new";
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenReport,
                         testing::Values("office_tree", "looped_grid", "metric_tree", "equivk_project"));

}  // namespace
}  // namespace pelmora
