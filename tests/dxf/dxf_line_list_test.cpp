#include <gtest/gtest.h>

#include "dxf/dxf_line_list.h"
#include "dxf/dxf_messages.h"

namespace pelmora {
namespace {

const std::string kSmallest = "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";

TEST(DxfLineList, ChecksTheFileIsAnAsciiDrawingThatIsWhole) {
  struct Case {
    std::string Text;
    const char* Detail;  // empty when the text is accepted
  } cases[] = {
      {kSmallest, ""},
      {kSmallest + "\n\n", ""},  // blank lines after the EOF marker
      {"  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n", ""},
      {"", kDxfNoSection},
      {"999\nmade by hand\n0\nEOF\n", kDxfNoSection},
      {kSmallest.substr(0, kSmallest.size() - 4), kDxfTruncated},   // the last code has no value
      {kSmallest.substr(0, kSmallest.size() - 10), kDxfTruncated},  // no EOF marker
      {"0\nSECTION\n1.5\nX\n0\nEOF\n", "group code \"1.5\""},
      {"0\nSECTION\n99999\nX\n0\nEOF\n", "Line 3:"},
      {"hello\nworld\n", "group code \"hello\""},
      {std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION", 31), kDxfBinary},
  };
  for (const Case& c : cases) {
    TDxfLineList lines;
    bool loaded = lines.LoadFromText(c.Text, "x.dxf");
    EXPECT_EQ(loaded, std::string(c.Detail).empty()) << c.Text;
    if (loaded) continue;
    EXPECT_EQ(lines.Message(), FormatMessage(kDxfNotAscii, "x.dxf"));
    EXPECT_NE(lines.Detail().find(c.Detail), std::string::npos) << lines.Detail();
    EXPECT_EQ(lines.PairCount(), 0u);
  }
}

TEST(DxfLineList, SearchesWholePairsOnly) {
  // A text whose value is "5" followed by a height group: a search for the handle "40" must not
  // take the value line and the next code line for a handle group.
  TDxfLineList lines;
  ASSERT_TRUE(lines.LoadFromText("0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\n5\n40\n2.5\n0\nENDSEC\n0\nEOF\n", "x.dxf"));
  EXPECT_EQ(lines.Find(5, "40"), kNoPair);
  EXPECT_EQ(lines.Find(0, "text"), 2u);
  auto [first, end] = lines.Section("entities");
  EXPECT_EQ(first, 2u);
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(lines.NextObject(2), 5u);
}

TEST(DxfLineList, KeepsLineEndsAndReadsHeaderVariables) {
  TDxfLineList lines;
  ASSERT_TRUE(lines.LoadFromText("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$TEXTSIZE\r\n 40\r\n 6.5 \r\n"
                                 "  0\r\nENDSEC\r\n  0\r\nEOF\r\n",
                                 "x.dxf"));
  EXPECT_EQ(lines.LineEnd(), "\r\n");
  EXPECT_EQ(lines.CodeLine(0), "  0");
  EXPECT_EQ(lines.HeaderVariable("$textsize"), "6.5");
  EXPECT_EQ(lines.HeaderVariable("$HANDSEED"), "");
  EXPECT_EQ(lines.Number(3), 6.5);
}

TEST(DxfLineList, NumbersAreReadStrictly) {
  EXPECT_EQ(ParseDxfNumber(" 12.5 "), 12.5);
  EXPECT_EQ(ParseDxfNumber("+5"), 5);
  EXPECT_EQ(ParseDxfNumber("-1e3"), -1000);
  EXPECT_EQ(ParseDxfNumber("nan"), std::nullopt);
  EXPECT_EQ(ParseDxfNumber("inf"), std::nullopt);
  EXPECT_EQ(ParseDxfNumber("12,5"), std::nullopt);
  EXPECT_EQ(ParseDxfNumber(""), std::nullopt);
}

}  // namespace
}  // namespace pelmora
