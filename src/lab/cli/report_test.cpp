#include "lab/cli/report.h"

#include <gtest/gtest.h>

#include "lab/cli/progress.h"
#include "lab/numbers.h"

namespace bramble::lab {
namespace {

TEST(LowestTerms, ReducesFractions) {
  EXPECT_EQ(LowestTerms(2147483648u, uint64_t{1} << 32), "1/2");
  EXPECT_EQ(LowestTerms(3, 4294967296u), "3/4294967296");
  EXPECT_EQ(LowestTerms(0, 4294967296u), "0/1");
  EXPECT_EQ(LowestTerms(4294967296u, 4294967296u), "1/1");
  EXPECT_EQ(LowestTerms(600, 1000), "3/5");
}

TEST(FighterTable, ShowsAllSixAttributesAndAlignsGbkNames) {
  Fighter one;
  one.Build("abc");
  Fighter two;
  two.Build("甲乙丙");  // six bytes, six columns on the screen
  std::string table = FighterTable(one, two);
  EXPECT_EQ(table.substr(0, table.find("  *")),
            "  name     HP   MP  ATK  DEF  agility*  cunning*\n"
            "  abc     225  214  176  210       150       152\n"
            "  " +
                two.name + "  " + std::to_string(two.hp) + "  " + std::to_string(two.mp) + "  " +
                std::to_string(two.atk) + "  " + std::to_string(two.def) + "       " +
                std::to_string(two.agility) + "       " + std::to_string(two.cunning) + "\n");
  EXPECT_NE(table.find("* hidden"), std::string::npos);
}

TEST(ExactReport, GivesFractionAndPercentage) {
  Fighter one;
  one.Build("abc");
  Fighter two;
  two.Build("xyz");
  Tally tally;
  for (int i = 0; i < 3; ++i)
    tally.Add({Winner::kFirst, 10});
  tally.Add({Winner::kSecond, 20});
  std::string report = ExactReport(one, two, tally, {{0, 4}});
  EXPECT_NE(report.find("abc   wins 3/4 = 75.00000000 %"), std::string::npos) << report;
  EXPECT_NE(report.find("xyz   wins 1/4 = 25.00000000 %"), std::string::npos) << report;
  EXPECT_NE(report.find("mean 12.50, median 10"), std::string::npos) << report;
  std::string all = ExactReport(one, two, tally, {{0, uint64_t{1} << 32}});
  EXPECT_NE(all.find("all 4294967296 start states"), std::string::npos) << all;
  EXPECT_NE(all.find("wins 3/4294967296 = 0.00000007 %"), std::string::npos) << all;
}

TEST(ProgressLine, ShowsShareRateAndTimeLeft) {
  EXPECT_EQ(ProgressLine(0, 100, 0),
            "[..............................]   0.0 %    0.00 M battles/s  --:-- left");
  EXPECT_EQ(ProgressLine(2000000, 4000000, 1),
            "[###############...............]  50.0 %    2.00 M battles/s  0:01 left");
  EXPECT_EQ(ProgressLine(1000000, 4295000000u, 0.5).substr(62), "35:47 left");
  EXPECT_EQ(ProgressLine(1000000, 40000000000u, 0.5).substr(62), "5:33:20 left");
  EXPECT_EQ(ProgressLine(5, 5, 2).substr(0, 40), "[##############################] 100.0 %");
}

}  // namespace
}  // namespace bramble::lab
