#include "lab/exact_parts.h"

#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "lab/export.h"
#include "lab/json_read.h"
#include "lab/runs.h"

namespace bramble::lab {
namespace {

// A share of abc against xyz as the lab writes it.
std::string Share(uint64_t first, uint64_t count) {
  std::ostringstream json;
  WriteJson(json, ExactPair("abc", "xyz", {first, count}, 1));
  return json.str();
}

TEST(ExactParts, SharesMergeIntoTheWholeRun) {
  std::string error;
  std::vector<ExactPart> parts;
  for (const StateRange& range : SplitRange({1000, 3001}, 3)) {
    std::optional<ExactPart> part = ReadExactPart(Share(range.first, range.count), &error);
    ASSERT_TRUE(part) << error;
    parts.push_back(*part);
  }
  std::optional<ExactPart> merged = MergeExactParts(parts, &error);
  ASSERT_TRUE(merged) << error;
  std::optional<ExactPart> whole = ReadExactPart(Share(1000, 3001), &error);
  ASSERT_TRUE(whole) << error;
  ASSERT_EQ(merged->ranges.size(), 1u);  // adjacent shares join
  EXPECT_EQ(merged->ranges[0].first, 1000u);
  EXPECT_EQ(merged->ranges[0].count, 3001u);
  EXPECT_EQ(merged->name1, "abc");
  EXPECT_EQ(merged->tally.first_wins, whole->tally.first_wins);
  EXPECT_EQ(merged->tally.second_wins, whole->tally.second_wins);
  for (uint32_t ticks = 1; ticks < 200; ++ticks)
    ASSERT_EQ(merged->tally.LengthCount(ticks), whole->tally.LengthCount(ticks)) << ticks;
}

TEST(ExactParts, RefusesWhatWouldGiveAWrongAnswer) {
  std::string good = Share(0, 500);
  auto edited = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const std::pair<std::string, const char*> cases[] = {
      {edited("\"version\": \"", "\"version\": \"9"), "version"},
      {edited("\"kind\": \"exact\"", "\"kind\": \"sample\""), "not an exact result"},
      {edited("\"ranges\": [[0, 500]]", "\"ranges\": [[0, 501]]"), "do not add up"},
      {edited("\"ranges\": [[0, 500]]", "\"ranges\": [[4294967000, 500]]"), "beyond"},
      {edited("\"unfinished\": 0", "\"unfinished\": 1"), "do not add up"},
      {edited("\"cap\": 100000", "\"cap\": 5"), "tick cap"},
      {good.substr(0, good.size() / 2), "at byte"},
      {edited("\"program\": \"brambleworthen-odds\"", "\"program\": \"other\""), "not written by"},
      {"[" + std::string(100, '['), "deep"},
      {"{\"a\": " + std::string(1000000, '[') + std::string(1000000, ']') + "}", "deep"},
  };
  for (const auto& [text, why] : cases) {
    std::string error;
    EXPECT_FALSE(ReadExactPart(text, &error)) << why;
    EXPECT_NE(error.find(why), std::string::npos) << error;
  }

  std::string error;
  ExactPart a = *ReadExactPart(good, &error);
  ExactPart b = *ReadExactPart(Share(499, 10), &error);
  EXPECT_FALSE(MergeExactParts({a, b}, &error));
  EXPECT_NE(error.find("overlap"), std::string::npos);
  b.name2 = "xyw";
  b.ranges = {{600, 10}};
  EXPECT_FALSE(MergeExactParts({a, b}, &error));
  EXPECT_NE(error.find("different pairs"), std::string::npos);
}

TEST(ExactParts, SplitsCoverTheRangeInNearlyEqualJobs) {
  for (auto [range, jobs] :
       {std::pair{StateRange{0, kStateCount}, uint64_t{64}},
        std::pair{StateRange{7, 10}, uint64_t{3}}, std::pair{StateRange{5, 4}, uint64_t{4}}}) {
    std::vector<StateRange> split = SplitRange(range, jobs);
    ASSERT_EQ(split.size(), jobs);
    uint64_t next = range.first;
    for (const StateRange& part : split) {
      EXPECT_EQ(part.first, next);
      EXPECT_LE(part.count, range.count / jobs + 1);
      EXPECT_GE(part.count, range.count / jobs);
      next += part.count;
    }
    EXPECT_EQ(next, range.first + range.count);
  }
}

TEST(Json, ReadsBackWhatIsWritten) {
  // What the writer escapes, a JSON reader reads back as the same text
  // (UTF-8 written out: this file's literals are compiled to GBK).
  for (const char* text : {"a\"b\\c\n\x01 \xE7\x94\xB2", "\x7F", ""}) {
    nlohmann::json doc = nlohmann::json::parse(JsonString(text), nullptr, false);
    ASSERT_TRUE(doc.is_string()) << text;
    EXPECT_EQ(doc.get<std::string>(), text);
  }
  // Whatever is not JSON is refused with the place where it stops being so.
  for (const char* bad :
       {"", "{", "{\"a\" 1}", "[1,]", "\"\\x\"", "01", "1x", "[1] 2", "\"a\nb\"", "\"\xFF\""}) {
    std::string error;
    EXPECT_FALSE(ReadExactPart(bad, &error)) << bad;
    EXPECT_NE(error.find("at byte"), std::string::npos) << bad << ": " << error;
  }
}

TEST(ShellQuote, KeepsEveryByteOfAName) {
  EXPECT_EQ(ShellQuote("abc"), "abc");
  EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
  EXPECT_EQ(ShellQuote("$(rm -rf ~) `x`"), "'$(rm -rf ~) `x`'");
  EXPECT_EQ(ShellQuote(""), "''");
}

}  // namespace
}  // namespace bramble::lab
