#include "input/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pelmora {
namespace {

TEST(CommandTable, WordsAndAbbreviationsMatchWholeWordsOnly) {
  const struct {
    const char* word;
    int command;
  } cases[] = {
      {"P", cmPipe},        {"pipe", cmPipe},       {"Pi", cmNone},        {"HEAD", cmHead},
      {"head", cmHead},     {"H", cmHead},          {"U", cmNone},         {"use", cmUse},
      {"W", cmWater},       {"D", cmDensity},       {"drop", cmDrop},      {"R", cmReduce},
      {"RN", cmRN},         {"TR", cmTreeRight},    {"tl", cmTreeLeft},    {"//", cmComment},
      {"//note", cmComment}, {"/", cmNone},         {"chp", cmChangePipe}, {"LE2", cmLineElev2},
      {"fav", cmFavourable}, {"  node ", cmNode},   {"", cmNone},          {"PIPES", cmNone},
  };
  for (const auto& c : cases) EXPECT_EQ(LookupCommand(c.word), c.command) << '"' << c.word << '"';
}

TEST(CommandTable, EveryRowIsFoundByItsOwnWords) {
  std::set<std::string> names;
  for (int command = 1; command <= kCommandCount; ++command) {
    const TCommandInfo& info = CommandInfo(command);
    EXPECT_EQ(LookupCommand(std::string(info.Name)), command);
    if (!info.Abbreviation.empty()) {
      EXPECT_EQ(LookupCommand(std::string(info.Abbreviation)), command);
    }
    EXPECT_TRUE(names.insert(std::string(info.Name)).second) << info.Name;
    EXPECT_FALSE(info.Format.empty());
    EXPECT_FALSE(info.Help.empty());
  }
  EXPECT_EQ(CommandInfo(cmPipe).Kinds, "PNNLSFR1");
  EXPECT_EQ(CommandInfo(cmPump).Kinds, "NNEAQBR2");
  EXPECT_EQ(CommandInfo(cmFourHeads).Format, "FourHeads;NodeName;[NodeName];[NodeName];[NodeName]");
  EXPECT_EQ(CommandInfo(cmDensity).Help, "900");
}

}  // namespace
}  // namespace pelmora
