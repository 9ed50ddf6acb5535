#include "lab/cli/options.h"

#include <gtest/gtest.h>

namespace bramble::lab {
namespace {

using Args = std::vector<std::string>;

TEST(ParseOptions, GivesEachCommandItsOptions) {
  struct Case {
    Args args;
    Command command;
  };
  const Case cases[] = {
      {{"abc", "xyz"}, SampleCommand{.name1 = "abc", .name2 = "xyz"}},
      {{"-n", "500", "abc", "xyz"}, SampleCommand{.name1 = "abc", .name2 = "xyz", .battles = 500}},
      {{"-n500", "-j2", "abc", "xyz"},
       SampleCommand{.name1 = "abc", .name2 = "xyz", .battles = 500, .threads = 2}},
      {{"abc", "--battles=7", "xyz", "--jobs", "3"},
       SampleCommand{.name1 = "abc", .name2 = "xyz", .battles = 7, .threads = 3}},
      {{"--bat", "9", "abc", "xyz"},  // a unique prefix
       SampleCommand{.name1 = "abc", .name2 = "xyz", .battles = 9}},
      {{"--", "-abc", "xyz"}, SampleCommand{.name1 = "-abc", .name2 = "xyz"}},
      {{"-", "xyz"}, SampleCommand{.name1 = "-", .name2 = "xyz"}},
      {{"-ej2", "abc", "xyz"}, ExactCommand{.name1 = "abc", .name2 = "xyz", .threads = 2}},
      {{"--exact", "--svg=x.svg", "abc", "xyz"},
       ExactCommand{.name1 = "abc", .name2 = "xyz", .output = {.svg = "x.svg"}}},
      // a share is JSON for --merge unless told otherwise
      {{"--exact-range=4294967290:6", "a", "b"},
       ExactCommand{.name1 = "a",
                    .name2 = "b",
                    .ranges = {{4294967290u, 6}},
                    .output = {.format = Format::kJson}}},
      {{"--split", "4", "abc", "xyz"}, SplitCommand{.name1 = "abc", .name2 = "xyz", .jobs = 4}},
      {{"-r", "f", "--split", "3", "--exact-range=10:20"},
       SplitCommand{.rank_file = "f", .ranges = {{10, 20}}, .jobs = 3}},
      // a job of a split stands for a range and its twins; ranges are sorted
      {{"--exact-range=2147483648:5,0:5", "a", "b"},
       ExactCommand{.name1 = "a",
                    .name2 = "b",
                    .ranges = {{0, 5}, {2147483648u, 5}},
                    .output = {.format = Format::kJson}}},
      {{"--merge", "p1", "--svg", "x.svg", "p2"},
       MergeCommand{.files = {"p1", "p2"}, .output = {.svg = "x.svg"}}},
      {{"-r", "f", "--merge", "--format=csv", "p"},
       MergeCommand{.files = {"p"}, .rank_file = "f", .output = {.format = Format::kCsv}}},
      {{"--rank", "-"}, RankCommand{.rank_file = "-"}},
      {{"-r", "names.txt", "-s", "9007199254740992"},
       RankCommand{.rank_file = "names.txt", .seed = uint64_t{1} << 53}},
      {{"--replay", "0x10", "abc", "xyz"},
       ReplayCommand{.name1 = "abc", .name2 = "xyz", .state = 16}},
      {{"--replay=4294967295", "-t", "out.txt", "a", "b"},
       ReplayCommand{.name1 = "a", .name2 = "b", .state = 4294967295u, .transcript = "out.txt"}},
      {{"--replay=1", "--format=csv", "a", "b"},
       ReplayCommand{.name1 = "a", .name2 = "b", .state = 1, .format = Format::kCsv}},
      {{"--help"}, HelpCommand{}},
      {{"abc", "-h"}, HelpCommand{}},
      {{"-V"}, VersionCommand{}},
  };
  for (const Case& c : cases) {
    ParsedCommand parsed = ParseOptions(c.args);
    std::string joined;
    for (const std::string& a : c.args)
      joined += a + " ";
    SCOPED_TRACE(joined);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.command.index(), c.command.index());
    EXPECT_TRUE(parsed.command == c.command);
  }
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
      {{"-s", "9007199254740993", "a", "b"}, "0 to 2^53"},  // beyond what JSON readers keep
      {{"--split", "2", "--svg", "x.svg", "a", "b"}, "--svg goes with the result"},
      {{"--split", "2", "--format", "csv", "a", "b"}, "--format goes with the result"},
      {{"-r", "f", "--split", "2", "--format=json"}, "--format goes with the result"},
      {{"--replay", "1", "-j", "4", "a", "b"}, "--replay plays one battle"},
      {{"--split", "2", "-j", "4", "a", "b"}, "--split prints job lines"},
      {{"--merge", "-j", "2", "p.json"}, "--merge adds up shares"},
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
      {{"--exact-range=0:10,5:10", "a", "b"}, "overlap"},
      {{"--exact-range=0:5,", "a", "b"}, "FIRST:COUNT"},
  };
  for (const Case& c : cases) {
    ParsedCommand parsed = ParseOptions(c.args);
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
