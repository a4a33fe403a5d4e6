#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/command_table.h"
#include "input/zub_file.h"

namespace pelmora {
namespace {

class Scan : public testing::Test {
 protected:
  void Read(const std::vector<std::string>& lines) { project.ParseLines(lines); }
  TZubParameter Word(int line, int index) { return project.GetToken(line, index); }
  std::string Kinds(int line) {
    std::string kinds;
    for (const TTokenView word : project.FTokens[line]) kinds += word.Letter ? word.Letter : '.';
    return kinds;
  }
  TZubFile project;
};

TEST_F(Scan, PipeLineWithCommentGivesKindsColumnsAndCommentWords) {
  Read({"  pipe P1 N1 N2 10 2 E // tee"});
  EXPECT_EQ(Word(0, 0).Command, cmPipe);
  EXPECT_EQ(Kinds(0), ".PNNLSF..");
  EXPECT_EQ(Word(0, 0).Column, 0);
  EXPECT_EQ(Word(0, 1).Column, 7);
  for (int index = 0; index <= 6; ++index) EXPECT_TRUE(Word(0, index).Valid) << index << " " << Word(0, index).Message;
  EXPECT_FALSE(Word(0, 6).Comment);
  EXPECT_TRUE(Word(0, 7).Comment && Word(0, 7).Valid);
  EXPECT_TRUE(Word(0, 8).Comment && Word(0, 8).Valid);
  EXPECT_EQ(Word(0, 8).Text, "tee");
}

TEST_F(Scan, CommentRules) {
  Read({"//note a b", "Node N1 10 //x", "Pipe P1 N1 N2 10 2 // x y", "// Node N2 0"});
  EXPECT_EQ(Word(0, 0).Command, cmComment);
  EXPECT_TRUE(Word(0, 0).Comment && Word(0, 1).Comment && Word(0, 2).Comment);
  EXPECT_FALSE(Word(1, 2).Comment);
  EXPECT_TRUE(Word(1, 3).Comment);
  EXPECT_TRUE(Word(2, 7).Comment && Word(2, 8).Comment);
  EXPECT_FALSE(project.FDefinedNodes.Contains("N2"));  // a commented-out command defines nothing
}

TEST_F(Scan, RepeatedKinds) {
  Read({"Bfp P1 0 5.0 2 6.0", "Pump PS PD 0 120 500 100 1000 80", "HC H1 H2 H3 H4", "PC P1 P2 A B P3 B C",
        "Node N1 0 10 20 30 40", "AutoPeak X"});
  EXPECT_EQ(Kinds(0), ".PDBDB");
  EXPECT_EQ(Kinds(1), ".NNEAQBQB");
  EXPECT_EQ(Kinds(2), ".NNNN");
  EXPECT_EQ(Kinds(3), ".PPNNPNN");
  EXPECT_EQ(Kinds(4), ".NEDM..");  // surplus words get no kind and no message
  EXPECT_FALSE(Word(4, 5).Valid);
  EXPECT_TRUE(Word(4, 5).Message.empty());
  EXPECT_EQ(Kinds(5), "..");
}

TEST_F(Scan, SettingsHoldFromTheirLineToTheEnd) {
  Read({"Pipe P1 A B 10 2", "Use S40 100", "Pipe P2 A B 10 2", "Darcy 0.002", "Hazen 130", "Density 8 10",
        "Pipe P3 A B 10 2"});
  EXPECT_EQ(project.FLineMaterial[0], "S40");
  EXPECT_EQ(project.FLineCFactor[0], 120);
  EXPECT_EQ(project.FLineCFactor[2], 100);
  EXPECT_EQ(project.FLineHazen[3], 0);
  EXPECT_EQ(project.FLineCFactor[3], 0.002);
  EXPECT_EQ(project.FLineHazen[4], 1);
  EXPECT_EQ(project.FLineCFactor[6], 130);
  EXPECT_EQ(project.FLineDensity[4], 45);
  EXPECT_EQ(project.FLineDensity[6], 8);
  EXPECT_EQ(project.FLineMinHeadPressure[4], kNotSet);
  EXPECT_EQ(project.FLineMinHeadPressure[6], 10);
}

TEST_F(Scan, DarcyProjectStartsWithARoughnessInTheSizeUnit) {
  project.FrictionFormula = 2;
  Read({"Pipe P1 A B 10 2"});
  EXPECT_DOUBLE_EQ(project.FLineCFactor[0], 0.004);
}

struct WordCase {
  std::vector<std::string> lines;
  int line, index;
  bool valid, suspect;
  std::string message;
};

TEST_F(Scan, WordMessages) {
  const WordCase cases[] = {
      {{"Node ABCDEFGHI 10"}, 0, 1, false, false, "Name \"ABCDEFGHI\" is longer than 8 characters"},
      {{"Node N1 0", "Node n1 0"}, 1, 1, false, false, "Node \"n1\" has already been defined"},
      {{"Pipe P1 A a 10 2"}, 0, 3, false, false, "Starting and ending nodes must be different"},
      {{"Pipe P1 A B 0.25 2"}, 0, 4, true, true, "Is 0.25 ft the correct pipe length?"},
      {{"Pipe P1 A B -10 2"}, 0, 4, false, false, "Length \"-10\" is not greater than or equal to zero"},
      {{"Pipe P1 A B 10x 2"}, 0, 4, false, false, "\"10x\" is not a valid pipe length"},
      {{"Pipe P1 A B 10 1.3"}, 0, 5, false, false, "\"1.3\" is not a valid nominal pipe size for pipe material \"S40\""},
      {{"Pipe P1 A B 10 2 ZZ"}, 0, 6, false, false, "\"ZZ\" is not a valid fitting for size 2 pipe of \"S40\" material"},
      {{"Pipe P1 A B 10 2 vb VE"}, 0, 6, true, false, ""},
      {{"Pipe P1 A B 10 2", "Pipe p1 B C 10 2"}, 1, 1, false, false, "\"p1\" has already been used as a pipe's name"},
      {{"Head H1 0 10 5.6"}, 0, 3, true, true, "Minimum head pressure is 3.189 psi"},
      {{"Head H1 0 -5 5.6"}, 0, 3, true, true, "Minimum head pressure is 5.00 psi"},
      {{"Head H1 0 25 5.6"}, 0, 3, true, false, ""},
      {{"Head H1 0 0 5.6"}, 0, 3, false, false, "\"0\" is not a valid discharge (flow) value"},
      {{"Head H1 0 10 K99"}, 0, 4, false, false, "\"K99\" is not a valid K-factor value"},
      {{"Node N1 1e400"}, 0, 2, false, false, "\"1e400\" is not a valid elevation"},
      {{"Node N1 1-2"}, 0, 2, false, false, "\"1-2\" is not a valid elevation"},
      {{"Node N1 --5"}, 0, 2, false, false, "\"--5\" is not a valid elevation"},
      {{"Node N1 10 ft"}, 0, 3, false, false, "\"ft\" is not a valid discharge (flow) value"},
      {{"Node N1 10'6"}, 0, 2, true, false, ""},
      {{"Use S40 1e400"}, 0, 2, false, false, "\"1e400\" is not a valid C-factor (or absolute roughness) value"},
      {{"Use S40 0"}, 0, 2, false, false, "\"0\" is not a valid C-factor (or absolute roughness) value"},
      {{"Use XYZ 120"}, 0, 1, false, false, "\"XYZ\" is not a valid pipe material code"},
      {{"Water W 0 0"}, 0, 3, false, false, "\"0\" is not a valid pressure value"},
      {{"Water W 0 60 0 50"}, 0, 4, false, false, "\"0\" is not a valid discharge (flow) value"},
      {{"Water W 0 60 500 0"}, 0, 5, true, false, ""},
      {{"Line 0 2 5 5 10"}, 0, 1, false, false, "Number of heads \"0\" is not 1 or greater"},
      {{"Main 2 1 10"}, 0, 2, false, false, "Number of branchlines \"1\" is not 2 or greater"},
      {{"Main 2 3 10", "MainCont 2 0 10"}, 1, 2, false, false, "Number of branchlines \"0\" is not 1 or greater"},
      {{"Flow 0 1 2 2 10 5.6"}, 0, 1, false, false, "\"0\" is not an integer value"},
      {{"Density 0"}, 0, 1, false, false, "\"0\" is not a valid density value"},
      {{"BP PX 50 500 40"}, 0, 1, false, false, "There is no pipe named \"PX\""},
      {{"ChangeNode NX 10"}, 0, 1, false, false, "There is no node named \"NX\""},
      {{"HC HX H2"}, 0, 1, false, false, "There is no node named \"HX\""},
      {{"Pipe P1 A B 10 2", "PC P1 P2 C c"}, 1, 4, false, false, "Starting and ending nodes must be different"},
      {{"Pump PS ps 0 120 500 100"}, 0, 2, false, false, "Node \"ps\" has already been defined"},
      {{"Drop 10 2", "Drop 10 2"}, 1, 0, false, false, "Only one \"Drop\" command may be used."},
      {{"Drop 10 2", "Drop 10 2"}, 0, 0, true, false, ""},
      {{"LineElev 10", "LE2 10"}, 1, 0, false, false, "Only one \"LineElev\" or \"LineElev2\" command may be used."},
      {{"TL 2 10 2", "TL 2 10 2"}, 1, 0, false, false, "Only one \"TreeLeft\" command may be used."},
      {{"Main 2 3 10", "Line 4 1 5 5 10", "Flow 1 1 5 2 10 5.6"}, 2, 3, false, false, "Value \"5\" should be between 1 and 4"},
      {{"Main 2 3 10", "Line 4 1 5 5 10", "Flow 1 1 4 4 10 5.6"}, 2, 4, false, false, "Value \"4\" should be between 1 and 3"},
  };
  for (const WordCase& c : cases) {
    TZubFile fresh;
    fresh.ParseLines(c.lines);
    const TZubParameter word = fresh.GetToken(c.line, c.index);
    SCOPED_TRACE(c.lines.back());
    EXPECT_EQ(word.Valid, c.valid);
    EXPECT_EQ(word.Suspect, c.suspect);
    EXPECT_EQ(word.Message, c.message);
  }
}

TEST_F(Scan, HeadAreaModeReadsTheDischargeAsAnArea) {
  project.HeadArea = true;  // areas in m2, density in mm/min, flows in gpm
  Read({"Density 4.1", "Head H1 0 12 5.6"});
  EXPECT_TRUE(Word(1, 3).Valid);
  EXPECT_NEAR(Word(1, 3).Value, 12 * 4.1 * 0.264172052, 1e-9);
  EXPECT_FALSE(Word(1, 3).Suspect);  // no head-pressure question in head-area mode
}

TEST_F(Scan, GetTokenOutsideTheTableIsAnEmptyRecord) {
  Read({"Node N1 0", ""});
  for (const auto& [line, index] : {std::pair{-1, 0}, {0, 3}, {1, 0}, {2, 0}, {0, -1}}) {
    const TZubParameter word = project.GetToken(line, index);
    EXPECT_FALSE(word.Present);
    EXPECT_FALSE(word.Valid);
    EXPECT_EQ(word.Command, -1);
    EXPECT_EQ(word.Letter, 0);
    EXPECT_TRUE(word.Text.empty());
  }
}

TEST_F(Scan, NameListsAndDefinitionLines) {
  Read({"Pipe P1 A B 10 2", "Node A 0", "Node C 0", "ChangePipe P1 20 2", "Head H1 0 25 5.6", "chn c 5"});
  EXPECT_EQ(project.FUndefinedNodes.Names(), (std::vector<std::string>{"B"}));
  EXPECT_EQ(project.FUnconnectedNodes.Names(), (std::vector<std::string>{"C", "H1"}));
  EXPECT_EQ(project.FindPipeLine("p1"), 0);
  EXPECT_EQ(project.FindNodeLine("h1"), 4);
  EXPECT_EQ(project.FindNodeLine("c"), 2);
  EXPECT_EQ(project.FindNodeLine("X"), -1);
  EXPECT_EQ(project.FindCommandLine(cmChangePipe, "P1"), 3);
}

TEST_F(Scan, HostileTextNeitherCrashesNorHangs) {
  std::string longLine = "Pipe P1 A B 10 2";
  while (longLine.size() < 100000) longLine += " E";
  std::string binary;
  for (int c = 0; c < 256; ++c) binary += static_cast<char>(c);
  std::vector<std::string> lines{longLine, binary, std::string(100000, 'x'), "Node " + std::string(5000, '9')};
  for (int i = 0; i < 200000; ++i) lines.push_back(i % 2 ? "Head H" + std::to_string(i % 1000) + " 0 25 5.6" : "");
  Read(lines);
  ASSERT_EQ(project.FTokens.size(), lines.size());
  EXPECT_EQ(project.FTokens[0].size(), 1 + 5 + (100000 - 16) / 2);
  EXPECT_TRUE(project.FTokens[0].back().Valid);
  EXPECT_EQ(Word(2, 0).Text, std::string(100000, 'x'));
  EXPECT_EQ(Word(3, 1).Text.size(), 5000u);
  EXPECT_EQ(Word(3, 1).Column, 5);
  EXPECT_FALSE(Word(3, 1).Valid);
}

}  // namespace
}  // namespace pelmora
