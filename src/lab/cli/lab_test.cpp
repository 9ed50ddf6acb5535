#include "lab/cli/lab.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "console/print_marked.h"
#include "console/recording_console_test.h"
#include "lab/cli/lab_test_support.h"
#include "lab/silent_battle.h"

namespace bramble::lab {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TempPath(const std::string& leaf) { return testing::TempDir() + "bramble_lab_" + leaf; }

TEST(RunLab, BadInputExitsWithStatusTwoAndSaysWhy) {
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{}, "two names are needed"},
      {{"abc", "abc"}, "the two names are the same"},
      {{"--replay", "3", "abc", "abc"}, "the two names are the same"},
      {{"abc", ""}, "cannot be empty"},
      {{"a b", "xyz"}, "no blanks"},
      {{"--rank", "/nonexistent/names.txt"}, "cannot read the rank file '/nonexistent/names.txt'"},
      {{"--replay", "4294967296", "abc", "xyz"}, "32 bits"},
      {{"-n", "0", "abc", "xyz"}, "sample size"},
      {{"--merge", testing::TempDir()}, "a directory, not a share"},
  };
  for (const Case& c : cases) {
    LabOutcome outcome = RunRecorded(c.args);
    EXPECT_EQ(outcome.status, 2) << c.says;
    EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("brambleworthen-odds: ", 0), 0u) << outcome.err;
    EXPECT_EQ(outcome.out, "");
  }
}

TEST(RunLab, RankFileWithTooFewNamesIsBadInput) {
  std::string path = TempPath("one_name.txt");
  std::ofstream(path) << "abc\n";
  LabOutcome outcome = RunRecorded({"--rank", path});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("at least two names"), std::string::npos) << outcome.err;
  std::remove(path.c_str());
}

