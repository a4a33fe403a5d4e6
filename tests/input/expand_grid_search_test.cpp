#include <gtest/gtest.h>

#include "expand_grid_support.h"
#include "input/calc_run.h"

namespace pelmora::testing {
namespace {

// A tree of four branch lines on one main, fed at its first junction; the lines rise from 10 to 40,
// so the far end of the top line is the most demanding place for a 2 x 2 area.
std::vector<std::string> RisingTree(const std::vector<std::string>& extra) {
  std::vector<std::string> text{"Water W 0 175 500 150", "Pipe RISER W M1-1 20 4",
                                "Main 3 4 10",          "ME 10",
                                "TreeRight 6 5 1.5 10 1.25 10 1", "LineElev2 10 40",
                                "Flow 1 1 2 2 20 5.6"};
  text.insert(text.end(), extra.begin(), extra.end());
  return text;
}

std::vector<std::string> MessageTexts(const TRunResult& result) { return result.Messages; }

TEST(AutoPeakSearch, FindsTheFarCornerAndKeepsItsResults) {
  TZubFile project;
  const TRunResult result = pelmora::Run(RisingTree({"AutoPeak"}), project);
  ASSERT_TRUE(result.Success) << ::testing::PrintToString(result.Messages);
  const TCalcGrid& grid = *result.Engine->FGrid;
  EXPECT_EQ(grid.BestPosition(), (TGridPosition{4, 2}));
  EXPECT_EQ(grid.PositionsTried(), 15);
  EXPECT_EQ(grid.PositionsFailed(), 0);
  EXPECT_EQ(result.Messages, std::vector<std::string>{
                                 "[HINT] Remote area found: 4 head(s) right and 2 head(s) up from entered remote area."});
  // The final results are those of the area where it was found.
  std::vector<std::string> only = RisingTree({});
  only.back() = "Flow 5 3 6 4 20 5.6";
  TZubFile single;
  const TRunResult expected = pelmora::Run(only, single);
  ASSERT_TRUE(expected.Success);
  EXPECT_NEAR(result.Engine->FMargin, expected.Engine->FMargin, 1e-9);
  EXPECT_NEAR(result.Engine->FDemandFlow, expected.Engine->FDemandFlow, 1e-9);
  EXPECT_EQ(result.Engine->FSprinklerCount, 4);
}

TEST(AutoPeakSearch, FavourableChoosesTheLargestMargin) {
  TZubFile project;
  const TRunResult result = pelmora::Run(RisingTree({"AutoPeak", "Favourable"}), project);
  ASSERT_TRUE(result.Success) << ::testing::PrintToString(result.Messages);
  EXPECT_EQ(result.Engine->FGrid->BestPosition(), (TGridPosition{0, 0}));
  EXPECT_EQ(MessageTexts(result), std::vector<std::string>{"[HINT] Remote area found and is as entered."});
}

TEST(AutoPeakSearch, ReduceSearchesAlongTheEnteredLineOnly) {
  TZubFile project;
  const TRunResult result = pelmora::Run(RisingTree({"AutoPeak", "Reduce"}), project);
  ASSERT_TRUE(result.Success) << ::testing::PrintToString(result.Messages);
  EXPECT_EQ(result.Engine->FGrid->BestPosition(), (TGridPosition{4, 0}));
  EXPECT_EQ(result.Engine->FGrid->PositionsTried(), 5);
  // The two upper lines carried no head and were taken out of the model.
  EXPECT_EQ(result.Engine->FindNode("L4-1"), nullptr);
  EXPECT_EQ(MessageTexts(result), std::vector<std::string>{
                                      "[HINT] Remote area found: 4 head(s) right and 0 head(s) up from entered remote area."});
}

TEST(AutoPeakSearch, AreaAlreadyMostDemandingIsReportedAsEntered) {
  std::vector<std::string> text = RisingTree({"AutoPeak"});
  text[6] = "Flow 5 3 6 4 20 5.6";
  TZubFile project;
  const TRunResult result = pelmora::Run(text, project);
  ASSERT_TRUE(result.Success);
  EXPECT_EQ(result.Messages, std::vector<std::string>{"[HINT] Remote area found and is as entered."});
}

}  // namespace
}  // namespace pelmora::testing
