#include "lab/exact_parts.h"

#include <algorithm>

#include "lab/request.h"

namespace bramble::lab {

namespace {

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

std::optional<ExactPart> MergeExactParts(const std::vector<ExactPart>& parts, Refusal* why) {
  if (parts.empty())
    return Refuse(why, Refusal::Kind::kDocument, "nothing to merge");
  ExactPart merged;
  merged.one = parts[0].one;
  merged.two = parts[0].two;
  for (const ExactPart& part : parts) {
    if (part.one.name != merged.one.name || part.two.name != merged.two.name)
      return Refuse(why, Refusal::Kind::kMergePairs, "the parts are of different pairs of names");
    merged.ranges.insert(merged.ranges.end(), part.ranges.begin(), part.ranges.end());
    merged.tally.Merge(part.tally);
  }
  if (!SortApart(&merged.ranges))
    return Refuse(why, Refusal::Kind::kMergeOverlap,
                  "the parts overlap: some start states would count twice");
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
  // Where each range's lower-half states begin and end, and where its
  // upper-half states' twins do, swept in order.
  struct Edge {
    uint64_t at;
    int lower, upper;  // +1 where such states begin, -1 where they end
  };
  std::vector<Edge> edges;
  for (const StateRange& range : ranges) {
    uint64_t end = range.first + range.count;
    if (range.first < kTwinDistance) {
      edges.push_back({range.first, 1, 0});
      edges.push_back({std::min(end, kTwinDistance), -1, 0});
    }
    if (end > kTwinDistance) {
      edges.push_back({std::max(range.first, kTwinDistance) - kTwinDistance, 0, 1});
      edges.push_back({end - kTwinDistance, 0, -1});
    }
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.at < b.at; });
  std::vector<Stretch> stretches;
  int lower = 0, upper = 0;
  for (size_t i = 0; i < edges.size(); ++i) {
    lower += edges[i].lower;
    upper += edges[i].upper;
    if (i + 1 == edges.size() || edges[i + 1].at == edges[i].at || (!lower && !upper))
      continue;
    Stretch piece{{edges[i].at, edges[i + 1].at - edges[i].at}, lower > 0, upper > 0};
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
    for (uint64_t done = 0; done < stretch.played.count; done += most)
      calls.push_back(stretch.Part(done, std::min(most, stretch.played.count - done)).Covers());
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
      uint64_t count = std::min(left, stretches[at].played.count - taken);
      std::vector<StateRange> part = stretches[at].Part(taken, count).Covers();
      covers.insert(covers.end(), part.begin(), part.end());
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
