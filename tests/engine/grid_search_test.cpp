#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/grid.h"

namespace pelmora {
namespace {

constexpr double kFailed = 100000000;

// Two mains of three junctions, three branch lines of four heads, and a 2 x 1 area at the bottom left:
// the area fits three positions along each line and on each of the three lines.
class GridSearchTest : public ::testing::Test {
 protected:
  TCalcEngine FEngine;
  TCalcGrid& FGrid = *FEngine.FGrid;

  void Build(bool autoPeak, bool reduce, int firstHead = 0, int firstLine = 0) {
    FEngine.SetUnits(TUnitSet{});
    FGrid.FUnits = TUnitSet{};
    FGrid.FAutoPeak = autoPeak;
    FGrid.FReduce = reduce;
    ASSERT_TRUE(FGrid.AddMain(0, 3, {10}, {}, 2));
    ASSERT_TRUE(FGrid.AddMain(1, 3, {10}, {}, 2));
    ASSERT_TRUE(FGrid.AddLines(1, 4, 1, 5, 5, {10}));
    ASSERT_TRUE(FGrid.AddMainElevation(1, 0, 0, 0, 0));
    ASSERT_TRUE(FGrid.AddMainElevation(2, 0, 0, 0, 0));
    ASSERT_TRUE(FGrid.AddLineElevation(false, 0, 0, {}, {}, false));
    TRemoteArea area;
    area.FirstHead = firstHead;
    area.LastHead = firstHead + 1;
    area.FirstLine = area.LastLine = firstLine;
    area.Discharge = 20;
    area.KFactor = 5.6;
    FGrid.AddRemoteArea(area);
    ASSERT_TRUE(FGrid.CommitGrid());
  }

  // The position of the area's lower-left head, read from the model.
  TGridPosition Placed() const {
    const auto& table = FGrid.HeadPositions();
    for (size_t line = 0; line < table.size(); ++line)
      for (size_t head = 0; head < table[line].size(); ++head)
        if (table[line][head] != nullptr && table[line][head]->Kind == nkHead)
          return {static_cast<int32_t>(head), static_cast<int32_t>(line)};
    return {-1, -1};
  }

  int HeadCount() const {
    int heads = 0;
    for (size_t i = 1; i < FEngine.FNodes.size(); ++i) heads += FEngine.FNodes[i]->Kind == nkHead;
    return heads;
  }

  // Runs the search with a criterion per position; returns the positions calculated, in order.
  std::vector<TGridPosition> Search(double (*criterion)(TGridPosition)) {
    std::vector<TGridPosition> tried;
    double value = 0;
    while (FGrid.SearchStep(value)) {
      tried.push_back(Placed());
      value = criterion(tried.back());
    }
    return tried;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const TCalcError& message : FEngine.FMessages) texts.push_back(message.Text);
    return texts;
  }
};

TEST_F(GridSearchTest, WithoutAutoPeakTheEnteredAreaIsCalculatedOnce) {
  Build(false, false, 1, 2);
  EXPECT_EQ(Placed(), (TGridPosition{1, 2}));
  EXPECT_EQ(HeadCount(), 2);
  EXPECT_TRUE(FGrid.SearchStep(0));
  EXPECT_FALSE(FGrid.SearchStep(0));
  EXPECT_FALSE(FGrid.Searched());
}

TEST_F(GridSearchTest, EveryPositionIsTriedLineByLineThenTheBestOnceMore) {
  Build(true, false);
  const auto tried = Search([](TGridPosition p) { return -1.0 * (p.Head + 10 * p.Line); });
  ASSERT_EQ(tried.size(), 10u);
  EXPECT_EQ(tried[0], (TGridPosition{0, 0}));
  EXPECT_EQ(tried[3], (TGridPosition{0, 1}));
  EXPECT_EQ(tried[8], (TGridPosition{2, 2}));
  EXPECT_EQ(tried[9], (TGridPosition{2, 2}));  // the final pass at the best position
  EXPECT_EQ(HeadCount(), 2);
  EXPECT_EQ(FGrid.BestPosition(), (TGridPosition{2, 2}));
  EXPECT_EQ(FGrid.PositionsTried(), 9);
  EXPECT_EQ(FGrid.PositionsFailed(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "[HINT] Remote area found: 2 head(s) right and 2 head(s) up from entered remote area."});
}

TEST_F(GridSearchTest, BestBelowAndLeftOfTheEnteredAreaIsReportedSo) {
  Build(true, false, 2, 2);
  Search([](TGridPosition p) { return p.Head == 1 && p.Line == 0 ? -5.0 : 0.0; });
  EXPECT_EQ(Placed(), (TGridPosition{1, 0}));
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "[HINT] Remote area found: 1 head(s) left and 2 head(s) down from entered remote area."});
}

