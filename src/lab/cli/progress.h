#ifndef BRAMBLE_LAB_CLI_PROGRESS_H_
#define BRAMBLE_LAB_CLI_PROGRESS_H_

#include <cstdint>
#include <ostream>
#include <string>

namespace bramble::lab {

/// One line of the progress bar: bar, share done, rate and time left.
std::string ProgressLine(uint64_t done, uint64_t total, double seconds);

/// A progress bar on `out`, redrawn in place; it draws nothing without
/// one (a log or a pipe stays clean: give none unless it is a terminal).
class ProgressBar {
 public:
  ProgressBar(uint64_t total, std::ostream* out);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;
  ~ProgressBar();  // clears the line

  bool shown() const { return out_ != nullptr; }
  void Update(uint64_t done);

 private:
  uint64_t total_;
  std::ostream* out_;
  double start_;
};

/// Whether standard error is a terminal (per platform).
bool StandardErrorIsTerminal();

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_PROGRESS_H_
