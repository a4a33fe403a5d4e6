#include <gtest/gtest.h>

#include "dxf/dxf_fittings.h"

namespace pelmora {
namespace {

TEST(DxfFittings, DeflectionGivesFittingsByTheAngleTable) {
  struct Case {
    int Deflection, Pipes;
    const char* Fittings;
  } cases[] = {
      {0, 2, ""},          {14, 2, ""},       {15, 2, " HE"},       {55, 2, " HE"},   {56, 2, " E"},
      {90, 2, " E"},       {100, 2, " E"},    {101, 2, " E HE"},    {145, 2, " E HE"}, {146, 2, " 2E"},
      {180, 2, " 2E"},     {14, 3, ""},       {15, 3, " T"},        {100, 3, " T"},   {101, 3, " T HE"},
      {145, 4, " T HE"},   {146, 3, " T E"},  {180, 4, " T E"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FittingForDeflection(c.Deflection, c.Pipes), c.Fittings) << c.Deflection << " degrees, " << c.Pipes;
}

TEST(DxfFittings, DeflectionIsTheChangeOfDirectionInWholeDegrees) {
  TDxfPoint east{1, 0, 0}, west{-1, 0, 0}, north{0, 1, 0}, up{0, 0, 2};
  EXPECT_EQ(DeflectionDegrees(east, west), 0);   // a straight run
  EXPECT_EQ(DeflectionDegrees(east, north), 90);
  EXPECT_EQ(DeflectionDegrees(east, east), 180);  // a fold back
  EXPECT_EQ(DeflectionDegrees(west, up), 90);     // a riser
  EXPECT_EQ(DeflectionDegrees(east, {-1, 1, 0}), 45);
  EXPECT_EQ(DeflectionDegrees({120, 0, 0}, {1e-9, 120, 0}), 90);  // drafting noise on a square turn
  EXPECT_EQ(DeflectionDegrees(east, {-1, 0.2679, 0}), 14);         // 14.99 degrees: truncated
}

TdxfLine Pipe(TDxfPoint start, TDxfPoint end, int node1, int node2, double size, bool main) {
  TdxfLine pipe;
  pipe.Start = start;
  pipe.End = end;
  pipe.Node1 = node1;
  pipe.Node2 = node2;
  pipe.Size = size;
  pipe.Main = main;
  return pipe;
}

TEST(DxfFittings, ElbowGoesOnTheSmallerPipeOrTheLaterOneOnATie) {
  std::vector<TdxfLine> pipes = {Pipe({0, 0, 0}, {10, 0, 0}, 0, 1, 1, false),
                                 Pipe({10, 0, 0}, {10, 10, 0}, 1, 2, 2, false)};
  AddFittings(pipes, 3);
  EXPECT_EQ(pipes[0].Fittings, " E");
  EXPECT_EQ(pipes[1].Fittings, "");

  pipes[0].Fittings.clear();
  pipes[1].Size = 1;
  AddFittings(pipes, 3);
  EXPECT_EQ(pipes[0].Fittings, "");
  EXPECT_EQ(pipes[1].Fittings, " E");
}

TEST(DxfFittings, BranchLineMeetingAMainTakesTheTeeWhateverTheSizes) {
  // The main runs straight through node 1; the branch line leaves it at 90 degrees.
  std::vector<TdxfLine> pipes = {Pipe({0, 0, 0}, {10, 0, 0}, 0, 1, 1, true),
                                 Pipe({10, 0, 0}, {20, 0, 0}, 1, 2, 1, true),
                                 Pipe({10, 0, 0}, {10, 10, 0}, 1, 3, 2, false)};
  AddFittings(pipes, 4);
  EXPECT_EQ(pipes[0].Fittings, "");
  EXPECT_EQ(pipes[1].Fittings, "");
  EXPECT_EQ(pipes[2].Fittings, " T");
}

TEST(DxfFittings, PipeWithBothEndsOnOneNodeCountsNowhere) {
  std::vector<TdxfLine> pipes = {Pipe({0, 0, 0}, {10, 0, 0}, 0, 1, 1, false),
                                 Pipe({10, 0, 0}, {10, 0.1, 0}, 1, 1, 1, false),
                                 Pipe({10, 0, 0}, {20, 0, 0}, 1, 2, 1, false)};
  AddFittings(pipes, 3);
  for (const TdxfLine& pipe : pipes) EXPECT_EQ(pipe.Fittings, "");
}

}  // namespace
}  // namespace pelmora
