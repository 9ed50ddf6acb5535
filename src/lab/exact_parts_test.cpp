#include "lab/exact_parts.h"

#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "lab/export.h"
#include "lab/json_read.h"
#include "lab/runs.h"
#include "lab/silent_battle.h"

namespace bramble::lab {
namespace {

// A share of abc against xyz as the lab writes it.
std::string Share(std::vector<StateRange> ranges) {
  std::ostringstream json;
  WriteJson(json, ExactPair(MatchUp::Of("abc", "xyz"), std::move(ranges), {WidestLanePath()}));
  return json.str();
}
std::string Share(uint64_t first, uint64_t count) { return Share({{first, count}}); }

TEST(ExactParts, SharesMergeIntoTheWholeRun) {
  Refusal error;
  std::vector<ExactPart> parts;
  for (const std::vector<StateRange>& ranges : SplitRanges({{1000, 3001}}, 3)) {
    std::optional<ExactPart> part = ReadExactPart(Share(ranges), &error);
    ASSERT_TRUE(part) << error.text;
    parts.push_back(*part);
  }
  std::optional<ExactPart> merged = MergeExactParts(parts, &error);
  ASSERT_TRUE(merged) << error.text;
  std::optional<ExactPart> whole = ReadExactPart(Share(1000, 3001), &error);
  ASSERT_TRUE(whole) << error.text;
  ASSERT_EQ(merged->ranges.size(), 1u);  // adjacent shares join
  EXPECT_EQ(merged->ranges[0].first, 1000u);
  EXPECT_EQ(merged->ranges[0].count, 3001u);
  EXPECT_EQ(merged->one.name, "abc");
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
    Refusal error;
    EXPECT_FALSE(ReadExactPart(text, &error)) << why;
    EXPECT_NE(error.text.find(why), std::string::npos) << error.text;
  }

