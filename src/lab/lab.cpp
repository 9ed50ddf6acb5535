#include "lab/lab.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <thread>  // and with it std::chrono's clocks

#include "battle/arena.h"
#include "battle/random.h"
#include "console/print_marked.h"
#include "console/terminal.h"
#include "lab/battle_run.h"
#include "lab/heat_map.h"
#include "lab/histogram.h"
#include "lab/options.h"
#include "lab/progress.h"
#include "lab/rank.h"
#include "lab/report.h"
#include "lab/silent_battle.h"
#include "version.h"

namespace bramble::lab {

namespace {

constexpr uint64_t kDefaultBattles = 1000000;
constexpr uint64_t kDefaultRankBattles = 100000;

// A name as typed becomes the bytes the game hashes, converted exactly as
// the game converts the words a player types (GBK from a UTF-8 terminal).
std::string Decode(std::string typed) { return terminal::platform::DecodeWord(std::move(typed)); }

void Show(const std::string& gbk) {
  terminal::Write(gbk);
  terminal::Flush();
}

void Show(const std::vector<Segment>& painted) {
  for (const Segment& segment : painted) {
    terminal::SetAttribute(segment.attribute);
    terminal::Write(segment.text);
  }
  terminal::SetAttribute(7);
  terminal::Flush();
}

std::string Histogram(const Tally& tally) {
  std::string text = HistogramText(tally, terminal::platform::Columns(), terminal::platform::Unicode());
  return text.empty() ? text : "\n" + text;
}

int BadInput(std::ostream& err, const std::string& message) {
  err << "brambleworthen-odds: " << message << "\n";
  return 2;
}

int Threads(const LabOptions& options) {
  if (options.threads > 0)
    return options.threads;
  unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}

uint64_t ClockSeed() {
  auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  return SampleState(static_cast<uint64_t>(ticks), 0) |
         static_cast<uint64_t>(SampleState(static_cast<uint64_t>(ticks), 1)) << 32;
}

// A name the game could have read: a non-empty word.
std::string NameProblem(const std::string& name) {
  if (name.empty())
    return "a name cannot be empty";
  for (char c : name) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')
      return "a name holds no blanks (the game reads names as words)";
  }
  return {};
}

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

// Before a run of `runs` times `battles` battles starts, times a small
// probe of the first pair and, when the whole would take an hour or more,
// says so: a run of hours should never be a surprise. The probe counts CPU
// time, so a busy machine does not raise false alarms.
void WarnIfLong(std::ostream& err, const std::string& name1, const std::string& name2,
                uint64_t battles, uint64_t runs, int threads) {
  constexpr uint64_t kProbe = 20000;
  uint64_t probe = std::min(battles, kProbe);
  std::clock_t start = std::clock();
  RunBattles(name1, name2, BattlePlan::Sample(probe, 0), 1);
  double probe_seconds =
      std::max(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 1e-6);
  unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  double parallel = std::min<double>(threads, cores);
  double per_run = battles == probe
                       ? probe_seconds
                       : probe_seconds * static_cast<double>(battles) / probe / parallel;
  double seconds = per_run * static_cast<double>(runs);
  if (seconds < 3600)
    return;
  err << "brambleworthen-odds: ";
  if (runs > 1)
    err << runs << " pairs of ";
  err << battles << " battles on " << threads
      << (threads == 1 ? " thread" : " threads") << " will take about " << Duration(seconds)
      << "; Ctrl-C stops the run\n";
}

int RunPair(const LabOptions& options, const std::string& name1, const std::string& name2,
            std::ostream& err) {
  SilentBattle fighters(name1, name2);
  Show("Fighters\n" + FighterTable(fighters.first(), fighters.second()) + "\n");
  int threads = Threads(options);
  uint64_t battles = options.mode == Mode::kExact ? options.rangeCount
                                                  : options.battles.value_or(kDefaultBattles);
  WarnIfLong(err, name1, name2, battles, 1, threads);
  if (options.mode == Mode::kExact) {
    Tally tally;
    {
      ProgressBar bar(options.rangeCount);
      tally = RunBattles(name1, name2, BattlePlan::Range(options.rangeFirst, options.rangeCount),
                         threads, [&](uint64_t done) { bar.Update(done); });
    }
    Show(ExactReport(fighters.first(), fighters.second(), tally, options.rangeFirst,
                     options.rangeCount) +
         Histogram(tally));
    return 0;
  }
  uint64_t seed = options.seed ? *options.seed : ClockSeed();
  Tally tally;
  {
    ProgressBar bar(battles);
    tally = RunBattles(name1, name2, BattlePlan::Sample(battles, seed), threads,
                       [&](uint64_t done) { bar.Update(done); });
  }
  Show(SampleReport(fighters.first(), fighters.second(), tally, seed, threads) + Histogram(tally));
  return 0;
}

int RunRank(const LabOptions& options, std::ostream& err) {
  NameList list;
  if (options.rankFile == "-") {
    list = ReadNames(std::cin, Decode);
  } else {
    std::ifstream file(options.rankFile);
    if (!file)
      return BadInput(err, "cannot read the rank file '" + options.rankFile +
                               "': " + std::strerror(errno));
    list = ReadNames(file, Decode);
  }
  if (!list.error.empty())
    return BadInput(err, "rank file '" + options.rankFile + "': " + list.error);
  uint64_t battles = options.battles.value_or(kDefaultRankBattles);
  uint64_t seed = options.seed ? *options.seed : ClockSeed();
  size_t n = list.names.size();
  WarnIfLong(err, list.names[0], list.names[1], battles, n * (n - 1) / 2, Threads(options));
  Ranking ranking;
  {
    ProgressBar bar(battles * (n * (n - 1) / 2));
    ranking = RankNames(list.names, battles, seed, Threads(options),
                        [&](uint64_t done) { bar.Update(done); });
  }
  Show(RankTable(ranking, "Round-robin of " + std::to_string(n) + " names, " +
                              std::to_string(battles) + " battles per pair (seed " +
                              std::to_string(seed) + ")") +
       "\n");
  Show(HeatMap(ranking));
  return 0;
}

}  // namespace