TEST_F(GridSearchTest, EqualValuesKeepTheFirstPositionFound) {
  Build(true, false);
  Search([](TGridPosition) { return 3.0; });
  EXPECT_EQ(FGrid.BestPosition(), (TGridPosition{0, 0}));
  EXPECT_EQ(Messages(), std::vector<std::string>{"[HINT] Remote area found and is as entered."});
}

TEST_F(GridSearchTest, FailedPositionsAreWarnedAndNeverChosen) {
  Build(true, false);
  Search([](TGridPosition p) { return p.Line == 2 ? kFailed : -1.0 * (p.Head + p.Line); });
  EXPECT_EQ(FGrid.BestPosition(), (TGridPosition{2, 1}));
  EXPECT_EQ(FGrid.PositionsFailed(), 3);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], "[WARNING] Remote area at 1,3 did not calculate correctly.");
  EXPECT_EQ(messages[2], "[WARNING] Remote area at 3,3 did not calculate correctly.");
}

TEST_F(GridSearchTest, WhenEveryPositionFailsTheAreaReturnsToWhereItWasEntered) {
  Build(true, false, 1, 1);
  const auto tried = Search([](TGridPosition) { return kFailed; });
  EXPECT_EQ(tried.size(), 9u);  // no final pass
  EXPECT_EQ(Placed(), (TGridPosition{1, 1}));
  ASSERT_EQ(FEngine.FErrors.size(), 1u);
  EXPECT_EQ(FEngine.FErrors[0].Text, "No remote area found.");
  EXPECT_EQ(FEngine.FErrors[0].Code, 1025);
}

TEST_F(GridSearchTest, ReduceSearchesOnlyTheEnteredLine) {
  Build(true, true, 0, 1);
  const auto tried = Search([](TGridPosition p) { return -1.0 * p.Head; });
  ASSERT_EQ(tried.size(), 4u);
  for (const TGridPosition& p : tried) EXPECT_EQ(p.Line, 1);
  EXPECT_EQ(FGrid.BestPosition(), (TGridPosition{2, 1}));
}

TEST_F(GridSearchTest, ReduceJoinsEachLineWithoutHeadsIntoOnePipe) {
  Build(false, true, 0, 1);
  // Lines 1 and 3 carry no head: four pipes and three nodes each become one pipe from main to main.
  const auto& bays = FGrid.Bays();
  EXPECT_EQ(bays[1].Lines[0].size(), 1u);
  EXPECT_EQ(bays[1].Lines[2].size(), 1u);
  EXPECT_EQ(bays[1].Lines[1].size(), 5u);
  const TPipe* joined = bays[1].Lines[0].front();
  EXPECT_DOUBLE_EQ(joined->Length, 5 + 10 + 10 + 10 + 5);
  EXPECT_EQ(joined->Fittings, std::vector<std::string>{"2T"});
  EXPECT_EQ(joined->FromName, "M1-1");
  EXPECT_EQ(joined->ToName, "M2-1");
  EXPECT_EQ(FEngine.FindNode("L1-2"), nullptr);
  EXPECT_EQ(FEngine.FPipes.size() - 1, 4u + 1u + 5u + 1u);
}

TEST_F(GridSearchTest, AreaOutsideTheGridIsNotValid) {
  FEngine.SetUnits(TUnitSet{});
  ASSERT_TRUE(FGrid.AddMain(0, 3, {10}, {}, 2));
  ASSERT_TRUE(FGrid.AddMain(1, 3, {10}, {}, 2));
  ASSERT_TRUE(FGrid.AddLines(1, 4, 1, 5, 5, {10}));
  TRemoteArea area;
  area.FirstHead = 3;
  area.LastHead = 4;  // past the fourth head
  FGrid.AddRemoteArea(area);
  EXPECT_FALSE(FGrid.CommitGrid());
  ASSERT_EQ(FGrid.GridMessages().size(), 1u);
  EXPECT_EQ(FGrid.GridMessages()[0].Text, "Remote area not valid.");
  EXPECT_EQ(FEngine.FPipes.size(), 1u);
}

}  // namespace
}  // namespace pelmora
