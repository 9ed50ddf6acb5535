#include "lab/exact_parts.h"

#include <algorithm>

namespace bramble::lab {

namespace {

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

bool SortApart(std::vector<StateRange>* ranges) {
  std::sort(ranges->begin(), ranges->end(),
            [](const StateRange& a, const StateRange& b) { return a.first < b.first; });
  for (size_t i = 1; i < ranges->size(); ++i) {
    if ((*ranges)[i - 1].first + (*ranges)[i - 1].count > (*ranges)[i].first)
      return false;
  }
  return true;
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
