#ifndef BRAMBLE_LAB_REQUEST_H_
#define BRAMBLE_LAB_REQUEST_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/exact_parts.h"
#include "lab/match_up.h"
#include "lab/start_states.h"

namespace bramble::lab {

/// What a request to the lab may hold, and its limits, checked in one place
/// for every front end: the command line parses what was typed, the page
/// hands numbers over, and both ask here. A refusal carries its kind and
/// the facts; `text` is the lab's own English wording (the command line's
/// message), and a page words the kind in its own language.

/// Battles in a pair's sample unless told otherwise.
constexpr uint64_t kDefaultBattles = 1000000;
/// Battles per pair of a ranking's sample unless told otherwise.
constexpr uint64_t kDefaultRankBattles = 100000;

/// The numbers a request holds.
enum class Quantity {
  kBattles,  // of a sample: 1 to the number of start states
  kSeed,     // 0 to 2^53: every seed up to it is a JSON number that
             // JavaScript and jq read back exactly
  kThreads,  // 1 to 1024
  kJobs,     // of a split: 1 to 2^32
  kState,    // a start state: 0 to 2^32 - 1
};
struct Bounds {
  uint64_t low, high;
};
constexpr Bounds BoundsOf(Quantity quantity) {
  switch (quantity) {
    case Quantity::kBattles:
      return {1, kStateCount};
    case Quantity::kSeed:
      return {0, uint64_t{1} << 53};
    case Quantity::kThreads:
      return {1, 1024};
    case Quantity::kJobs:
      return {1, kStateCount};
    case Quantity::kState:
      return {0, kStateCount - 1};
  }
  return {0, 0};
}
constexpr uint64_t kMostSeed = BoundsOf(Quantity::kSeed).high;

struct Refusal {
  enum class Kind {
    kNames,         // two names that cannot fight
    kNameList,      // a list of names that cannot be ranked
    kNumber,        // `quantity` is no whole number within its bounds
    kRange,         // ranges of start states: not FIRST:COUNT, or beyond the states
    kRangeOverlap,  // ranges that overlap
    kDocument,      // no document of the lab, or a damaged one
    kOtherLab,      // a document of another version or schema
    kNotShare,      // a document of the lab that is no share of an exact run
    kMergePairs,    // shares of different pairs
    kMergeOverlap,  // shares that overlap
    kWords,         // a picture's table of words that lacks one
  };
  Refusal() = default;
  Refusal(Kind kind, std::string text) : kind(kind), text(std::move(text)) {}

  Kind kind = Kind::kDocument;
  std::string text;
  Quantity quantity = Quantity::kBattles;  // kNumber
  std::string given;                       // kNumber: as typed or handed over
};

/// A refusal of `kind` saying `text`, returned as nothing.
std::nullopt_t Refuse(Refusal* why, Refusal::Kind kind, std::string text);

/// A whole number within the bounds of `quantity`: as typed (decimal, or 0x
/// and hexadecimal digits), or as a page hands it over (a double).
std::optional<uint64_t> NumberOf(Quantity quantity, std::string_view typed, Refusal* why);
std::optional<uint64_t> NumberOf(Quantity quantity, double given, Refusal* why);

/// Ranges of start states as typed, FIRST:COUNT or several joined by commas
/// (a split's job may stand for a range and its twins): sorted, none
/// overlapping, each within the 2^32 start states.
std::optional<std::vector<StateRange>> RangesOf(std::string_view typed, Refusal* why);
/// The same as [first, count] pairs handed over.
std::optional<std::vector<StateRange>> RangesOf(const std::vector<std::pair<double, double>>& given,
                                                Refusal* why);

/// Two names (the game's bytes) that can fight, met: both fighters built,
/// once. Refused when a name is empty or holds blanks (the game reads
/// names as words), or the two are the same.
std::optional<MatchUp> Meet(const std::string& name1, const std::string& name2, Refusal* why);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_REQUEST_H_
