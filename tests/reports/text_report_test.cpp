#include "reports/text_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include <unistd.h>

#include "report_fixture.h"
#include "reports/report_sections.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

const fs::path kExpected = fs::path(PELMORA_TEST_DATA) / "reports" / "system_report.txt";

class TextReportTest : public ReportFixture {
 protected:
  fs::path Folder;

  void SetUp() override {
    ReportFixture::SetUp();
    Folder = fs::temp_directory_path() / ("pelmora_text_report_" + std::to_string(::getpid()));
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }
};

TEST_F(TextReportTest, WholeReportMatchesTheHandWrittenText) {
  const std::vector<std::string> expected = SplitCrLf(ReadBytes(kExpected));
  ASSERT_FALSE(expected.empty());
  const std::vector<std::string> actual = BuildTextReport(Context());
  for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(i < actual.size() ? actual[i] : "<missing>", i < expected.size() ? expected[i] : "<extra>");
  }
}

TEST_F(TextReportTest, FileHoldsEveryLineEndedByCrLfAndNoTemporaryFileStays) {
  const fs::path file = Folder / "report.txt";
  std::string message;
  ASSERT_TRUE(WriteTextReport(Context(), file.string(), &message)) << message;
  EXPECT_EQ(ReadBytes(file), ReadBytes(kExpected));
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1);
}

TEST_F(TextReportTest, FailedCalculationIsRefusedAndAnEarlierFileStays) {
  const fs::path file = Folder / "report.txt";
  std::ofstream(file) << "earlier report";
  Engine.FCalcOK = false;
  std::string message;
  EXPECT_FALSE(WriteTextReport(Context(), file.string(), &message));
  EXPECT_EQ(message, "The last calculation did not succeed.");
  EXPECT_EQ(ReadBytes(file), "earlier report");
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 1);
  EXPECT_THROW(BuildTextReport(Context()), TReportError);
}

TEST_F(TextReportTest, ResultsThatAreNoNumbersAreRefused) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double* value : {&Engine.FNodes[3]->Pressure, &Engine.FPipes[2]->Flow, &Engine.FMargin,
                        &Engine.FPipes[1]->FittingLengths[0], &Engine.FNodes[1]->Supply->Pressures[1]}) {
    for (double bad : {nan, inf}) {
      const double kept = *value;
      *value = bad;
      std::ostringstream out;
      std::string message;
      EXPECT_FALSE(WriteTextReport(Context(), out, &message));
      EXPECT_EQ(message, "The calculation results are not valid numbers.");
      EXPECT_TRUE(out.str().empty());
      *value = kept;
    }
  }
}

TEST_F(TextReportTest, UnwritableFolderIsReportedWithoutThrowing) {
  std::string message;
  EXPECT_FALSE(WriteTextReport(Context(), (Folder / "missing" / "report.txt").string(), &message));
  EXPECT_FALSE(message.empty());
}

// An equivalent-K definition with its own little calculation: one head fed through one pipe.
class EquivKReportTest : public ReportFixture {
 protected:
  TCalcEngine EquivEngine;
  TEquivKFile Definition;
  TEquivKFile Uncalculated;

  void SetUp() override {
    ReportFixture::SetUp();
    EquivEngine.SetUnits(DefaultUnits());
    TNode* source = AddNode(EquivEngine, "IN", nkWater, 0, 12.5, -20);
    TNode* head = AddHead(EquivEngine, "S1", 0, 12.0, 20);
    TPipe* pipe = AddPipe(EquivEngine, "Q1", source, head, {2, 1, 1.049, {"E"}, {2}, 20, 7.42, 0.37, 0.5, 0});
    pipe->Material = "CPVC";
    head->MinFlow = 20;
    EquivEngine.FSourceFlow = 20;
    EquivEngine.FRequiredPressure = 12.5;
    EquivEngine.FCalcOK = true;
    Definition.Code = "RACK1";
    Definition.Description = "In-rack head with its arm-over";
    Definition.EquivalentK = 5.656854;
    Uncalculated.Code = "RACK2";
    EquivK = {{&Definition, &EquivEngine}, {&Uncalculated, nullptr}, {&Definition, &EquivEngine}};
  }
};

TEST_F(EquivKReportTest, SectionIsTitledByTheDefinitionAndItsKFactor) {
  const std::vector<std::string> lines = BuildEquivKPipeSection(Context(), EquivK[0]);
  const int width = static_cast<int>(lines[2].size());
  ASSERT_EQ(lines.size(), 2u + 4u + 1u + 3u + 1u + 3u + 1u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  auto centred = [width](const std::string& text) {
    std::string line(static_cast<size_t>((width - static_cast<int>(text.size())) / 2), ' ');
    line += text;
    line.resize(static_cast<size_t>(width), ' ');
    return line;
  };
  EXPECT_EQ(lines[2], centred("\"RACK1\" Equivalent K-factor Calculation"));
  EXPECT_EQ(lines[3], centred("---------------------------------------"));
  EXPECT_EQ(lines[4], centred("In-rack head with its arm-over"));
  EXPECT_EQ(lines[5], centred("K = 20.0 gpm / SquareRoot(12.5 psi) = 5.66 gpm/psi"));
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[10], std::string(static_cast<size_t>(width), '='));
  EXPECT_EQ(lines[11].substr(0, 9), "IN       ");
  EXPECT_EQ(lines[14], std::string(static_cast<size_t>(width), '-'));
}

TEST_F(EquivKReportTest, SectionsStopAtTheFirstDefinitionWithoutCalculation) {
  const std::vector<std::string> lines = BuildTextReport(Context());
  const auto titled = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("Equivalent K-factor Calculation") != std::string::npos;
  });
  EXPECT_EQ(titled, 1);
}

TEST_F(EquivKReportTest, CodeListsTakeInTheEquivalentKPipes) {
  const std::vector<std::string> lines = BuildTextReport(Context());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "CPVC - CPVC sprinkler pipe"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), " S40 - Schedule 40 Steel"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "E [CPVC] - CPVC 90 degree elbow"), lines.end());
}

}  // namespace
}  // namespace pelmora
