#include "input/convert_text.h"

#include <gtest/gtest.h>

#include "input/zub_file.h"

namespace pelmora {
namespace {

TEST(ConvertText, UsToMetricKeepsTheColumns) {
  TZubFile project;
  const TUnitSet us = project.Units;
  TUnitSet metric = MetricUnits();
  metric.HeadArea = us.HeadArea;
  metric.Density = us.Density;
  std::vector<std::string> lines{"Pipe P1 A B 10 1.25 E  // ten feet", "Head H1 10 25 5.6", "Head H2 10 25 EQ1",
                                 "Use S40 120", "", "Water W 0 60 500 50", "Bogus 10 20"};
  ConvertText(project, lines, us, metric);
  EXPECT_EQ(lines[0], "Pipe P1 A B " + FormatLength(5, 3.048) + " 32   E  // ten feet");
  EXPECT_EQ(lines[1], "Head H1 " + FormatLength(5, 3.048) + " " + FormatFloat("0.0##", ConvertFlow(25, 0, 1)) + " " +
                          FormatFloat("0.0#", ConvertK(5.6, 0, 1)));
  EXPECT_TRUE(lines[2].ends_with(" EQ1"));  // an equivalent-K code is no number
  EXPECT_EQ(lines[3], "Use S40 120");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "Water W " + FormatLength(5, 0) + " " + FormatFloat("0.0##", ConvertPressure(60, 0, 1)) + " " +
                          FormatFloat("0.0##", ConvertFlow(500, 0, 1)) + " " +
                          FormatFloat("0.0##", ConvertPressure(50, 0, 1)));
  EXPECT_EQ(lines[6], "Bogus 10 20");
  EXPECT_EQ(project.Units, metric);
}

TEST(ConvertText, ShorterWordsArePaddedToTheOldWidth) {
  TZubFile project;
  TUnitSet from = project.Units;
  TUnitSet to = from;
  to.Size = 3;  // inches to millimetres
  std::vector<std::string> lines{"Pipe P1 A B 10 1.25      E"};
  ConvertText(project, lines, from, to);
  EXPECT_EQ(lines[0], "Pipe P1 A B 10 32        E");
}

}  // namespace
}  // namespace pelmora
