#include "lab/browser/lab_browser.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "lab/cli/lab_test_support.h"
#include "lab/svg.h"

namespace bramble::lab {
namespace {

// What the command line writes for scripts with these arguments.
std::string CommandLine(const std::vector<std::string>& args) {
  LabOutcome outcome = RunRecorded(args);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  return outcome.data;
}

std::string TempFile(const std::string& leaf, const std::string& text) {
  std::string path = testing::TempDir() + "bramble_browser_" + leaf;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(LabBrowser, GivesTheCommandLinesDocuments) {
  // Names the command line takes as they are typed, whatever the locale.
  for (auto [one, two] : {std::pair{"abc", "xyz"}, std::pair{"a'b", "<script>&\""}}) {
    SCOPED_TRACE(one);
    EXPECT_EQ(browser::Sample(one, two, 3000, 5),
              CommandLine({"-n", "3000", "-s", "5", "-j", "1", "--format", "json", one, two}));
    EXPECT_EQ(browser::ExactRange(one, two, 100, 2000),
              CommandLine({"--exact-range=100:2000", "--", one, two}));
  }

  // Two shares merged, given as objects and as strings.
  std::string first = browser::ExactRange("abc", "xyz", 0, 700);
  std::string second = browser::ExactRange("abc", "xyz", 700, 500);
  std::string a = TempFile("a.json", first);
  std::string b = TempFile("b.json", second);
  std::string merged = CommandLine({"--merge", "--format=json", a, b});
  EXPECT_EQ(browser::Merge("[" + first + "," + second + "]"), merged);
  EXPECT_EQ(browser::Merge(nlohmann::json::array({second, first}).dump()), merged);

  // A call of a page's plan plays twins once and merges as their two shares.
  EXPECT_EQ(browser::ExactPlan("[[0, 4294967296]]", 1073741824.0),
            "[[[0,1073741824],[2147483648,1073741824]],"
            "[[1073741824,1073741824],[3221225472,1073741824]]]\n");
  // 张三 and é as a page hands them over, in UTF-8.
  const std::string zhang = "\xE5\xBC\xA0\xE4\xB8\x89", e = "\xC3\xA9";
  std::string twins =
      TempFile("twins.json", browser::ExactShare(zhang, e, "[[0, 300], [2147483648, 300]]"));
  std::string low = TempFile("low.json", browser::ExactRange(zhang, e, 0, 300));
  std::string high = TempFile("high.json", browser::ExactRange(zhang, e, 2147483648.0, 300));
  std::string merged_twins = CommandLine({"--merge", "--format=json", twins});
  EXPECT_NE(merged_twins.find("\"states\": 600"), std::string::npos) << merged_twins;
  EXPECT_EQ(merged_twins, CommandLine({"--merge", "--format=json", low, high}));

  std::string names = TempFile("names.txt", "abc\nxyz\r\n\nalice\n");
  std::string rank = browser::Rank("abc\nxyz\r\n\nalice\n", 2000, 3);
  EXPECT_EQ(rank,
            CommandLine({"--rank", names, "-n", "2000", "-s", "3", "-j", "1", "--format", "json"}));

  // The pictures of those reports are the ones --svg draws.
  std::string svg = testing::TempDir() + "bramble_browser.svg";
  CommandLine({"-n", "3000", "-s", "5", "-j", "1", "--svg", svg, "--format=json", "abc", "xyz"});
  EXPECT_EQ(browser::Svg(browser::Sample("abc", "xyz", 3000, 5)), ReadFile(svg));
  CommandLine({"--merge", "--svg", svg, "--format=json", a, b});
  EXPECT_EQ(browser::Svg(merged), ReadFile(svg));
  CommandLine({"--rank", names, "-n", "2000", "-s", "3", "--svg", svg, "--format=json"});
  EXPECT_EQ(browser::Svg(rank), ReadFile(svg));
  for (const std::string& path : {a, b, names, svg})
    std::remove(path.c_str());

  // Names from a link are text in a picture, never markup.
  std::string hostile = browser::Svg(browser::Sample("<script>", "<img/onerror='x'>&", 100, 1));
  EXPECT_EQ(hostile.find("<script"), std::string::npos);
  EXPECT_EQ(hostile.find("<img"), std::string::npos);
  EXPECT_NE(hostile.find("&lt;script&gt; vs &lt;img/onerror='x'&gt;&amp;"), std::string::npos);
}

TEST(LabBrowser, RefusesWhatTheCommandLineRefuses) {
  std::string share = browser::ExactRange("abc", "xyz", 0, 100);
  std::string other = browser::ExactRange("abc", "xyw", 100, 100);
  const std::pair<std::string, const char*> cases[] = {
      {browser::Sample("abc", "abc", 10, 1), "the two names are the same"},
      {browser::Sample("", "abc", 10, 1), "cannot be empty"},
      {browser::Sample("a b", "abc", 10, 1), "no blanks"},
      {browser::Sample("abc", "xyz", 0, 1), "at least 1 battle"},
      {browser::Sample("abc", "xyz", 1.5, 1), "a number of battles, not '1.5'"},
      {browser::Sample("abc", "xyz", 4294967297.0, 1), "more than 4294967296 battles"},
      {browser::Sample("abc", "xyz", 10, -1), "2^53"},
      {browser::Sample("abc", "xyz", 10, 0.0 / 0.0), "2^53"},
      {browser::ExactRange("abc", "xyz", 4294967295.0, 2), "within the 2^32"},
      {browser::ExactRange("abc", "xyz", 0, 0), "within the 2^32"},
      {browser::ExactShare("abc", "xyz", "[[0, 10], [5, 10]]"), "overlap"},
      {browser::ExactShare("abc", "xyz", "[[0, \"10\"]]"), "within the 2^32"},
      {browser::ExactShare("abc", "xyz", "[]"), "within the 2^32"},
      {browser::ExactPlan("[[0, 10]]", 0), "within the 2^32"},
      {browser::Merge("{}"), "not a JSON array"},
      {browser::Merge("[]"), "nothing to merge"},
      {browser::Merge("[" + share + "," + share + "]"), "overlap"},
      {browser::Merge("[" + share + "," + other + "]"), "different pairs"},
      {browser::Merge("[" + share.substr(0, 40)), "not a JSON array"},
      {browser::Merge(nlohmann::json::array({share, share.substr(0, 40)}).dump()), "share 2"},
      {browser::Rank("abc\n", 10, 1), "at least two names"},
      {browser::Rank("abc\nabc\n", 10, 1), "repeats"},
      {browser::Svg("<svg/>"), "not valid JSON"},
      {browser::Svg("{\"kind\": \"sample\"}"), "version"},
  };
  for (const auto& [answer, says] : cases) {
    nlohmann::json doc = nlohmann::json::parse(answer, nullptr, false);
    ASSERT_TRUE(doc.is_object() && doc.contains("error")) << says << ": " << answer;
    EXPECT_NE(doc["error"].get<std::string>().find(says), std::string::npos) << answer;
    EXPECT_TRUE(doc["code"].is_string()) << answer;
  }
}

// The page keeps no copy of the lab's limits or of the range syntax: it asks.
TEST(LabBrowser, GivesItsLimitsAndReadsRangesForThePage) {
  EXPECT_EQ(nlohmann::json::parse(browser::Limits()),
            nlohmann::json::parse(R"({"states": 4294967296, "tick_cap": 100000,
                "battles": [1, 4294967296], "seed": [0, 9007199254740992], "threads": [1, 1024]})"));
  EXPECT_EQ(browser::Ranges("2147483648:5,0x10:4"), "[[16,4],[2147483648,5]]\n");
  for (const char* bad : {"", "5", "0:0", "4294967295:2", "0:10,5:10", "0:10,", "-1:5"})
    EXPECT_EQ(nlohmann::json::parse(browser::Ranges(bad))["code"], "range") << bad;
}

// A page says why shares cannot be merged by the kind of problem: each
// refusal carries the code that names it.
TEST(LabBrowser, SaysWhySharesCannotBeMerged) {
  std::string share = browser::ExactRange("张三", "xyz", 0, 100);
  std::string next = browser::ExactRange("张三", "xyz", 100, 50);
  std::string merged = browser::Merge(nlohmann::json::array({share, next}).dump());
  nlohmann::json older = nlohmann::json::parse(share);
  older["version"] = "0.0.0";
  nlohmann::json schema = nlohmann::json::parse(share);
  schema["schema"] = 1;
  nlohmann::json damaged = nlohmann::json::parse(share);
  damaged["wins"][0] = damaged["wins"][0].get<int>() + 1;
  auto merge = [](const std::vector<std::string>& shares) {
    return browser::Merge(nlohmann::json(shares).dump());
  };
  const std::pair<std::string, const char*> cases[] = {
      {merge({share, browser::ExactRange("xyz", "张三", 100, 50)}), "merge-pair"},
      {merge({merged, browser::ExactRange("张三", "xyz", 149, 2)}), "merge-overlap"},
      {merge({share, share}), "merge-overlap"},
      {merge({merged, older.dump()}), "merge-version"},
      {merge({share, schema.dump()}), "merge-version"},
      {merge({share, browser::Sample("张三", "xyz", 10, 1)}), "merge-kind"},
      {merge({share, damaged.dump()}), "merge"},
      {merge({share, "{\"kind\": \"exact\""}), "merge"},
      {merge({}), "merge"},
  };
  for (const auto& [answer, code] : cases) {
    nlohmann::json doc = nlohmann::json::parse(answer, nullptr, false);
    ASSERT_TRUE(doc.is_object() && doc.contains("error")) << code << ": " << answer;
    EXPECT_EQ(doc["code"], code) << answer;
  }
  // A merged document merges on: the page adds one share at a time.
  EXPECT_EQ(merge({merged, browser::ExactRange("张三", "xyz", 150, 9)}),
            merge({share, next, browser::ExactRange("张三", "xyz", 150, 9)}));
}

// A table of words for every key, each word marked so that the picture
// shows where it went: "[key]" (or "[key:1]", the form for one) and the
// English word's placeholders, each after a blank.
nlohmann::json MarkedWords() {
  nlohmann::json table = nlohmann::json::object();
  const SvgWords& english = EnglishSvgWords();
  for (const SvgWordKey& key : SvgWordKeys()) {
    auto marked = [&key](const std::string& text, const char* form) {
      std::string out = std::string("[") + key.key + form + "]";
      for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1))
        out += " " + text.substr(at, text.find('}', at) - at + 1);
      return out;
    };
    if (key.text)
      table[key.key] = std::string(key.key) == "group" ? "'" : marked(english.*key.text, "");
    else
      table[key.key] = {marked((english.*key.counted).one, ":1"),
                        marked((english.*key.counted).other, "")};
  }
  return table;
}

TEST(LabBrowser, DrawsPicturesInThePagesWords) {
  nlohmann::json words = MarkedWords();
  std::string pictures =
      browser::Svg(browser::Sample("\xe5\xbc\xa0\xe4\xb8\x89", "<b>", 1234567, 9), words.dump()) +
      browser::Svg(browser::ExactRange("abc", "xyz", 7, 1), words.dump()) +
      browser::Svg(browser::Rank("abc\nxyz\nalice\n", 1, 3), words.dump());
  // Every word of the pictures is the table's, with its counts grouped; one
  // state and one battle per pair take the form for one.
  for (const char* shown :
       {"[pair_title] \xe5\xbc\xa0\xe4\xb8\x89 &lt;b&gt;", "[sampled] 1'234'567 9", "[finished] ",
        "[count_axis]", "[length_axis]", "[bar_tip", "[exact:1] 1", "[rank_title]",
        "[rank_sampled:1] 3 1 3", "[legend]", "[legend_item] red [under] 20", "[between] 20 40",
        "[over] 80", "[cell_tip] abc xyz", "[cell_tip] xyz alice"}) {
    EXPECT_NE(pictures.find(shown), std::string::npos) << shown;
  }
  std::string shown;  // the pictures' words, without their markup
  for (size_t i = 0, depth = 0; i < pictures.size(); ++i) {
    depth += pictures[i] == '<';
    if (!depth)
      shown += pictures[i];
    depth -= depth && pictures[i] == '>';
  }
  for (const char* english : {"battle", "ticks", "colours", "beats", "Round", "exact over"})
    EXPECT_EQ(shown.find(english), std::string::npos) << english;

  // The command line's English counts one battle as one.
  std::string one = browser::Svg(browser::Sample("abc", "xyz", 1, 3));
  EXPECT_NE(one.find("1 sampled battle (seed 3), 1 finished battle<"), std::string::npos);
  EXPECT_NE(one.find(" ticks: 1 battle<"), std::string::npos);

  // A table that lacks a word, or is no table, draws nothing.
  nlohmann::json lacking = words;
  lacking.erase("over");
  for (const std::string& table : {lacking.dump(), std::string("[]"), std::string("{")}) {
    nlohmann::json doc =
        nlohmann::json::parse(browser::Svg(browser::Sample("a", "b", 10, 1), table));
    EXPECT_EQ(doc["code"], "words") << table;
  }
}

}  // namespace
}  // namespace bramble::lab
