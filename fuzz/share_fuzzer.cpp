// The lab's reader of its own JSON documents on any file: shares that
// --merge reads from other machines, and the reports the browser's LabSvg
// draws. Either a message, or a document whose counts add up; an accepted
// share reads back the same after it is written again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "check.h"
#include "lab/export.h"
#include "lab/json_read.h"
#include "lab/runs.h"
#include "lab/svg.h"

using namespace bramble::lab;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  Refusal error;
  std::optional<ExactPart> part = ReadExactPart(input, &error);
  if (part) {
    FUZZ_CHECK(!part->one.name.empty() && !part->two.name.empty());
    uint64_t end = 0;
    for (const StateRange& range : part->ranges) {
      FUZZ_CHECK(range.count > 0 && range.first >= end && range.first + range.count <= kStateCount);
      end = range.first + range.count;
    }
    FUZZ_CHECK(part->tally.battles() == Covered(part->ranges));
    std::optional<PairReport> report = MergedPair({*part}, &error);
    FUZZ_CHECK(report.has_value());
    std::ostringstream again;
    WriteJson(again, *report);
    std::optional<ExactPart> back = ReadExactPart(again.str(), &error);
    FUZZ_CHECK(back && back->one.name == part->one.name && back->two.name == part->two.name &&
               back->tally.first_wins == part->tally.first_wins &&
               back->tally.second_wins == part->tally.second_wins &&
               back->tally.unfinished == part->tally.unfinished &&
               back->ranges.size() <= part->ranges.size());
  } else {
    FUZZ_CHECK(!error.text.empty());
  }
  // What the browser draws: any report read is drawn.
  std::ostringstream svg;
  if (std::optional<PairReport> pair = ReadPairReport(input, &error))
    WriteSvg(svg, *pair);
  if (std::optional<RankReport> rank = ReadRankReport(input, &error))
    WriteSvg(svg, *rank);
  return 0;
}
