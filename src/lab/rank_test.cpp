#include "lab/rank.h"

#include <sstream>

#include <gtest/gtest.h>

namespace bramble::lab {
namespace {

NameList Read(const std::string& text) {
  std::istringstream in(text);
  return ReadNames(in, [](std::string s) { return s; });
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
      {"甲乙\nabc\n", {"甲乙", "abc"}, ""},
      {"abc\nxyz\nabc\n", {}, "line 3 repeats the name on line 1"},
      {"abc\nx yz\n", {}, "line 2: a name holds no blanks"},
      {"abc\n", {}, "at least two names, found 1"},
      {"", {}, "found 0"},
  };
  for (const Case& c : cases) {
    NameList list = Read(c.text);
    SCOPED_TRACE(c.text);
    if (*c.error) {
      EXPECT_NE(list.error.find(c.error), std::string::npos) << list.error;
    } else {
      EXPECT_EQ(list.error, "");
      EXPECT_EQ(list.names, c.names);
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
  std::vector<RankRow> rows =
      RankNames(names, 20000, 11, 2, [&](uint64_t done) { last = done; });
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(last, 6u * 20000);  // six pairs
  double sum = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    sum += rows[i].meanWinRate;
    if (i > 0) {
      EXPECT_GE(rows[i - 1].meanWinRate, rows[i].meanWinRate);
    }
    EXPECT_EQ(rows[i].fighter.name, rows[i].name);
  }
  // Every battle has one winner, so the rates of each pair add up to one
  // and the mean rates to half the number of names.
  EXPECT_NEAR(sum, 2.0, 1e-12);
  EXPECT_EQ(rows[0].name, "xyz");  // wins about 72 % against abc alone
}

}  // namespace
}  // namespace bramble::lab
