#include "lab/exact_parts.h"

#include <algorithm>

#include "lab/json.h"
#include "lab/options.h"
#include "version.h"

namespace bramble::lab {

namespace {

std::optional<std::string> FromHex(const std::string& hex) {
  if (hex.size() % 2 != 0)
    return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    std::optional<uint64_t> byte = ParseNumber("0x" + hex.substr(i, 2), 0xFF);
    if (!byte)
      return std::nullopt;
    bytes += static_cast<char>(*byte);
  }
  return bytes;
}

const JsonValue* Member(const JsonValue& object, std::string_view key, JsonValue::Type type) {
  const JsonValue* value = object.Find(key);
  return value && value->type == type ? value : nullptr;
}

std::optional<uint64_t> UnsignedMember(const JsonValue& object, std::string_view key) {
  const JsonValue* value = object.Find(key);
  return value ? value->Unsigned() : std::nullopt;
}

// Sorts the ranges; false when two of them overlap.
bool SortApart(std::vector<StateRange>* ranges) {
  std::sort(ranges->begin(), ranges->end(),
            [](const StateRange& a, const StateRange& b) { return a.first < b.first; });
  for (size_t i = 1; i < ranges->size(); ++i) {
    if ((*ranges)[i - 1].first + (*ranges)[i - 1].count > (*ranges)[i].first)
      return false;
  }
  return true;
}

std::nullopt_t Refuse(std::string* error, const std::string& message) {
  *error = message;
  return std::nullopt;
}

}  // namespace

uint64_t Covered(const std::vector<StateRange>& ranges) {
  uint64_t covered = 0;
  for (const StateRange& range : ranges)
    covered += range.count;
  return covered;
}

std::optional<ExactPart> ReadExactPart(std::string_view json, std::string* error) {
  std::optional<JsonValue> doc = ParseJson(json, error);
  if (!doc)
    return std::nullopt;
  const JsonValue* kind = Member(*doc, "kind", JsonValue::Type::kString);
  if (doc->type != JsonValue::Type::kObject || !kind || kind->text != "exact")
    return Refuse(error, "not an exact result of brambleworthen-odds (--format json)");
  const JsonValue* version = Member(*doc, "version", JsonValue::Type::kString);
  if (!version || version->text != BRAMBLE_VERSION)
    return Refuse(error, "written by version " + (version ? version->text : "?") + ", this is " +
                             BRAMBLE_VERSION + ": the rules may differ");

  ExactPart part;
  const JsonValue* fighters = Member(*doc, "fighters", JsonValue::Type::kArray);
  if (!fighters || fighters->items.size() != 2)
    return Refuse(error, "no pair of fighters");
  for (int i = 0; i < 2; ++i) {
    const JsonValue* gbk = Member(fighters->items[i], "gbk", JsonValue::Type::kString);
    std::optional<std::string> name = gbk ? FromHex(gbk->text) : std::nullopt;
    if (!name || name->empty())
      return Refuse(error, "a fighter without its name's bytes (gbk)");
    (i == 0 ? part.name1 : part.name2) = *name;
  }

  const JsonValue* ranges = Member(*doc, "ranges", JsonValue::Type::kArray);
  if (!ranges || ranges->items.empty())
    return Refuse(error, "no ranges of start states");
  for (const JsonValue& range : ranges->items) {
    std::optional<uint64_t> first =
        range.items.size() == 2 ? range.items[0].Unsigned() : std::nullopt;
    std::optional<uint64_t> count =
        range.items.size() == 2 ? range.items[1].Unsigned() : std::nullopt;
    if (!first || !count || *count == 0 || *first >= kStateCount || *count > kStateCount - *first)
      return Refuse(error, "a range beyond the 2^32 start states");
    part.ranges.push_back({*first, *count});
  }
  if (!SortApart(&part.ranges))
    return Refuse(error, "its own ranges overlap");

  const JsonValue* wins = Member(*doc, "wins", JsonValue::Type::kArray);
  std::optional<uint64_t> unfinished = UnsignedMember(*doc, "unfinished");
  if (!wins || wins->items.size() != 2 || !wins->items[0].Unsigned() ||
      !wins->items[1].Unsigned() || !unfinished)
    return Refuse(error, "no counts of wins and unfinished battles");
  part.tally.firstWins = *wins->items[0].Unsigned();
  part.tally.secondWins = *wins->items[1].Unsigned();
  part.tally.unfinished = *unfinished;

  const JsonValue* ticks = Member(*doc, "ticks", JsonValue::Type::kObject);
  const JsonValue* lengths = ticks ? Member(*ticks, "lengths", JsonValue::Type::kArray) : nullptr;
  if (!lengths || ticks->Find("cap") == nullptr || ticks->Find("cap")->Unsigned() != kTickCap)
    return Refuse(error, "no battle lengths, or another tick cap");
  uint64_t finished = 0;
  for (const JsonValue& length : lengths->items) {
    std::optional<uint64_t> t =
        length.items.size() == 2 ? length.items[0].Unsigned() : std::nullopt;
    std::optional<uint64_t> count =
        length.items.size() == 2 ? length.items[1].Unsigned() : std::nullopt;
    if (!t || !count || *t == 0 || *t > kTickCap || *count > kStateCount)
      return Refuse(error, "a battle length out of range");
    part.tally.AddLengths(static_cast<uint32_t>(*t), *count);
    finished += *count;
  }
  // Counts that do not add up are a damaged or edited file.
  if (part.tally.firstWins > kStateCount || part.tally.secondWins > kStateCount ||
      part.tally.unfinished > kStateCount || part.tally.battles() != Covered(part.ranges) ||
      finished != part.tally.finished())
    return Refuse(error, "its counts do not add up to its ranges");
  return part;
}

std::optional<ExactPart> MergeExactParts(const std::vector<ExactPart>& parts, std::string* error) {
  if (parts.empty())
    return Refuse(error, "nothing to merge");
  ExactPart merged;
  merged.name1 = parts[0].name1;
  merged.name2 = parts[0].name2;
  for (const ExactPart& part : parts) {
    if (part.name1 != merged.name1 || part.name2 != merged.name2)
      return Refuse(error, "the parts are of different pairs of names");
    merged.ranges.insert(merged.ranges.end(), part.ranges.begin(), part.ranges.end());
    merged.tally.Merge(part.tally);
  }
  if (!SortApart(&merged.ranges))
    return Refuse(error, "the parts overlap: some start states would count twice");
  // Adjacent ranges become one, so a merged whole reads like a single run.
  std::vector<StateRange> joined;
  for (const StateRange& range : merged.ranges) {
    if (!joined.empty() && joined.back().first + joined.back().count == range.first)
      joined.back().count += range.count;
    else
      joined.push_back(range);
  }
  merged.ranges = std::move(joined);
  return merged;
}

std::vector<StateRange> SplitRange(StateRange range, uint64_t jobs) {
  std::vector<StateRange> ranges;
  uint64_t first = range.first;
  for (uint64_t job = 0; job < jobs; ++job) {
    uint64_t count = range.count / jobs + (job < range.count % jobs ? 1 : 0);
    ranges.push_back({first, count});
    first += count;
  }
  return ranges;
}

std::string ShellQuote(std::string_view word) {
  bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '/' || c == '=' || c == ':' || c == ',';
  });
  if (plain)
    return std::string(word);
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

}  // namespace bramble::lab