  Refusal error;
  ExactPart a = *ReadExactPart(good, &error);
  ExactPart b = *ReadExactPart(Share(499, 10), &error);
  EXPECT_FALSE(MergeExactParts({a, b}, &error));
  EXPECT_NE(error.text.find("overlap"), std::string::npos);
  b.two.Build("xyw");
  b.ranges = {{600, 10}};
  EXPECT_FALSE(MergeExactParts({a, b}, &error));
  EXPECT_NE(error.text.find("different pairs"), std::string::npos);
}

TEST(ExactParts, SplitsCoverTheRangeInJobsOfNearlyEqualBattles) {
  constexpr uint64_t kHalf = kTwinDistance;
  const std::pair<std::vector<StateRange>, uint64_t> cases[] = {
      {{{0, kStateCount}}, 64},  // every job a range and its twins
      {{{7, 10}}, 3},
      {{{5, 4}}, 4},
      {{{kHalf - 6, 20}}, 5},  // 6 alone below the middle, then 14 above
      {{{3, 4}, {kHalf, 10}}, 4},
  };
  for (const auto& [ranges, jobs] : cases) {
    std::vector<std::vector<StateRange>> split = SplitRanges(ranges, jobs);
    ASSERT_EQ(split.size(), jobs);
    uint64_t played = BattlesPlayed(ranges);
    std::vector<StateRange> all;
    for (const std::vector<StateRange>& job : split) {
      EXPECT_LE(BattlesPlayed(job), played / jobs + 1);
      EXPECT_GE(BattlesPlayed(job), played / jobs);
      all.insert(all.end(), job.begin(), job.end());
    }
    ASSERT_TRUE(SortApart(&all));  // no state in two jobs
    EXPECT_EQ(Covered(all), Covered(ranges));
    EXPECT_EQ(all.front().first, ranges.front().first);
  }
  EXPECT_EQ(SplitRanges({{0, kStateCount}}, 64)[1],
            (std::vector<StateRange>{{kHalf / 64, kHalf / 64}, {kHalf + kHalf / 64, kHalf / 64}}));
}

TEST(ExactParts, TwinStatesPlayTheSameBattleByThePlainRules) {
  // 张三 as the game's bytes, é as its UTF-8 bytes: the twins hold for any names.
  const std::pair<const char*, const char*> pairs[] = {
      {"abc", "xyz"}, {"\xD5\xC5\xC8\xFD", "\xC3\xA9"}, {"Brambleworthen", "odds"}};
  for (const auto& [name1, name2] : pairs) {
    SilentBattle lower(MatchUp::Of(name1, name2)), upper(MatchUp::Of(name1, name2));
    uint32_t state = 12345;
    for (int battle = 0; battle < 20000; ++battle) {
      state = state * 2891336453u + 1;  // states spread over the lower half and the top
      uint32_t low = state & 0x7FFFFFFFu;
      BattleResult a = lower.Run(low);
      BattleResult b = upper.Run(low | 0x80000000u);
      ASSERT_EQ(a.winner, b.winner) << name1 << " " << low;
      ASSERT_EQ(a.ticks, b.ticks) << name1 << " " << low;
      ASSERT_EQ(lower.state_after() ^ upper.state_after(), 0x80000000u) << name1 << " " << low;
      ASSERT_EQ(lower.first().hp, upper.first().hp) << name1 << " " << low;
      ASSERT_EQ(lower.second().hp, upper.second().hp) << name1 << " " << low;
    }
  }
}

TEST(ExactParts, AnExactRunCountsTwinsAsTheStatesPlayedOneByOne) {
  constexpr uint64_t kHalf = kTwinDistance;
  const std::vector<StateRange> cases[] = {
      {{100, 1000}, {kHalf - 3000, 7000}},                  // across the middle; 1000 twinned
      {{5, 1000}, {kHalf + 500, 2000}},                     // 505 twinned, the rest alone
      {{0, 300}, {kStateCount - 900, 900}},                 // both ends, no twins
      {{0, 50}, {50, 50}, {kHalf, 50}, {kHalf + 50, 100}},  // ranges that meet; 100 twinned
  };
  for (const std::vector<StateRange>& ranges : cases) {
    Tally expected;
    for (const StateRange& range : ranges)
      expected.Merge(RunBattles(MatchUp::Of("abc", "xyz"),
                                BattlePlan::Range(range.first, range.count), {LanePath::kScalar}));
    std::vector<uint64_t> told;
    PairReport report =
        ExactPair(MatchUp::Of("abc", "xyz"), ranges,
                  {WidestLanePath(), 2, [&](uint64_t done) { told.push_back(done); }});
    SCOPED_TRACE(ranges.front().first);
    EXPECT_EQ(report.tally.first_wins, expected.first_wins);
    EXPECT_EQ(report.tally.second_wins, expected.second_wins);
    for (uint32_t ticks = 1; ticks < 200; ++ticks)
      ASSERT_EQ(report.tally.LengthCount(ticks), expected.LengthCount(ticks)) << ticks;
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), Covered(ranges));  // progress in start states, not battles

    // A page's calls stand for exactly the ranges, each within its bound.
    std::vector<StateRange> called;
    uint64_t played = 0;
    for (const std::vector<StateRange>& call : ExactCalls(ranges, 400)) {
      ASSERT_TRUE(call.size() == 1 || (call.size() == 2 && call[1].first == call[0].first + kHalf &&
                                       call[1].count == call[0].count));
      EXPECT_LE(call[0].count, 400u);
      played += call[0].count;
      called.insert(called.end(), call.begin(), call.end());
    }
    ASSERT_TRUE(SortApart(&called));
    EXPECT_EQ(Covered(called), Covered(ranges));
    uint64_t twinned = Covered(ranges) - played;
    EXPECT_EQ(twinned, (std::vector<uint64_t>{1000, 505, 0, 100}[&ranges - cases]));
  }
  // The whole run plays the lower half once, for both halves.
  std::vector<Stretch> whole = Stretches({{0, kStateCount}});
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(whole[0].played.count, kHalf);
  EXPECT_EQ(whole[0].weight(), 2u);
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
    Refusal error;
    EXPECT_FALSE(ReadExactPart(bad, &error)) << bad;
    EXPECT_NE(error.text.find("at byte"), std::string::npos) << bad << ": " << error.text;
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