TEST(RunLab, SampleReportIsReproducibleWithASeed) {
  LabOutcome one = RunRecorded({"-n", "3000", "-s", "9", "-j", "1", "abc", "xyz"});
  LabOutcome two = RunRecorded({"-n", "3000", "-s", "9", "-j", "2", "abc", "xyz"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_NE(one.out.find("agility*  cunning*"), std::string::npos) << one.out;
  EXPECT_NE(one.out.find("* hidden"), std::string::npos);
  EXPECT_NE(one.out.find("3000 battles sampled (seed 9, 1 thread)"), std::string::npos) << one.out;
  EXPECT_NE(one.out.find("95 % CI"), std::string::npos);
  EXPECT_NE(one.out.find("unfinished after 100000 ticks: 0"), std::string::npos);
  EXPECT_NE(one.out.find("median"), std::string::npos);
  // Only the thread count differs.
  std::string a = one.out, b = two.out;
  a.replace(a.find("1 thread)"), 9, "N");
  b.replace(b.find("2 threads)"), 10, "N");
  EXPECT_EQ(a, b);
}

TEST(RunLab, OneBattleIsSingular) {
  LabOutcome outcome = RunRecorded({"-n", "1", "-s", "9", "abc", "xyz"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  for (const char* says :
       {"1 battle sampled (seed 9", "(1 battle)\n", "(0 battles)\n", "(1 finished battle)"})
    EXPECT_NE(outcome.out.find(says), std::string::npos) << says << "\n" << outcome.out;
}

TEST(RunLab, ExactOverAPartOfTheStatesGivesFractions) {
  LabOutcome outcome = RunRecorded({"--exact-range=4000:1000", "--format=text", "abc", "xyz"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  SilentBattle battle(MatchUp::Of("abc", "xyz"));
  uint64_t first_wins = 0;
  for (uint32_t state = 4000; state < 5000; ++state)
    first_wins += battle.Run(state).winner == Winner::kFirst;
  EXPECT_NE(outcome.out.find("start states 4000 to 4999 only (1000 states)"), std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("abc   wins " + std::to_string(first_wins) + "/1000"),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("xyz   wins " + std::to_string(1000 - first_wins) + "/1000"),
            std::string::npos)
      << outcome.out;
}

TEST(RunLab, RanksTheNamesOfAFile) {
  std::string path = TempPath("names.txt");
  std::ofstream(path) << "abc\r\nxyz\r\n\r\nalice\r\n";
  LabOutcome outcome = RunRecorded({"--rank", path, "-n", "2000", "-s", "1"});
  std::remove(path.c_str());
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("Round-robin of 3 names, 2000 battles per pair (seed 1)"),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("     1  xyz"), std::string::npos) << outcome.out;
  // The heat map in colour: a colour is set only where it changes, and the
  // report ends in the default colours.
  std::vector<int> colours;
  for (size_t at = outcome.marked.find('{'); at != std::string::npos;
       at = outcome.marked.find('{', at + 1))
    colours.push_back(std::stoi(outcome.marked.substr(at + 1)));
  ASSERT_GT(colours.size(), 2u) << outcome.marked;
  EXPECT_NE(colours.front(), kDefaultAttribute);
  EXPECT_EQ(colours.back(), kDefaultAttribute);
  for (size_t i = 1; i < colours.size(); ++i)
    EXPECT_NE(colours[i], colours[i - 1]) << "colour change " << i;
}

TEST(RunLab, RanksTheNamesOfItsInputAndSplitsAndMergesThem) {
  LabOutcome ranked = RunRecorded({"--rank", "-", "-n", "100", "-s", "1"}, "abc\nxyz\n");
  ASSERT_EQ(ranked.status, 0) << ranked.err;
  EXPECT_NE(ranked.out.find("Round-robin of 2 names"), std::string::npos) << ranked.out;
  LabOutcome split = RunRecorded({"-r", "-", "--split", "2", "--exact-range=0:10"}, "abc\nxyz\n");
  ASSERT_EQ(split.status, 0) << split.err;
  EXPECT_NE(split.data.find("-- abc xyz > pair-1-2-part-2.json\n"), std::string::npos)
      << split.data;
  LabOutcome merge = RunRecorded({"-r", "-", "--merge", testing::TempDir() + "none.json"}, "abc\n");
  EXPECT_EQ(merge.status, 2);
  EXPECT_NE(merge.err.find("at least two names"), std::string::npos) << merge.err;
}

TEST(RunLab, ReplayShowsTheBattleAsTheGameDoesAndKeepsATranscript) {
  std::string path = TempPath("transcript.txt");
  std::remove(path.c_str());
  LabOutcome outcome = RunRecorded({"--replay", "12345", "-t", path, "abc", "xyz"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;

  // The game's first battle: an empty line, the two attribute lines, the
  // start line, one line per step, the defeat line with its bell.
  EXPECT_EQ(outcome.out.rfind("\nabc HP:225 MP:214 ATK:176 DEF:210\nxyz HP:248", 0), 0u)
      << outcome.out;
  EXPECT_NE(outcome.out.find("决斗开始！    \n"), std::string::npos);
  SilentBattle battle(MatchUp::Of("abc", "xyz"));
  BattleResult result = battle.Run(12345);
  std::string loser = result.winner == Winner::kFirst ? "xyz" : "abc";
  std::string defeat = "*-- " + loser + "被击败了 --*\a    \n";
  ASSERT_GE(outcome.out.size(), defeat.size());
  EXPECT_EQ(outcome.out.substr(outcome.out.size() - defeat.size()), defeat);

  // The transcript holds everything from the start line on, CR LF ended.
  std::string start = outcome.out.substr(outcome.out.find("决斗开始"));
  std::string expected;
  for (char c : start)
    expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ReadFile(path), expected);
  std::remove(path.c_str());
}

// --lang en: the same battle, line for line and number for number, in
// English, its transcript too.
TEST(RunLab, ReplayInEnglishTellsTheSameBattle) {
  std::string path = TempPath("english.txt");
  std::remove(path.c_str());
  LabOutcome chinese = RunRecorded({"--replay", "12345", "abc", "xyz"});
  LabOutcome english = RunRecorded({"--replay", "12345", "--lang", "EN", "-t", path, "abc", "xyz"});
  ASSERT_EQ(english.status, 0) << english.err;
  auto numbers = [](const std::string& text) {  // each line's numbers
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
      bool digit = text[i] >= '0' && text[i] <= '9';
      if (digit || text[i] == '\n')
        digits += text[i];
      else if (i > 0 && text[i - 1] >= '0' && text[i - 1] <= '9')
        digits += ' ';
    }
    return digits;
  };
  EXPECT_EQ(numbers(english.out), numbers(chinese.out));
  EXPECT_NE(english.out.find("Fight!    \n"), std::string::npos) << english.out;
  EXPECT_NE(english.out.find(" has fallen --*\a    \n"), std::string::npos) << english.out;
  EXPECT_NE(ReadFile(path).find("Fight!    \r\n"), std::string::npos);
  std::remove(path.c_str());
}

TEST(RunLab, ReplayThatCannotWriteItsTranscriptSaysSo) {
  LabOutcome outcome = RunRecorded({"--replay", "7", "-t", testing::TempDir(), "abc", "xyz"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("could not be written"), std::string::npos) << outcome.err;
}

TEST(RunLab, DataThatCannotBeWrittenIsAFailure) {
  std::istringstream in;
  RecordingConsole screen;
  std::ostringstream data;
  data.setstate(std::ios::badbit);  // as a full disk leaves a stream
  std::ostringstream err;
  EXPECT_EQ(RunLab({"-n", "10", "-s", "1", "--format=json", "abc", "xyz"}, {in, screen, data, err}),
            1);
  EXPECT_NE(err.str().find("could not be written"), std::string::npos) << err.str();
}

TEST(RunLab, HelpAndVersion) {
  LabOutcome help = RunRecorded({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option :
       {"--exact", "--rank", "--replay", "--transcript", "--jobs", "--seed", "--battles",
        "--version", "--exact-range", "--format", "--svg", "--split", "--merge", "--lang"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  LabOutcome version = RunRecorded({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("brambleworthen-odds ", 0), 0u);
}

}  // namespace
}  // namespace bramble::lab
