#include "lab/cli/options.h"

#include <gtest/gtest.h>

namespace bramble::lab {
namespace {

using Args = std::vector<std::string>;

TEST(ParseOptions, AcceptsGetoptStyles) {
  struct Case {
    Args args;
    Mode mode;
    Args names;
    uint64_t battles;  // 0: not given
    int threads;
  };
  const Case cases[] = {
      {{"abc", "xyz"}, Mode::kOdds, {"abc", "xyz"}, 0, 0},
      {{"-n", "500", "abc", "xyz"}, Mode::kOdds, {"abc", "xyz"}, 500, 0},
      {{"-n500", "-j2", "abc", "xyz"}, Mode::kOdds, {"abc", "xyz"}, 500, 2},
      {{"abc", "--battles=7", "xyz", "--jobs", "3"}, Mode::kOdds, {"abc", "xyz"}, 7, 3},
      {{"--bat", "9", "abc", "xyz"}, Mode::kOdds, {"abc", "xyz"}, 9, 0},  // unique prefix
      {{"-ej2", "abc", "xyz"}, Mode::kExact, {"abc", "xyz"}, 0, 2},       // bundled
      {{"--exact", "abc", "xyz"}, Mode::kExact, {"abc", "xyz"}, 0, 0},
      {{"--split", "4", "abc", "xyz"}, Mode::kExact, {"abc", "xyz"}, 0, 0},  // a split is exact
      {{"--", "-abc", "xyz"}, Mode::kOdds, {"-abc", "xyz"}, 0, 0},
      {{"-", "xyz"}, Mode::kOdds, {"-", "xyz"}, 0, 0},
      {{"--rank", "-"}, Mode::kRank, {}, 0, 0},
      {{"--replay", "0x10", "abc", "xyz"}, Mode::kReplay, {"abc", "xyz"}, 0, 0},
      {{"--help"}, Mode::kHelp, {}, 0, 0},
      {{"abc", "-h"}, Mode::kHelp, {"abc"}, 0, 0},
      {{"-V"}, Mode::kVersion, {}, 0, 0},
  };
  for (const Case& c : cases) {
    ParsedOptions parsed = ParseOptions(c.args);
    std::string joined;
    for (const std::string& a : c.args)
      joined += a + " ";
    SCOPED_TRACE(joined);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.mode, c.mode);
    EXPECT_EQ(parsed.options.names, c.names);
    EXPECT_EQ(parsed.options.battles.value_or(0), c.battles);
    EXPECT_EQ(parsed.options.threads, c.threads);
  }
}

TEST(ParseOptions, KeepsTheValuesOfEachMode) {
  ParsedOptions replay = ParseOptions({"--replay=4294967295", "-t", "out.txt", "a", "b"});
  ASSERT_EQ(replay.error, "");
  EXPECT_EQ(replay.options.replay_state, 4294967295u);
  EXPECT_EQ(replay.options.transcript.value_or(""), "out.txt");

  ParsedOptions rank = ParseOptions({"-r", "names.txt", "-s", "18446744073709551615"});
  ASSERT_EQ(rank.error, "");
  EXPECT_EQ(rank.options.rank_file, "names.txt");
  EXPECT_EQ(rank.options.seed.value_or(0), UINT64_MAX);

  ParsedOptions exact = ParseOptions({"a", "b"});
  EXPECT_EQ(exact.options.range_first, 0u);
  EXPECT_EQ(exact.options.range_count, uint64_t{1} << 32);  // all states unless told
  ParsedOptions part = ParseOptions({"--exact-range=4294967290:6", "a", "b"});
  ASSERT_EQ(part.error, "");
  EXPECT_EQ(part.options.mode, Mode::kExact);
  EXPECT_EQ(part.options.range_first, 4294967290u);
  EXPECT_EQ(part.options.range_count, 6u);
}

TEST(ParseOptions, RejectsBadInputWithAMessage) {
  struct Case {
    Args args;
    const char* says;  // part of the message
  };
  const Case cases[] = {
      {{}, "two names are needed"},
      {{"abc"}, "1 was given"},
      {{"a", "b", "c"}, "3 were given"},
      {{"-n", "0", "a", "b"}, "at least 1"},
      {{"-n", "-5", "a", "b"}, "wants a number"},
      {{"-n", "12x", "a", "b"}, "wants a number"},
      {{"-n", "18446744073709551615", "a", "b"}, "--exact plays each state once"},
      {{"-n", "4294967297", "a", "b"}, "--exact plays each state once"},
      {{"-n"}, "wants a value"},
      {{"-j", "0", "a", "b"}, "-j wants"},
      {{"-j", "99999", "a", "b"}, "-j wants"},
      {{"--replay", "4294967296", "a", "b"}, "32 bits"},
      {{"--replay", "99999999999999999999999", "a", "b"}, "32 bits"},
      {{"--replay=-1", "a", "b"}, "32 bits"},
      {{"-s", "18446744073709551616", "a", "b"}, "-s wants"},
      {{"--exact", "--rank", "f"}, "cannot be used together"},
      {{"--replay", "1", "--exact", "a", "b"}, "cannot be used together"},
      {{"--exact", "-n", "5", "a", "b"}, "-n and -s"},
      {{"--exact", "-s", "5", "a", "b"}, "-n and -s"},
      {{"-t", "x.txt", "a", "b"}, "with --replay only"},
      {{"--replay", "1", "--lang", "fr", "a", "b"}, "--lang wants zh (Chinese) or en"},
      {{"--lang=en", "a", "b"}, "the words of a --replay"},
      {{"--rank", "f", "a"}, "give none"},
      {{"--frobnicate", "a", "b"}, "unknown option --frobnicate"},
      {{"-x", "a", "b"}, "unknown option -x"},
      {{"--r", "1", "a", "b"}, "ambiguous"},  // replay or rank
      {{"--exact=1", "a", "b"}, "takes no value"},
      {{"--exact-range=5", "a", "b"}, "FIRST:COUNT"},
      {{"--exact-range=4294967295:2", "a", "b"}, "within the 2^32"},
      {{"--exact-range=0:0", "a", "b"}, "within the 2^32"},
  };
  for (const Case& c : cases) {
    ParsedOptions parsed = ParseOptions(c.args);
    EXPECT_NE(parsed.error.find(c.says), std::string::npos)
        << "args[0] " << (c.args.empty() ? "" : c.args[0]) << ": got '" << parsed.error << "'";
  }
}

TEST(ParseNumber, DecimalAndHexWithinTheLimit) {
  EXPECT_EQ(ParseNumber("0", 10), 0u);
  EXPECT_EQ(ParseNumber("10", 10), 10u);
  EXPECT_EQ(ParseNumber("11", 10), std::nullopt);
  EXPECT_EQ(ParseNumber("0xFFFFFFFF", 0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(ParseNumber("0x100000000", 0xFFFFFFFF), std::nullopt);
  EXPECT_EQ(ParseNumber("18446744073709551615", UINT64_MAX), UINT64_MAX);
  EXPECT_EQ(ParseNumber("18446744073709551616", UINT64_MAX), std::nullopt);
  EXPECT_EQ(ParseNumber("", 10), std::nullopt);
  EXPECT_EQ(ParseNumber("0x", 10), std::nullopt);
  EXPECT_EQ(ParseNumber("+1", 10), std::nullopt);
  EXPECT_EQ(ParseNumber(" 1", 10), std::nullopt);
}

}  // namespace
}  // namespace bramble::lab
