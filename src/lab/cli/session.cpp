#include "lab/cli/session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <thread>

#include "console/sgr.h"
#include "lab/battle_run.h"
#include "lab/histogram.h"
#include "lab/runs.h"
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

std::optional<MatchUp> Session::Meet(const std::string& typed1, const std::string& typed2) const {
  Refusal why;
  std::optional<MatchUp> match = lab::Meet(Decode(typed1), Decode(typed2), &why);
  if (!match)
    Refused(why);
  return match;
}

Playing Session::Play(int threads, ProgressFn progress) const {
  if (!lanes_told)
    io.err << io.lanes.warning;
  lanes_told = true;
  unsigned cores = std::thread::hardware_concurrency();
  int asked = threads > 0 ? threads : cores > 0 ? static_cast<int>(cores) : 1;
  return {io.lanes.path, asked, std::move(progress)};
}

std::string Session::Shown(const std::string& gbk) const {
  return io.screen.Unicode() ? NameText(gbk) : ShowControls(gbk);
}

// A report leaves segment by segment, each sent at once; its colour is set
// only where it differs from the text before. Every report ends in the
// default colours, so the next starts from them.
void Session::Show(const std::string& gbk) const {
  io.screen.Write(gbk);
  io.screen.Flush();
}

void Session::Show(const std::vector<Segment>& painted) const {
  uint16_t shown = kDefaultAttribute;
  for (const Segment& segment : painted) {
    if (segment.attribute != shown)
      io.screen.SetAttribute(segment.attribute);
    shown = segment.attribute;
    io.screen.Write(segment.text);
    io.screen.Flush();
  }
  if (shown != kDefaultAttribute) {
    io.screen.SetAttribute(kDefaultAttribute);
    io.screen.Flush();
  }
}

std::string Session::Histogram(const Tally& tally) const {
  std::string text = HistogramText(tally, io.screen.Columns(), io.screen.Unicode());
  return text.empty() ? text : "\n" + text;
}

uint64_t ClockSeed() {
  auto ticks = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  return (SampleState(ticks, 0) | uint64_t{SampleState(ticks, 1)} << 32) & (kMostSeed - 1);
}

int Session::BadInput(const std::string& message) const {
  io.err << "brambleworthen-odds: " << message << "\n";
  return 2;
}

template <class Report>
int Session::Picture(const Output& output, const Report& report) const {
  if (!output.svg)
    return 0;
  std::ofstream file(*output.svg, std::ios::binary | std::ios::trunc);
  WriteSvg(file, report);
  file.close();
  if (file)
    return 0;
  io.err << "brambleworthen-odds: the picture '" << *output.svg << "' could not be written\n";
  return 1;
}
template int Session::Picture(const Output&, const PairReport&) const;
template int Session::Picture(const Output&, const RankReport&) const;

// Times a small probe of the pair. The probe counts CPU time, so a busy
// machine does not raise false alarms; a run of hours should never be a
// surprise.
void Session::WarnIfLong(const MatchUp& match, uint64_t battles, uint64_t runs,
                         const Playing& playing) const {
  constexpr uint64_t kProbe = 20000;
  uint64_t probe = std::min(battles, kProbe);
  int threads = playing.threads;
  std::clock_t start = std::clock();
  RunBattles(match, BattlePlan::Sample(probe, 0), {playing.lanes, 1});
  double probe_seconds = std::max(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 1e-6);
  unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  double parallel = std::min<double>(threads, cores);
  double per_run = battles == probe
                       ? probe_seconds
                       : probe_seconds * static_cast<double>(battles) / probe / parallel;
  double seconds = per_run * static_cast<double>(runs);
  if (seconds < 3600)
    return;
  io.err << "brambleworthen-odds: ";
  if (runs > 1)
    io.err << runs << " pairs of ";
  io.err << Counted(battles, "battle") << " on " << threads
         << (threads == 1 ? " thread" : " threads") << " will take about " << Duration(seconds)
         << "; Ctrl-C stops the run\n";
}

}  // namespace bramble::lab
