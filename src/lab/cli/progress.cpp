#include "lab/cli/progress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace bramble::lab {

namespace {

constexpr int kBarWidth = 30;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string Clock(double seconds) {
  auto s = static_cast<unsigned long long>(seconds + 0.5);
  char text[32];
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(text, sizeof text, "%llu:%02llu", s / 60, s % 60);
  return text;
}

}  // namespace

std::string ProgressLine(uint64_t done, uint64_t total, double seconds) {
  double share = total == 0 ? 1 : static_cast<double>(done) / static_cast<double>(total);
  if (share > 1)
    share = 1;
  int filled = static_cast<int>(share * kBarWidth);
  std::string line = "[" + std::string(static_cast<size_t>(filled), '#') +
                     std::string(static_cast<size_t>(kBarWidth - filled), '.') + "]";
  char text[96];
  double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
  std::snprintf(text, sizeof text, " %5.1f %%  %6.2f M battles/s  ", share * 100, rate / 1e6);
  line += text;
  if (done == 0 || rate <= 0)
    line += "--:-- left";
  else
    line += Clock(static_cast<double>(total - std::min(done, total)) / rate) + " left";
  return line;
}

ProgressBar::ProgressBar(uint64_t total, std::ostream* out)
    : total_(total), out_(out), start_(Now()) {}

ProgressBar::~ProgressBar() {
  if (out_)
    *out_ << "\r\x1b[K" << std::flush;
}

void ProgressBar::Update(uint64_t done) {
  if (out_)
    *out_ << "\r" << ProgressLine(done, total_, Now() - start_) << "\x1b[K" << std::flush;
}

}  // namespace bramble::lab
