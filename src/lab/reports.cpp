#include "lab/reports.h"

#include "lab/numbers.h"

namespace bramble::lab {

std::string RankReport::Heading() const {
  size_t n = ranking.rows.size();
  if (battles)
    return "Round-robin of " + std::to_string(n) + " names, " + Counted(*battles, "battle") +
           " per pair (seed " + std::to_string(seed.value_or(0)) + ")";
  std::string states = fewest == most ? std::to_string(most)
                                      : std::to_string(fewest) + " to " + std::to_string(most);
  return "Exact round-robin of " + std::to_string(n) + " names over " + states + " of the " +
         std::to_string(kStateCount) + " start states per pair" +
         (parts ? " (" + std::to_string(parts) + " parts merged)" : std::string());
}

}  // namespace bramble::lab
