#include "lab/tally.h"

namespace bramble::lab {

void Tally::Merge(const Tally& other) {
  first_wins += other.first_wins;
  second_wins += other.second_wins;
  unfinished += other.unfinished;
  if (other.lengths_.size() > lengths_.size())
    lengths_.resize(other.lengths_.size(), 0);
  for (size_t i = 0; i < other.lengths_.size(); ++i)
    lengths_[i] += other.lengths_[i];
}

double Tally::MeanTicks() const {
  uint64_t count = finished();
  if (count == 0)
    return 0;
  // At most 2^32 battles of at most 100,000 ticks: the sum fits.
  uint64_t sum = 0;
  for (size_t i = 0; i < lengths_.size(); ++i)
    sum += lengths_[i] * i;
  return static_cast<double>(sum) / static_cast<double>(count);
}

uint32_t Tally::NthLength(uint64_t n) const {
  uint64_t seen = 0;
  for (size_t i = 0; i < lengths_.size(); ++i) {
    seen += lengths_[i];
    if (seen > n)
      return static_cast<uint32_t>(i);
  }
  return 0;
}

double Tally::MedianTicks() const {
  uint64_t count = finished();
  if (count == 0)
    return 0;
  uint32_t low = NthLength((count - 1) / 2);
  uint32_t high = NthLength(count / 2);
  return (static_cast<double>(low) + high) / 2;
}

}  // namespace bramble::lab
