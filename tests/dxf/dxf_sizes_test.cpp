#include <gtest/gtest.h>

#include "dxf/dxf_sizes.h"
#include "materials/materials.h"

namespace pelmora {
namespace {

TdxfLine Pipe(double x1, double y1, double x2, double y2) {
  TdxfLine pipe;
  pipe.Start = {x1, y1, 0};
  pipe.End = {x2, y2, 0};
  return pipe;
}

TdxfText Text(const std::string& value, double x, double y, double rotation, const std::string& handle) {
  TdxfText text;
  text.Text = value;
  text.Point = {x, y, 0};
  text.Rotation = rotation;
  text.Handle = handle;
  return text;
}

constexpr int kInch = 2, kMillimetre = 3;

TEST(DxfSizes, MutuallyNearestPipeAndTextArePairedFirst) {
  // Text A is nearest to both pipes but nearest of all to pipe 0; pipe 1 waits for text B.
  std::vector<TdxfLine> pipes = {Pipe(0, 0, 100, 0), Pipe(0, 20, 100, 20)};
  std::vector<TdxfText> texts = {Text("2", 50, 5, 0, "A"), Text("1.5", 50, 40, 0, "B")};
  AssignPipeSizes(pipes, texts, kInch, kInch);
  EXPECT_EQ(pipes[0].SizeTextHandle, "A");
  EXPECT_EQ(pipes[0].SizeText, "2.0");
  EXPECT_DOUBLE_EQ(pipes[0].Size, 2);
  EXPECT_EQ(pipes[1].SizeTextHandle, "B");
  EXPECT_EQ(pipes[1].SizeText, "1.5");
}

TEST(DxfSizes, ParallelTextIsTakenLaterEvenWhenAnotherPipeIsNearer) {
  // Text V runs up the vertical pipe 1 but lies nearer to pipe 0, which has its own text.
  std::vector<TdxfLine> pipes = {Pipe(0, 0, 100, 0), Pipe(100, 100, 100, 300)};
  std::vector<TdxfText> texts = {Text("2", 50, 4, 0, "H"), Text("1", 95, 30, 270, "V")};
  AssignPipeSizes(pipes, texts, kInch, kInch);
  EXPECT_EQ(pipes[0].SizeTextHandle, "H");
  EXPECT_EQ(pipes[1].SizeTextHandle, "V");
  EXPECT_EQ(pipes[1].SizeText, "1.0");
}

TEST(DxfSizes, CrossingTextNearerAnotherPipeIsLeftAndThePipeGetsTheDefault) {
  std::vector<TdxfLine> pipes = {Pipe(0, 0, 100, 0), Pipe(100, 100, 100, 300)};
  std::vector<TdxfText> texts = {Text("2", 50, 4, 0, "H"), Text("1", 95, 30, 0, "X")};
  AssignPipeSizes(pipes, texts, kInch, kInch);
  EXPECT_EQ(pipes[1].SizeText, "1\"");
  EXPECT_DOUBLE_EQ(pipes[1].Size, 1);
  EXPECT_TRUE(pipes[1].SizeTextHandle.empty());
}

TEST(DxfSizes, SizesGoThroughTheNominalTableToTheProjectUnit) {
  std::vector<TdxfLine> pipes = {Pipe(0, 0, 100, 0), Pipe(0, 50, 100, 50)};
  std::vector<TdxfText> texts = {Text("1.25", 50, 4, 0, "A")};
  AssignPipeSizes(pipes, texts, kInch, kMillimetre);
  EXPECT_EQ(pipes[0].SizeText, "32");
  EXPECT_DOUBLE_EQ(pipes[0].Size, 32);
  EXPECT_EQ(pipes[1].SizeText, "25");
}

TEST(DxfSizes, FractionTextsAndDashedSizes) {
  TDxfOptions options;
  options.OneQuarter = std::string(1, '\xBC');  // the single-byte code page's 1/4, 1/2 and 3/4 signs
  options.OneHalf = std::string(1, '\xBD');
  options.ThreeQuarter = std::string(1, '\xBE');
  EXPECT_EQ(ReplaceFractions("1\xBD", options), "1.5");
  EXPECT_EQ(ReplaceFractions("2\xBD", options), "2.5");
  EXPECT_EQ(ReplaceFractions("1\xBC", options), "1.25");
  EXPECT_EQ(ReplaceFractions("\xBE", options), ".75");
  EXPECT_EQ(ReplaceFractions("1.5", TDxfOptions{}), "1.5");

  const TMaterials& materials = Materials();
  EXPECT_TRUE(IsSizeText("1.5", materials, kInch));
  EXPECT_TRUE(IsSizeText("25mm", materials, kInch));
  EXPECT_FALSE(IsSizeText("1-1/2", materials, kInch));
  EXPECT_FALSE(IsSizeText("1.3", materials, kInch));
  EXPECT_FALSE(IsSizeText("ROOM 101", materials, kInch));
  EXPECT_TRUE(IsSizeText("50", materials, kMillimetre));
  EXPECT_FALSE(IsSizeText("1.5", TMaterials{}, kInch));
}

}  // namespace
}  // namespace pelmora
