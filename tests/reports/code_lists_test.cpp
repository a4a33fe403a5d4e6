#include "reports/code_lists.h"

#include <gtest/gtest.h>

#include "report_fixture.h"

namespace pelmora {
namespace {

using Lines = std::vector<std::string>;

class CodeListsTest : public ReportFixture {};

TEST_F(CodeListsTest, FittingsAreListedOnceEachRightAlignedAndSorted) {
  EXPECT_EQ(BuildFittingCodes(Context()), (Lines{" E - Standard 90 degree elbow", " G - Gate valve",
                                                 " T - Tee or cross, flow turned 90 degrees", "LE - Long radius elbow"}));
}

TEST_F(CodeListsTest, MaterialOwnFittingsCarryTheMaterialAndUnknownCodesAreErrors) {
  TPipe& pipe = *Engine.FPipes[3];
  pipe.Material = "cpvc";
  pipe.Fittings = {"3e", "T", "XY"};
  EXPECT_EQ(BuildFittingCodes(Context()),
            (Lines{"       E - Standard 90 degree elbow", "       G - Gate valve",
                   "       T - Tee or cross, flow turned 90 degrees", "      LE - Long radius elbow",
                   "   error - invalid fitting code \"XY\"", "E [CPVC] - CPVC 90 degree elbow"}));
  Project.MaterialFittings = false;
  EXPECT_EQ(BuildFittingCodes(Context())[0], "    E - Standard 90 degree elbow");
}

TEST_F(CodeListsTest, MaterialsAreLookedUpAndUnknownOnesLeftOut) {
  Engine.FPipes[2]->Material = "CPVC";
  Engine.FPipes[3]->Material = "NOPE";
  EXPECT_EQ(BuildMaterialCodes(Context()), (Lines{" S40 - Schedule 40 Steel", "CPVC - CPVC sprinkler pipe"}));
}

}  // namespace
}  // namespace pelmora
