#include "lab/request.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "console/ascii.h"
#include "lab/numbers.h"

namespace bramble::lab {

namespace {

enum class Problem { kNoNumber, kBelow, kAbove };

// The command line's words for a number it cannot take.
std::string NumberText(Quantity quantity, Problem problem, const std::string& given) {
  switch (quantity) {
    case Quantity::kBattles:
      if (problem == Problem::kBelow)
        return "-n: the sample size must be at least 1 battle";
      // There are only 2^32 start states: a bigger sample tells nothing
      // more than --exact, and would run for centuries.
      if (problem == Problem::kAbove)
        return "-n: a sample of more than " + std::to_string(kStateCount) +
               " battles (the number of start states) tells nothing more; --exact plays each "
               "state once";
      return "-n wants a number of battles, not '" + given + "'";
    case Quantity::kSeed:
      return "-s wants a number from 0 to 2^53 (" + std::to_string(kMostSeed) + "), not '" + given +
             "'";
    case Quantity::kThreads:
      return "-j wants a number of threads from 1 to " +
             std::to_string(BoundsOf(Quantity::kThreads).high) + ", not '" + given + "'";
    case Quantity::kJobs:
      return "--split wants a number of jobs from 1 to 2^32, not '" + given + "'";
    case Quantity::kState:
      return "--replay wants a generator state from 0 to " + std::to_string(kStateCount - 1) +
             " (32 bits), not '" + given + "'";
  }
  return {};
}

std::optional<uint64_t> Within(Quantity quantity, std::optional<uint64_t> value,
                               const std::string& given, Refusal* why) {
  Bounds bounds = BoundsOf(quantity);
  if (value && *value >= bounds.low && *value <= bounds.high)
    return value;
  Problem problem = !value                ? Problem::kNoNumber
                    : *value < bounds.low ? Problem::kBelow
                                          : Problem::kAbove;
  Refuse(why, Refusal::Kind::kNumber, NumberText(quantity, problem, given));
  why->quantity = quantity;
  why->given = given;
  return std::nullopt;
}

constexpr char kRangeWanted[] = "--exact-range wants FIRST:COUNT";
constexpr char kRangeWithin[] = "--exact-range wants FIRST:COUNT within the 2^32 start states";

std::optional<std::vector<StateRange>> Apart(std::vector<StateRange> ranges, Refusal* why) {
  if (ranges.empty())
    return Refuse(why, Refusal::Kind::kRange, kRangeWithin);
  if (!SortApart(&ranges))
    return Refuse(why, Refusal::Kind::kRangeOverlap, "--exact-range: the ranges overlap");
  return ranges;
}

bool Inside(uint64_t first, uint64_t count) {
  return first < kStateCount && count > 0 && count <= kStateCount - first;
}

std::string NameProblem(const std::string& name) {
  if (name.empty())
    return "a name cannot be empty";
  if (std::any_of(name.begin(), name.end(), IsWhiteSpace))
    return "a name holds no blanks (the game reads names as words)";
  return {};
}

}  // namespace

std::nullopt_t Refuse(Refusal* why, Refusal::Kind kind, std::string text) {
  *why = Refusal{kind, std::move(text)};
  return std::nullopt;
}

std::optional<uint64_t> NumberOf(Quantity quantity, std::string_view typed, Refusal* why) {
  return Within(quantity, ParseNumber(typed, UINT64_MAX), std::string(typed), why);
}

std::optional<uint64_t> NumberOf(Quantity quantity, double given, Refusal* why) {
  // A whole number as a JavaScript number holds it: 2^53 at most.
  bool whole = std::isfinite(given) && given == std::floor(given) && given >= 0 &&
               given <= 9007199254740992.0;
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", given);
  return Within(quantity, whole ? std::optional(static_cast<uint64_t>(given)) : std::nullopt, text,
                why);
}

std::optional<std::vector<StateRange>> RangesOf(std::string_view typed, Refusal* why) {
  std::vector<StateRange> ranges;
  for (size_t from = 0; from <= typed.size();) {
    size_t comma = std::min(typed.find(',', from), typed.size());
    std::string_view range = typed.substr(from, comma - from);
    size_t colon = range.find(':');
    if (colon == std::string_view::npos)
      return Refuse(why, Refusal::Kind::kRange, kRangeWanted);
    uint64_t first = ParseNumber(range.substr(0, colon), kStateCount - 1).value_or(kStateCount);
    uint64_t count = ParseNumber(range.substr(colon + 1), kStateCount).value_or(0);
    if (!Inside(first, count))
      return Refuse(why, Refusal::Kind::kRange, kRangeWithin);
    ranges.push_back({first, count});
    from = comma + 1;
  }
  return Apart(std::move(ranges), why);
}

std::optional<std::vector<StateRange>> RangesOf(const std::vector<std::pair<double, double>>& given,
                                                Refusal* why) {
  std::vector<StateRange> ranges;
  for (const auto& [first, count] : given) {
    Refusal unused;
    std::optional<uint64_t> f = NumberOf(Quantity::kState, first, &unused);
    std::optional<uint64_t> c = NumberOf(Quantity::kBattles, count, &unused);
    if (!f || !c || !Inside(*f, *c))
      return Refuse(why, Refusal::Kind::kRange, kRangeWithin);
    ranges.push_back({*f, *c});
  }
  return Apart(std::move(ranges), why);
}

std::optional<MatchUp> Meet(const std::string& name1, const std::string& name2, Refusal* why) {
  for (const std::string* name : {&name1, &name2}) {
    std::string problem = NameProblem(*name);
    if (!problem.empty())
      return Refuse(why, Refusal::Kind::kNames, problem);
  }
  if (name1 == name2)
    return Refuse(why, Refusal::Kind::kNames,
                  "the two names are the same; the game refuses a fight against oneself");
  return MatchUp::Of(name1, name2);
}

}  // namespace bramble::lab