bool Replay(uint32_t state, const std::string& name1, const std::string& name2) {
  // The game's own Arena, on a tick source that never waits: the same
  // lines, colours and transcript as a game, shown at once. The build draws
  // nothing, so the state set here is the one right before the
  // first-attacker draw. One tick more than the cap lets a battle that
  // ends on the last one return; the wait after it is a quit.
  Arena arena(Ticker::Immediate(uint64_t{kTickCap} + 1));
  SetRandomState(state);
  arena.Setup(name1, name2);
  arena.Battle();
  terminal::Flush();
  return arena.bout.ended;
}

int RunLab(const std::vector<std::string>& args, std::ostream& err) {
  ParsedOptions parsed = ParseOptions(args);
  if (!parsed.error.empty())
    return BadInput(err, parsed.error);
  const LabOptions& options = parsed.options;
  switch (options.mode) {
    case Mode::kHelp:
      Show(UsageText());
      return 0;
    case Mode::kVersion:
      Show("brambleworthen-odds " BRAMBLE_VERSION "\n");
      return 0;
    case Mode::kRank:
      return RunRank(options, err);
    default:
      break;
  }

  std::string name1 = Decode(options.names[0]);
  std::string name2 = Decode(options.names[1]);
  for (const std::string* name : {&name1, &name2}) {
    std::string problem = NameProblem(*name);
    if (!problem.empty())
      return BadInput(err, problem);
  }
  if (name1 == name2)
    return BadInput(err, "the two names are the same; the game refuses a fight against oneself");

  if (options.mode != Mode::kReplay)
    return RunPair(options, name1, name2, err);

  bool ended = false;
  auto replay = [&] { ended = Replay(options.replayState, name1, name2); };
  TranscriptResult saved = TranscriptResult::kSaved;
  if (options.transcript)
    saved = PrintSaving(*options.transcript, replay);
  else
    replay();
  if (!ended)
    err << "brambleworthen-odds: the battle was stopped unfinished after " << kTickCap
        << " ticks\n";
  // The game tells of a transcript it cannot write on the console and goes
  // on without it; the lab does the same, and then says so in its status.
  if (saved != TranscriptResult::kSaved) {
    err << "brambleworthen-odds: the transcript '" << *options.transcript
        << "' could not be written\n";
    return 1;
  }
  return 0;
}

}  // namespace bramble::lab
