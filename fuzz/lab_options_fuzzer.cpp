// The lab's option parser on any argument vector (the input's bytes, cut
// into arguments at zero bytes): either a message, or options that make
// sense together.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "lab/cli/options.h"

using bramble::lab::Mode;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  for (size_t start = 0; start < input.size();) {
    size_t end = std::min(input.find('\0', start), input.size());
    args.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  bramble::lab::ParsedOptions parsed = bramble::lab::ParseOptions(args);
  if (!parsed.error.empty())
    return 0;
  const bramble::lab::LabOptions& o = parsed.options;
  if (o.mode == Mode::kHelp || o.mode == Mode::kVersion)
    return 0;
  FUZZ_CHECK(o.threads >= 0 && o.threads <= 1024);
  FUZZ_CHECK(!o.battles || *o.battles >= 1);
  FUZZ_CHECK(o.range_count >= 1 && o.range_first + o.range_count <= (uint64_t{1} << 32));
  bool sampled = (o.mode == Mode::kOdds || o.mode == Mode::kRank) && !o.merge && !o.split;
  FUZZ_CHECK(sampled || (!o.battles && !o.seed));
  FUZZ_CHECK(!o.transcript || (o.mode == Mode::kReplay && !o.transcript->empty()));
  FUZZ_CHECK(!o.partial || o.mode == Mode::kExact || (o.mode == Mode::kRank && o.split));
  FUZZ_CHECK(!o.split ||
             ((o.mode == Mode::kExact || o.mode == Mode::kRank) && o.split <= o.range_count));
  if (o.merge)  // the operands are files of partial results
    FUZZ_CHECK(!o.names.empty() && !o.split && o.mode != Mode::kExact && o.mode != Mode::kReplay);
  else if (o.mode == Mode::kRank)
    FUZZ_CHECK(o.names.empty() && !o.rank_file.empty());
  else
    FUZZ_CHECK(o.names.size() == 2);
  // Every operand is an argument given, in order.
  size_t next = 0;
  for (const std::string& name : o.names) {
    while (next < args.size() && args[next] != name)
      ++next;
    FUZZ_CHECK(next < args.size());
    ++next;
  }
  return 0;
}
