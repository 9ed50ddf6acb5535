#include "lab/cli/session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <thread>

#include "console/sgr.h"
#include "console/terminal.h"
#include "lab/battle_run.h"
#include "lab/defaults.h"
#include "lab/histogram.h"
#include "lab/svg.h"

namespace bramble::lab {

namespace {

std::string Duration(double seconds) {
  char text[64];
  double hours = seconds / 3600;
  if (hours < 48)
    std::snprintf(text, sizeof text, "%.1f hours", hours);
  else if (hours < 24 * 730)
    std::snprintf(text, sizeof text, "%.0f days", hours / 24);
  else
    std::snprintf(text, sizeof text, "%.3g years", hours / (24 * 365.25));
  return text;
}

}  // namespace

std::string Decode(std::string typed) { return terminal::platform::DecodeWord(std::move(typed)); }

std::string Shown(const std::string& gbk) {
  return terminal::platform::Unicode() ? NameText(gbk) : ShowControls(gbk);
}

void Show(const std::string& gbk) {
  terminal::Write(gbk);
  terminal::Flush();
}

void Show(const std::vector<Segment>& painted) {
  for (const Segment& segment : painted) {
    terminal::SetAttribute(segment.attribute);
    terminal::Write(segment.text);
  }
  terminal::SetAttribute(terminal::kDefaultAttribute);
  terminal::Flush();
}

std::string ConsoleHistogram(const Tally& tally) {
  std::string text =
      HistogramText(tally, terminal::platform::Columns(), terminal::platform::Unicode());
  return text.empty() ? text : "\n" + text;
}

uint64_t ClockSeed() {
  auto ticks = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  return (SampleState(ticks, 0) | uint64_t{SampleState(ticks, 1)} << 32) & (kMostSeed - 1);
}

int Session::BadInput(const std::string& message) const {
  err << "brambleworthen-odds: " << message << "\n";
  return 2;
}

Format Session::format() const {
  return options.format.value_or(options.partial ? Format::kJson : Format::kText);
}

int Session::threads() const {
  if (options.threads > 0)
    return options.threads;
  unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}

template <class Report>
int Session::Picture(const Report& report) const {
  if (!options.svg)
    return 0;
  std::ofstream file(*options.svg, std::ios::binary | std::ios::trunc);
  WriteSvg(file, report);
  file.close();
  if (file)
    return 0;
  err << "brambleworthen-odds: the picture '" << *options.svg << "' could not be written\n";
  return 1;
}
template int Session::Picture(const PairReport&) const;
template int Session::Picture(const RankReport&) const;

// Times a small probe of the pair. The probe counts CPU time, so a busy
// machine does not raise false alarms; a run of hours should never be a
// surprise.
void Session::WarnIfLong(const std::string& name1, const std::string& name2, uint64_t battles,
                         uint64_t runs) const {
  constexpr uint64_t kProbe = 20000;
  uint64_t probe = std::min(battles, kProbe);
  std::clock_t start = std::clock();
  RunBattles(name1, name2, BattlePlan::Sample(probe, 0), 1);
  double probe_seconds = std::max(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 1e-6);
  unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  int workers = threads();
  double parallel = std::min<double>(workers, cores);
  double per_run = battles == probe
                       ? probe_seconds
                       : probe_seconds * static_cast<double>(battles) / probe / parallel;
  double seconds = per_run * static_cast<double>(runs);
  if (seconds < 3600)
    return;
  err << "brambleworthen-odds: ";
  if (runs > 1)
    err << runs << " pairs of ";
  err << battles << " battles on " << workers << (workers == 1 ? " thread" : " threads")
      << " will take about " << Duration(seconds) << "; Ctrl-C stops the run\n";
}

}  // namespace bramble::lab
