#ifndef BRAMBLE_LAB_CLI_PROGRESS_H_
#define BRAMBLE_LAB_CLI_PROGRESS_H_

#include <cstdint>
#include <string>

namespace bramble::lab {

/// One line of the progress bar: bar, share done, rate and time left.
std::string ProgressLine(uint64_t done, uint64_t total, double seconds);

/// A progress bar on standard error, redrawn in place; it draws nothing
/// unless standard error is a terminal, so logs and pipes stay clean.
class ProgressBar {
 public:
  explicit ProgressBar(uint64_t total);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;
  ~ProgressBar();  // clears the line

  bool shown() const { return shown_; }
  void Update(uint64_t done);

 private:
  uint64_t total_;
  bool shown_;
  double start_;
};

/// Whether standard error is a terminal (per platform).
bool StandardErrorIsTerminal();

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_PROGRESS_H_
