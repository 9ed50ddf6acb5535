// The lab's option parser on any argument vector (the input's bytes, cut
// into arguments at zero bytes): either a message, or one command whose
// options make sense together.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "check.h"
#include "lab/cli/options.h"
#include "lab/request.h"

namespace {

using namespace bramble::lab;

// Every operand is an argument given, in order.
void CheckOperands(const std::vector<std::string>& args, const std::vector<std::string>& operands) {
  size_t next = 0;
  for (const std::string& operand : operands) {
    while (next < args.size() && args[next] != operand)
      ++next;
    FUZZ_CHECK(next < args.size());
    ++next;
  }
}

// Ranges within the 2^32 start states, none empty, sorted, none overlapping.
void CheckRanges(const std::vector<StateRange>& ranges) {
  FUZZ_CHECK(!ranges.empty());
  uint64_t end = 0;
  for (const StateRange& range : ranges) {
    FUZZ_CHECK(range.count >= 1 && range.first >= end && range.first + range.count <= kStateCount);
    end = range.first + range.count;
  }
}

struct Check {
  const std::vector<std::string>& args;
  void operator()(const HelpCommand&) const {}
  void operator()(const VersionCommand&) const {}
  void operator()(const SampleCommand& c) const {
    FUZZ_CHECK(c.threads >= 0 && c.threads <= 1024);
    FUZZ_CHECK(!c.battles || (*c.battles >= 1 && *c.battles <= kStateCount));
    FUZZ_CHECK(!c.seed || *c.seed <= kMostSeed);
    CheckOperands(args, {c.name1, c.name2});
  }
  void operator()(const ExactCommand& c) const {
    FUZZ_CHECK(c.threads >= 0 && c.threads <= 1024);
    CheckRanges(c.ranges);
    CheckOperands(args, {c.name1, c.name2});
  }
  void operator()(const SplitCommand& c) const {
    CheckRanges(c.ranges);
    FUZZ_CHECK(c.jobs >= 1 && c.jobs <= BattlesPlayed(c.ranges));
    if (c.rank_file)
      FUZZ_CHECK(!c.rank_file->empty() && c.name1.empty() && c.name2.empty());
    else
      CheckOperands(args, {c.name1, c.name2});
  }
  void operator()(const MergeCommand& c) const {
    FUZZ_CHECK(!c.files.empty() && (!c.rank_file || !c.rank_file->empty()));
    CheckOperands(args, c.files);
  }
  void operator()(const RankCommand& c) const {
    FUZZ_CHECK(!c.rank_file.empty() && c.threads >= 0 && c.threads <= 1024);
    FUZZ_CHECK(!c.seed || *c.seed <= kMostSeed);
  }
  void operator()(const ReplayCommand& c) const {
    FUZZ_CHECK(!c.transcript || (!c.transcript->empty() && c.format == Format::kText));
    CheckOperands(args, {c.name1, c.name2});
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  for (size_t start = 0; start < input.size();) {
    size_t end = std::min(input.find('\0', start), input.size());
    args.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  ParsedCommand parsed = ParseOptions(args);
  if (parsed.error.empty())
    std::visit(Check{args}, parsed.command);
  return 0;
}
