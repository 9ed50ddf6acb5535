#include "lab/browser/lab_browser.h"

#include <cmath>
#include <optional>

#include <nlohmann/json.hpp>

#include "console/charset.h"
#include "lab/exact_parts.h"
#include "lab/export.h"
#include "lab/json_read.h"
#include "lab/runs.h"
#include "lab/svg.h"
#include "version.h"

namespace bramble::lab::browser {

namespace {

// One thread: the page runs one call per Worker.
constexpr int kThreads = 1;
// The largest whole number a double holds exactly.
constexpr double kMostExact = 9007199254740992.0;

// What the command line would say, and which kind of problem it is, for a
// page to say it in its own language.
std::string Error(const char* code, const std::string& message) {
  return "{\"error\": " + JsonString(message) + ", \"code\": \"" + code + "\"}\n";
}

// A whole number from `low` to `high`, as a JavaScript number holds it.
std::optional<uint64_t> Whole(double value, double low, double high) {
  if (!std::isfinite(value) || value != std::floor(value) || value < low || value > high)
    return std::nullopt;
  return static_cast<uint64_t>(value);
}

// The two names as the bytes the game hashes (a name typed on the page is
// GBK there too), and why they cannot fight, if they cannot.
struct Names {
  std::string one, two, problem;
};
Names GbkNames(const std::string& name1, const std::string& name2) {
  Names names{Utf8ToGbk(name1), Utf8ToGbk(name2), {}};
  names.problem = PairProblem(names.one, names.two);
  return names;
}

constexpr char kSeedRange[] = "seed: a whole number from 0 to 2^53";

// The documents' own flavour of nlohmann/json (keys in the order written):
// one flavour's code in the wasm, not two.
using Json = nlohmann::ordered_json;

}  // namespace

std::string Sample(const std::string& name1, const std::string& name2, double battles,
                   double seed) {
  std::optional<uint64_t> n = Whole(battles, 1, static_cast<double>(kStateCount));
  if (!n)
    return Error("battles",
                 "battles: a whole number from 1 to 4294967296 (the number of start states)");
  std::optional<uint64_t> s = Whole(seed, 0, kMostExact);
  if (!s)
    return Error("seed", kSeedRange);
  Names names = GbkNames(name1, name2);
  if (!names.problem.empty())
    return Error("names", names.problem);
  return JsonText(SamplePair(names.one, names.two, *n, *s, kThreads));
}

namespace {

constexpr char kRangesWanted[] = "--exact-range wants FIRST:COUNT within the 2^32 start states";

// A range of start states as a page gives it: whole numbers within the
// 2^32 states, not empty.
std::optional<StateRange> RangeOf(double first, double count) {
  std::optional<uint64_t> f = Whole(first, 0, static_cast<double>(kStateCount - 1));
  std::optional<uint64_t> c = Whole(count, 1, static_cast<double>(kStateCount));
  if (!f || !c || *f + *c > kStateCount)
    return std::nullopt;
  return StateRange{*f, *c};
}

// Ranges as a page writes them, [[first, count], ...], none overlapping.
std::optional<std::vector<StateRange>> RangesIn(const std::string& text) {
  Json list = Json::parse(text, nullptr, false);
  if (list.is_discarded() || !list.is_array() || list.empty())
    return std::nullopt;
  std::vector<StateRange> ranges;
  for (const Json& pair : list) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_number() || !pair[1].is_number())
      return std::nullopt;
    std::optional<StateRange> range = RangeOf(pair[0].get<double>(), pair[1].get<double>());
    if (!range)
      return std::nullopt;
    ranges.push_back(*range);
  }
  if (!SortApart(&ranges))
    return std::nullopt;
  return ranges;
}

std::string Share(const std::string& name1, const std::string& name2,
                  std::optional<std::vector<StateRange>> ranges) {
  if (!ranges)
    return Error("range", kRangesWanted);
  Names names = GbkNames(name1, name2);
  if (!names.problem.empty())
    return Error("names", names.problem);
  return JsonText(ExactPair(names.one, names.two, std::move(*ranges), kThreads));
}

}  // namespace

std::string ExactRange(const std::string& name1, const std::string& name2, double first,
                       double count) {
  std::optional<StateRange> range = RangeOf(first, count);
  return Share(name1, name2, range ? std::optional(std::vector<StateRange>{*range}) : std::nullopt);
}

std::string ExactShare(const std::string& name1, const std::string& name2,
                       const std::string& ranges) {
  return Share(name1, name2, RangesIn(ranges));
}

std::string ExactPlan(const std::string& ranges, double most) {
  std::optional<std::vector<StateRange>> states = RangesIn(ranges);
  std::optional<uint64_t> m = Whole(most, 1, static_cast<double>(kStateCount));
  if (!states || !m)
    return Error("range", kRangesWanted);
  Json calls = Json::array();
  for (const std::vector<StateRange>& call : ExactCalls(*states, *m)) {
    Json ranges = Json::array();
    for (const StateRange& range : call)
      ranges.push_back({range.first, range.count});
    calls.push_back(std::move(ranges));
  }
  return calls.dump() + "\n";
}

