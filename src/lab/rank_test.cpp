#include "lab/rank.h"

#include <sstream>

#include <gtest/gtest.h>

#include "lab/cli/heat_map.h"

namespace bramble::lab {
namespace {

std::string AsTyped(std::string s) { return s; }

// The names of `text` read from a stream and read from the text itself:
// both must split lines as std::getline does.
std::vector<NameList> Read(const std::string& text) {
  std::istringstream in(text);
  return {ReadNames(in, AsTyped), ReadNames(std::string_view(text), AsTyped)};
}

TEST(ReadNames, OneNamePerLine) {
  struct Case {
    std::string text;
    std::vector<std::string> names;
    const char* error;  // part of the message; "" for none
  };
  const Case cases[] = {
      {"abc\nxyz\n", {"abc", "xyz"}, ""},
      {"abc\r\nxyz\r\n", {"abc", "xyz"}, ""},
      {"  abc \n\n\t\nxyz", {"abc", "xyz"}, ""},  // blanks around, blank lines, no final end
      {"\n\nabc\n\nxyz\n\n", {"abc", "xyz"}, ""},
      {"abc\n\nab c\n", {}, "line 3: a name holds no blanks"},  // blank lines are counted
      {"abc\nx\ryz\n", {}, "line 2: a name holds no blanks"},
      {"甲乙\nabc\n", {"甲乙", "abc"}, ""},
      // bytes kept as they are: GBK (张三) and UTF-8 (é), which decode takes
      {"\xd5\xc5\xc8\xfd\n\xc3\xa9\n", {"\xd5\xc5\xc8\xfd", "\xc3\xa9"}, ""},
      {"abc\nxyz\nabc\n", {}, "line 3 repeats the name on line 1"},
      {"abc\nx yz\n", {}, "line 2: a name holds no blanks"},
      {"abc\n", {}, "at least two names, found 1"},
      {"", {}, "found 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    for (const NameList& list : Read(c.text)) {
      if (*c.error) {
        EXPECT_NE(list.error.find(c.error), std::string::npos) << list.error;
      } else {
        EXPECT_EQ(list.error, "");
        EXPECT_EQ(list.names, c.names);
      }
    }
  }
}

TEST(ReadNames, DuplicatesAreFoundAfterDecoding) {
  std::istringstream in("ABC\nabc\n");
  NameList list = ReadNames(in, [](std::string s) {
    for (char& c : s)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  });
  EXPECT_NE(list.error.find("repeats"), std::string::npos);
}

TEST(RankNames, RanksByMeanWinRate) {
  std::vector<std::string> names = {"alice", "abc", "xyz", "bob"};
  uint64_t last = 0;
  Ranking ranking = RankField(FieldOf(names), 20000, 11,
                              {WidestLanePath(), 2, [&](uint64_t done) { last = done; }});
  const std::vector<RankRow>& rows = ranking.rows;
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(last, 6u * 20000);  // six pairs
  double sum = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    sum += rows[i].mean_win_rate;
    if (i > 0) {
      EXPECT_GE(rows[i - 1].mean_win_rate, rows[i].mean_win_rate);
    }
  }
  // Every battle has one winner, so the rates of each pair add up to one
  // and the mean rates to half the number of names.
  EXPECT_NEAR(sum, 2.0, 1e-12);
  EXPECT_EQ(rows[0].fighter.name, "xyz");  // wins about 72 % against abc alone
}

// Three names with known results: c beats both, a beats b narrowly and ranks above it. The
// matrix follows the ranking, each cell the row's wins over the column.
TEST(RankPairs, OrdersRowsMatrixAndIntervalsByTheResults) {
  std::vector<std::string> names = {"a", "b", "c"};
  std::vector<PairResult> pairs = {{0, 1, 550, 440, 1000},  // 10 unfinished
                                   {0, 2, 200, 800, 1000},
                                   {1, 2, 300, 700, 1000}};
  Ranking ranking = RankPairs(FieldOf(names), pairs);
  ASSERT_EQ(ranking.rows.size(), 3u);
  EXPECT_EQ(ranking.rows[0].fighter.name, "c");
  EXPECT_EQ(ranking.rows[1].fighter.name, "a");
  EXPECT_EQ(ranking.rows[2].fighter.name, "b");
  EXPECT_EQ(ranking.rows[0].beaten, 2);
  EXPECT_EQ(ranking.rows[2].beaten, 0);
  EXPECT_DOUBLE_EQ(ranking.rows[1].mean_win_rate, (0.55 + 0.2) / 2);
  EXPECT_EQ(ranking.rows[1].total.wins, 750u);
  EXPECT_EQ(ranking.rows[1].total.battles, 2000u);
  Interval pooled = WilsonInterval(750, 2000);
  EXPECT_DOUBLE_EQ(ranking.rows[1].interval.low, pooled.low);
  EXPECT_DOUBLE_EQ(ranking.rows[1].interval.high, pooled.high);
  // rows and columns: c, a, b
  EXPECT_EQ(ranking.matrix[0][1].wins, 800u);  // c over a
  EXPECT_EQ(ranking.matrix[1][2].wins, 550u);  // a over b
  EXPECT_EQ(ranking.matrix[2][1].wins, 440u);  // b over a
  EXPECT_EQ(ranking.matrix[2][0].wins, 300u);  // b over c

  // The heat map shows those cells in that order, each on its colour.
  std::vector<Segment> map = HeatMap(ranking);
  std::vector<std::pair<std::string, uint16_t>> cells;
  for (const Segment& segment : map) {
    if (segment.attribute != 7 && segment.text.find('.') != std::string::npos)
      cells.push_back({segment.text, segment.attribute});
  }
  const std::vector<std::pair<std::string, uint16_t>> want = {
      {"  80.0 ", HeatColour(0.8)},  {"  70.0 ", HeatColour(0.7)}, {"  20.0 ", HeatColour(0.2)},
      {"  55.0 ", HeatColour(0.55)}, {"  30.0 ", HeatColour(0.3)}, {"  44.0 ", HeatColour(0.44)}};
  EXPECT_EQ(cells, want);
  EXPECT_NE(HeatColour(0.1), HeatColour(0.9));
}

}  // namespace
}  // namespace bramble::lab
