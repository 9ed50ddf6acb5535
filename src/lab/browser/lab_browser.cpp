#include "lab/browser/lab_browser.h"

#include <optional>

#include <nlohmann/json.hpp>

#include "console/charset.h"
#include "lab/exact_parts.h"
#include "lab/export.h"
#include "lab/json_read.h"
#include "lab/runs.h"
#include "lab/svg.h"

namespace bramble::lab::browser {

namespace {

// The documents' own flavour of nlohmann/json (keys in the order written):
// one flavour's code in the wasm, not two.
using Json = nlohmann::ordered_json;
using Kind = Refusal::Kind;

// One thread on the widest lanes: the page runs one call per Worker.
Playing OneWorker() { return {WidestLanePath(), 1}; }

// A refusal for the page: the lab's words for it, and the kind of problem
// as a code the page words in its own language (a number by what it
// counts, every document that is not sound as a share as "merge").
std::string Refused(const Refusal& why, const char* code = nullptr) {
  static const std::pair<Kind, const char*> kCodes[] = {{Kind::kNames, "names"},
                                                        {Kind::kNameList, "rank-names"},
                                                        {Kind::kRange, "range"},
                                                        {Kind::kRangeOverlap, "range"},
                                                        {Kind::kOtherLab, "merge-version"},
                                                        {Kind::kNotShare, "merge-kind"},
                                                        {Kind::kMergePairs, "merge-pair"},
                                                        {Kind::kMergeOverlap, "merge-overlap"},
                                                        {Kind::kWords, "words"},
                                                        {Kind::kDocument, "merge"}};
  for (const auto& [kind, named] : kCodes)
    code = code ? code : kind == why.kind ? named : nullptr;
  if (!code)
    code = why.quantity == Quantity::kSeed ? "seed" : "battles";
  return "{\"error\": " + JsonString(why.text) + ", \"code\": \"" + code + "\"}\n";
}

// The two names as the bytes the game hashes (a name typed on the page is
// GBK there too), met.
std::optional<MatchUp> MeetTyped(const std::string& name1, const std::string& name2, Refusal* why) {
  return Meet(Utf8ToGbk(name1), Utf8ToGbk(name2), why);
}

// Ranges as a page writes them, [[first, count], ...], checked as the
// command line checks its own.
std::optional<std::vector<StateRange>> RangesIn(const std::string& text, Refusal* why) {
  Json list = Json::parse(text, nullptr, false);
  std::vector<std::pair<double, double>> given;
  for (const Json& pair : list.is_array() ? list : Json::array()) {
    bool numbers =
        pair.is_array() && pair.size() == 2 && pair[0].is_number() && pair[1].is_number();
    given.emplace_back(numbers ? pair[0].get<double>() : -1.0, numbers ? pair[1].get<double>() : 0);
  }
  return RangesOf(given, why);
}

Json RangesJson(const std::vector<StateRange>& ranges) {
  Json list = Json::array();
  for (const StateRange& range : ranges)
    list.push_back({range.first, range.count});
  return list;
}

}  // namespace

std::string Limits() {
  Json limits = Json::object();
  limits["states"] = kStateCount;
  limits["tick_cap"] = kTickCap;
  for (auto [key, quantity] : {std::pair{"battles", Quantity::kBattles},
                               {"seed", Quantity::kSeed},
                               {"threads", Quantity::kThreads}})
    limits[key] = {BoundsOf(quantity).low, BoundsOf(quantity).high};
  return limits.dump() + "\n";
}

std::string Ranges(const std::string& typed) {
  Refusal why;
  std::optional<std::vector<StateRange>> ranges = RangesOf(typed, &why);
  return ranges ? RangesJson(*ranges).dump() + "\n" : Refused(why, "range");
}

std::string Sample(const std::string& name1, const std::string& name2, double battles,
                   double seed) {
  Refusal why;
  std::optional<uint64_t> n = NumberOf(Quantity::kBattles, battles, &why);
  std::optional<uint64_t> s = n ? NumberOf(Quantity::kSeed, seed, &why) : std::nullopt;
  std::optional<MatchUp> match = s ? MeetTyped(name1, name2, &why) : std::nullopt;
  if (!match)
    return Refused(why);
  return JsonText(SamplePair(*match, *n, *s, OneWorker()));
}

std::string ExactRange(const std::string& name1, const std::string& name2, double first,
                       double count) {
  Refusal why;
  std::optional<std::vector<StateRange>> ranges = RangesOf({{first, count}}, &why);
  std::optional<MatchUp> match = ranges ? MeetTyped(name1, name2, &why) : std::nullopt;
  if (!match)
    return Refused(why);
  return JsonText(ExactPair(*match, std::move(*ranges), OneWorker()));
}

std::string ExactShare(const std::string& name1, const std::string& name2,
                       const std::string& ranges_json) {
  Refusal why;
  std::optional<std::vector<StateRange>> ranges = RangesIn(ranges_json, &why);
  std::optional<MatchUp> match = ranges ? MeetTyped(name1, name2, &why) : std::nullopt;
  if (!match)
    return Refused(why);
  return JsonText(ExactPair(*match, std::move(*ranges), OneWorker()));
}

std::string ExactPlan(const std::string& ranges_json, double most) {
  Refusal why;
  std::optional<std::vector<StateRange>> ranges = RangesIn(ranges_json, &why);
  // At most `most` battles a call: as many as a range of that many states.
  std::optional<std::vector<StateRange>> calls_of =
      ranges ? RangesOf({{0.0, most}}, &why) : std::nullopt;
  if (!calls_of)
    return Refused(why);
  Json calls = Json::array();
  for (const std::vector<StateRange>& call : ExactCalls(*ranges, calls_of->front().count))
    calls.push_back(RangesJson(call));
  return calls.dump() + "\n";
}

std::string Merge(const std::string& shares) {
  Json list = Json::parse(shares, nullptr, false);
  if (list.is_discarded() || !list.is_array())
    return Refused({Kind::kDocument, "--merge: the shares are not a JSON array"});
  std::vector<ExactPart> parts;
  Refusal why;
  for (size_t i = 0; i < list.size(); ++i) {
    std::string text = list[i].is_string() ? list[i].get<std::string>() : list[i].dump();
    std::optional<ExactPart> part = ReadExactPart(text, &why);
    if (!part) {
      why.text = "--merge: share " + std::to_string(i + 1) + ": " + why.text;
      return Refused(why);
    }
    parts.push_back(std::move(*part));
  }
  std::optional<PairReport> merged = MergedPair(parts, &why);
  if (!merged) {
    why.text = "--merge: " + why.text;
    return Refused(why);
  }
  return JsonText(*merged);
}

std::string Rank(const std::string& names, double battles_per_pair, double seed) {
  Refusal why;
  std::optional<uint64_t> n = NumberOf(Quantity::kBattles, battles_per_pair, &why);
  std::optional<uint64_t> s = n ? NumberOf(Quantity::kSeed, seed, &why) : std::nullopt;
  if (!s)
    return Refused(why);
  NameList list = ReadNames(names, [](std::string typed) { return Utf8ToGbk(typed); });
  if (!list.error.empty())
    return Refused({Kind::kNameList, "names: " + list.error});
  return JsonText(SampleRank(FieldOf(list.names), *n, *s, OneWorker()));
}

namespace {

// The words of a picture from the page's table, or the command line's for
// no table.
std::optional<SvgWords> ReadSvgWords(const std::string& json, Refusal* why) {
  if (json.empty())
    return EnglishSvgWords();
  Json table = Json::parse(json, nullptr, false);
  if (table.is_discarded() || !table.is_object())
    return Refuse(why, Kind::kWords, "words: not a JSON object");
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
      return Refuse(why, Kind::kWords, std::string("words: no wording for \"") + key.key + "\"");
    }
  }
  return words;
}

}  // namespace

std::string Svg(const std::string& report, const std::string& words_json) {
  Refusal why;
  std::optional<SvgWords> words = ReadSvgWords(words_json, &why);
  if (!words)
    return Refused(why);
  std::optional<std::variant<PairReport, RankReport>> read = ReadReport(report, &why);
  if (!read)
    return Refused(why, "report");
  return std::visit([&](const auto& any) { return SvgText(any, *words); }, *read);
}

}  // namespace bramble::lab::browser
