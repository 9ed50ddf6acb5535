#include "lab/exact_parts.h"

#include <algorithm>

namespace bramble::lab {

namespace {

std::nullopt_t Refuse(std::string* error, const std::string& message) {
  *error = message;
  return std::nullopt;
}

// Sorted ranges with adjacent ones made one, so that a merged whole reads
// like a single run.
std::vector<StateRange> Joined(const std::vector<StateRange>& sorted) {
  std::vector<StateRange> joined;
  for (const StateRange& range : sorted) {
    if (!joined.empty() && joined.back().first + joined.back().count == range.first)
      joined.back().count += range.count;
    else
      joined.push_back(range);
  }
  return joined;
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
  merged.ranges = Joined(merged.ranges);
  return merged;
}

std::vector<StateRange> Stretch::Covers() const {
  std::vector<StateRange> covers;
  if (lower)
    covers.push_back(played);
  if (upper)
    covers.push_back({played.first + kTwinDistance, played.count});
  return covers;
}

std::vector<Stretch> Stretches(const std::vector<StateRange>& ranges) {
  // Each range's states in the lower half, and its upper half's twins
  // there, as half-open intervals of the lower half.
  struct Span {
    uint64_t from, to;
    bool upper;
  };
  std::vector<Span> spans;
  std::vector<uint64_t> cuts;
  for (const StateRange& range : ranges) {
    uint64_t end = range.first + range.count;
    if (range.first < kTwinDistance)
      spans.push_back({range.first, std::min(end, kTwinDistance), false});
    if (end > kTwinDistance)
      spans.push_back(
          {std::max(range.first, kTwinDistance) - kTwinDistance, end - kTwinDistance, true});
  }
  for (const Span& span : spans) {
    cuts.push_back(span.from);
    cuts.push_back(span.to);
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  std::vector<Stretch> stretches;
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    Stretch piece{{cuts[i], cuts[i + 1] - cuts[i]}};
    for (const Span& span : spans) {
      if (span.from <= cuts[i] && cuts[i + 1] <= span.to)
        (span.upper ? piece.upper : piece.lower) = true;
    }
    if (piece.weight() == 0)
      continue;
    Stretch* last = stretches.empty() ? nullptr : &stretches.back();
    if (last && last->played.first + last->played.count == piece.played.first &&
        last->lower == piece.lower && last->upper == piece.upper)
      last->played.count += piece.played.count;
    else
      stretches.push_back(piece);
  }
  return stretches;
}

uint64_t BattlesPlayed(const std::vector<StateRange>& ranges) {
  uint64_t played = 0;
  for (const Stretch& stretch : Stretches(ranges))
    played += stretch.played.count;
  return played;
}

std::vector<std::vector<StateRange>> ExactCalls(const std::vector<StateRange>& ranges,
                                                uint64_t most) {
  most = std::max<uint64_t>(most, 1);
  std::vector<std::vector<StateRange>> calls;
  for (const Stretch& stretch : Stretches(ranges)) {
    for (uint64_t done = 0; done < stretch.played.count; done += most) {
      Stretch piece = stretch;
      piece.played = {stretch.played.first + done, std::min(most, stretch.played.count - done)};
      calls.push_back(piece.Covers());
    }
  }
  return calls;
}

std::vector<std::vector<StateRange>> SplitRanges(const std::vector<StateRange>& ranges,
                                                 uint64_t jobs) {
  std::vector<Stretch> stretches = Stretches(ranges);
  uint64_t played = BattlesPlayed(ranges);
  std::vector<std::vector<StateRange>> split;
  size_t at = 0;       // the stretch the next job starts in
  uint64_t taken = 0;  // of its battles, those earlier jobs took
  for (uint64_t job = 0; job < jobs; ++job) {
    uint64_t left = played / jobs + (job < played % jobs ? 1 : 0);
    std::vector<StateRange> covers;
    while (left > 0 && at < stretches.size()) {
      Stretch piece = stretches[at];
      uint64_t count = std::min(left, piece.played.count - taken);
      piece.played = {piece.played.first + taken, count};
      for (const StateRange& range : piece.Covers())
        covers.push_back(range);
      left -= count;
      taken += count;
      if (taken == stretches[at].played.count) {
        ++at;
        taken = 0;
      }
    }
    SortApart(&covers);
    split.push_back(Joined(covers));
  }
  return split;
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