namespace {

// Why a share could not be read, as a kind a page can word: written by
// another version of the lab or another schema, not a share of an exact
// run, or damaged (anything else).
const char* ShareProblem(const std::string& text) {
  Json doc = Json::parse(text, nullptr, false);
  if (doc.is_discarded() || !doc.is_object())
    return "merge";
  auto version = doc.find("version");
  auto schema = doc.find("schema");
  if ((version != doc.end() && *version != BRAMBLE_VERSION) ||
      (schema != doc.end() && *schema != kJsonSchema))
    return "merge-version";
  auto kind = doc.find("kind");
  if (kind == doc.end() || *kind != "exact")
    return "merge-kind";
  return "merge";
}

// Why shares that each read well cannot be merged: another pair, or start
// states that two of them share.
const char* PartsProblem(const std::vector<ExactPart>& parts) {
  std::vector<StateRange> ranges;
  for (const ExactPart& part : parts) {
    if (part.name1 != parts[0].name1 || part.name2 != parts[0].name2)
      return "merge-pair";
    ranges.insert(ranges.end(), part.ranges.begin(), part.ranges.end());
  }
  return SortApart(&ranges) ? "merge" : "merge-overlap";
}

}  // namespace

std::string Merge(const std::string& shares) {
  Json list = Json::parse(shares, nullptr, false);
  if (list.is_discarded() || !list.is_array())
    return Error("merge", "--merge: the shares are not a JSON array");
  std::vector<ExactPart> parts;
  for (size_t i = 0; i < list.size(); ++i) {
    std::string text = list[i].is_string() ? list[i].get<std::string>() : list[i].dump();
    std::string error;
    std::optional<ExactPart> part = ReadExactPart(text, &error);
    if (!part)
      return Error(ShareProblem(text), "--merge: share " + std::to_string(i + 1) + ": " + error);
    parts.push_back(std::move(*part));
  }
  std::string error;
  std::optional<PairReport> merged = MergedPair(parts, &error);
  if (!merged)
    return Error(parts.empty() ? "merge" : PartsProblem(parts), "--merge: " + error);
  return JsonText(*merged);
}

std::string Rank(const std::string& names, double battles_per_pair, double seed) {
  std::optional<uint64_t> n = Whole(battles_per_pair, 1, static_cast<double>(kStateCount));
  if (!n)
    return Error("battles", "battles per pair: a whole number from 1 to 4294967296");
  std::optional<uint64_t> s = Whole(seed, 0, kMostExact);
  if (!s)
    return Error("seed", kSeedRange);
  NameList list = ReadNames(names, [](std::string typed) { return Utf8ToGbk(typed); });
  if (!list.error.empty())
    return Error("rank-names", "names: " + list.error);
  return JsonText(SampleRank(list.names, *n, *s, kThreads));
}

namespace {

// The words of a picture from the page's table, or the command line's for
// no table.
std::optional<SvgWords> ReadSvgWords(const std::string& json, std::string* error) {
  if (json.empty())
    return EnglishSvgWords();
  Json table = Json::parse(json, nullptr, false);
  if (table.is_discarded() || !table.is_object()) {
    *error = "words: not a JSON object";
    return std::nullopt;
  }
  SvgWords words;
  for (const SvgWordKey& key : SvgWordKeys()) {
    auto found = table.find(key.key);
    bool text = found != table.end() && found->is_string();
    if (key.text && text) {
      words.*key.text = found->get<std::string>();
    } else if (key.counted && text) {
      words.*key.counted = {found->get<std::string>(), found->get<std::string>()};
    } else if (key.counted && found != table.end() && found->is_array() && found->size() == 2 &&
               (*found)[0].is_string() && (*found)[1].is_string()) {
      words.*key.counted = {(*found)[0].get<std::string>(), (*found)[1].get<std::string>()};
    } else {
      *error = std::string("words: no wording for \"") + key.key + "\"";
      return std::nullopt;
    }
  }
  return words;
}

}  // namespace

std::string Svg(const std::string& report, const std::string& words_json) {
  std::string error;
  std::optional<SvgWords> words = ReadSvgWords(words_json, &error);
  if (!words)
    return Error("words", error);
  std::string kind = KindOf(report);
  if (kind == "rank" || kind == "exact-rank") {
    std::optional<RankReport> rank = ReadRankReport(report, &error);
    if (!rank)
      return Error("report", error);
    return SvgText(*rank, *words);
  }
  std::optional<PairReport> pair = ReadPairReport(report, &error);
  if (!pair)
    return Error("report", error);
  return SvgText(*pair, *words);
}

}  // namespace bramble::lab::browser
