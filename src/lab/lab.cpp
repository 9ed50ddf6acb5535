#include "lab/lab.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "battle/arena.h"
#include "battle/random.h"
#include "console/ascii.h"
#include "console/print_marked.h"
#include "console/terminal.h"
#include "lab/battle_run.h"
#include "lab/exact_parts.h"
#include "lab/export.h"
#include "lab/heat_map.h"
#include "lab/histogram.h"
#include "lab/options.h"
#include "lab/progress.h"
#include "lab/rank.h"
#include "lab/report.h"
#include "lab/silent_battle.h"
#include "lab/svg.h"
#include "version.h"

namespace bramble::lab {

namespace {

constexpr uint64_t kDefaultBattles = 1000000;
constexpr uint64_t kDefaultRankBattles = 100000;
constexpr size_t kMostHeatMapNames = 40;

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
  terminal::SetAttribute(terminal::kDefaultAttribute);
  terminal::Flush();
}

std::string Histogram(const Tally& tally) {
  std::string text =
      HistogramText(tally, terminal::platform::Columns(), terminal::platform::Unicode());
  return text.empty() ? text : "\n" + text;
}

int BadInput(std::ostream& err, const std::string& message) {
  err << "brambleworthen-odds: " << message << "\n";
  return 2;
}

// Data for scripts goes out as it is (UTF-8), past the terminal's GBK.
void Emit(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

// The --svg picture, if asked for. Returns the exit status so far.
int WriteSvg(const LabOptions& options, const std::string& svg, std::ostream& err) {
  if (!options.svg)
    return 0;
  std::ofstream file(*options.svg, std::ios::binary | std::ios::trunc);
  file << svg;
  file.close();
  if (file)
    return 0;
  err << "brambleworthen-odds: the picture '" << *options.svg << "' could not be written\n";
  return 1;
}

Format FormatOf(const LabOptions& options) {
  // A share of an exact run is written for --merge unless asked otherwise.
  return options.format.value_or(options.partial ? Format::kJson : Format::kText);
}

// One job of a split: the share `range` of the pair's exact run, saved to
// `file`, on one thread (the job runner runs one job per core).
std::string JobLine(const std::string& program, const StateRange& range, const std::string& name1,
                    const std::string& name2, const std::string& file) {
  return ShellQuote(program) + " --exact-range=" + std::to_string(range.first) + ":" +
         std::to_string(range.count) + " --format=json -j 1 -- " + ShellQuote(name1) + " " +
         ShellQuote(name2) + " > " + ShellQuote(file) + "\n";
}

std::string PartNumber(uint64_t k, uint64_t of) {
  std::string number = std::to_string(k);
  return std::string(std::to_string(of).size() - number.size(), '0') + number;
}

std::string ReadWholeFile(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file) {
    *error = std::strerror(errno);
    return {};
  }
  return text.str();
}

// Reads the partial results named on the command line.
std::optional<std::vector<ExactPart>> ReadParts(const std::vector<std::string>& files,
                                                std::ostream& err) {
  std::vector<ExactPart> parts;
  for (const std::string& path : files) {
    std::string error;
    std::string text = ReadWholeFile(path, &error);
    std::optional<ExactPart> part;
    if (error.empty())
      part = ReadExactPart(text, &error);
    if (!part) {
      BadInput(err, "--merge: '" + path + "': " + error);
      return std::nullopt;
    }
    parts.push_back(std::move(*part));
  }
  return parts;
}

std::string CoverageLine(size_t parts, uint64_t covered) {
  char share[32];
  std::snprintf(share, sizeof share, "%.6f %%",
                100.0 * static_cast<double>(covered) / static_cast<double>(kStateCount));
  return "Merged " + std::to_string(parts) + (parts == 1 ? " part" : " parts") + ": " +
         std::to_string(covered) + " of the " + std::to_string(kStateCount) + " start states (" +
         share + ")\n";
}

// An exact result of one pair, in the format asked for.
int ShowExact(const LabOptions& options, const Fighter& one, const Fighter& two, const Tally& tally,
              const std::vector<StateRange>& ranges, const std::string& before, std::ostream& err) {
  switch (FormatOf(options)) {
    case Format::kJson:
      Emit(ExactJson(one, two, tally, ranges));
      break;
    case Format::kCsv:
      Emit(ExactCsv(one, two, tally));
      break;
    case Format::kText:
      Show(before + "Fighters\n" + FighterTable(one, two) + "\n" +
           ExactReport(one, two, tally, ranges) + Histogram(tally));
      break;
  }
  return WriteSvg(options,
                  HistogramSvg(one, two, tally,
                               "exact over " + std::to_string(Covered(ranges)) + " start states"),
                  err);
}

int MergePair(const LabOptions& options, std::ostream& err) {
  std::optional<std::vector<ExactPart>> parts = ReadParts(options.names, err);
  if (!parts)
    return 2;
  std::string error;
  std::optional<ExactPart> merged = MergeExactParts(*parts, &error);
  if (!merged)
    return BadInput(err, "--merge: " + error);
  SilentBattle fighters(merged->name1, merged->name2);
  return ShowExact(options, fighters.first(), fighters.second(), merged->tally, merged->ranges,
                   CoverageLine(parts->size(), Covered(merged->ranges)), err);
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
  if (std::any_of(name.begin(), name.end(), [](char c) { return IsWhiteSpace(c); }))
    return "a name holds no blanks (the game reads names as words)";
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
  double probe_seconds = std::max(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 1e-6);
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
  err << battles << " battles on " << threads << (threads == 1 ? " thread" : " threads")
      << " will take about " << Duration(seconds) << "; Ctrl-C stops the run\n";
}

int RunPair(const LabOptions& options, const std::string& name1, const std::string& name2,
            const std::string& program, std::ostream& err) {
  if (options.split) {
    std::string lines;
    uint64_t k = 0;
    for (const StateRange& range :
         SplitRange({options.rangeFirst, options.rangeCount}, options.split))
      lines += JobLine(program, range, options.names[0], options.names[1],
                       "part-" + PartNumber(++k, options.split) + ".json");
    Show(lines);
    return 0;
  }
  SilentBattle fighters(name1, name2);
  int threads = Threads(options);
  uint64_t battles =
      options.mode == Mode::kExact ? options.rangeCount : options.battles.value_or(kDefaultBattles);
  WarnIfLong(err, name1, name2, battles, 1, threads);
  if (options.mode == Mode::kExact) {
    Tally tally;
    {
      ProgressBar bar(options.rangeCount);
      tally = RunBattles(name1, name2, BattlePlan::Range(options.rangeFirst, options.rangeCount),
                         threads, [&](uint64_t done) { bar.Update(done); });
    }
    return ShowExact(options, fighters.first(), fighters.second(), tally,
                     {{options.rangeFirst, options.rangeCount}}, "", err);
  }
  uint64_t seed = options.seed ? *options.seed : ClockSeed();
  Tally tally;
  {
    ProgressBar bar(battles);
    tally = RunBattles(name1, name2, BattlePlan::Sample(battles, seed), threads,
                       [&](uint64_t done) { bar.Update(done); });
  }
  const Fighter& one = fighters.first();
  const Fighter& two = fighters.second();
  switch (FormatOf(options)) {
    case Format::kJson:
      Emit(SampleJson(one, two, tally, seed, threads));
      break;
    case Format::kCsv:
      Emit(SampleCsv(one, two, tally));
      break;
    case Format::kText:
      Show("Fighters\n" + FighterTable(one, two) + "\n" +
           SampleReport(one, two, tally, seed, threads) + Histogram(tally));
      break;
  }
  return WriteSvg(options,
                  HistogramSvg(one, two, tally,
                               std::to_string(battles) + " sampled battles (seed " +
                                   std::to_string(seed) + ")"),
                  err);
}

// A ranking in the format asked for; `battles` and `seed` for a sample.
int ShowRanking(const LabOptions& options, const Ranking& ranking, const std::string& heading,
                std::optional<uint64_t> battles, std::optional<uint64_t> seed, uint64_t states,
                std::ostream& err) {
  switch (FormatOf(options)) {
    case Format::kJson:
      Emit(RankJson(ranking, battles, seed, states));
      break;
    case Format::kCsv:
      Emit(RankCsv(ranking));
      break;
    case Format::kText:
      Show(RankTable(ranking, heading) + "\n");
      // Beyond a few dozen names a matrix no longer reads on a terminal.
      if (ranking.rows.size() <= kMostHeatMapNames)
        Show(HeatMap(ranking));
      else
        Show("Head to head: " + std::to_string(ranking.rows.size()) +
             " names are too many to show; --format json gives the matrix\n");
      break;
  }
  return WriteSvg(options, HeatMapSvg(ranking, heading), err);
}

// The exact ranking from partial results of every pair of the list.
int MergeRank(const LabOptions& options, const NameList& list, std::ostream& err) {
  std::optional<std::vector<ExactPart>> parts = ReadParts(options.names, err);
  if (!parts)
    return 2;
  size_t n = list.names.size();
  std::vector<std::vector<std::vector<ExactPart>>> by_pair(n,
                                                           std::vector<std::vector<ExactPart>>(n));
  for (ExactPart& part : *parts) {
    auto at = [&](const std::string& name) {
      return static_cast<size_t>(std::find(list.names.begin(), list.names.end(), name) -
                                 list.names.begin());
    };
    size_t i = at(part.name1);
    size_t j = at(part.name2);
    if (i >= n || j >= n || i >= j)
      return BadInput(err, "--merge: a part of the pair " + part.name1 + " and " + part.name2 +
                               ", which is not a pair of the rank file in its order");
    by_pair[i][j].push_back(std::move(part));
  }
  std::vector<PairResult> pairs;
  uint64_t fewest = kStateCount;
  uint64_t most = 0;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      if (by_pair[i][j].empty())
        return BadInput(err,
                        "--merge: no part of the pair " + list.names[i] + " and " + list.names[j]);
      std::string error;
      std::optional<ExactPart> merged = MergeExactParts(by_pair[i][j], &error);
      if (!merged)
        return BadInput(err, "--merge: " + list.names[i] + " and " + list.names[j] + ": " + error);
      uint64_t covered = Covered(merged->ranges);
      fewest = std::min(fewest, covered);
      most = std::max(most, covered);
      pairs.push_back({i, j, merged->tally.firstWins, merged->tally.secondWins, covered});
    }
  }
  std::string states = fewest == most ? std::to_string(most)
                                      : std::to_string(fewest) + " to " + std::to_string(most);
  std::string heading = "Exact round-robin of " + std::to_string(n) + " names over " + states +
                        " of the " + std::to_string(kStateCount) + " start states per pair (" +
                        std::to_string(parts->size()) + " parts merged)";
  return ShowRanking(options, RankPairs(list.names, pairs), heading, std::nullopt, std::nullopt,
                     most, err);
}

int RunRank(const LabOptions& options, const std::string& program, std::ostream& err) {
  NameList list;
  if (options.rankFile == "-") {
    list = ReadNames(std::cin, Decode);
  } else {
    std::ifstream file(options.rankFile);
    if (!file)
      return BadInput(
          err, "cannot read the rank file '" + options.rankFile + "': " + std::strerror(errno));
    list = ReadNames(file, Decode);
  }
  if (!list.error.empty())
    return BadInput(err, "rank file '" + options.rankFile + "': " + list.error);
  size_t n = list.names.size();
  if (options.split) {
    std::string lines;
    for (size_t i = 0; i < n; ++i) {
      for (size_t j = i + 1; j < n; ++j) {
        uint64_t k = 0;
        for (const StateRange& range :
             SplitRange({options.rangeFirst, options.rangeCount}, options.split))
          lines += JobLine(program, range, list.typed[i], list.typed[j],
                           "pair-" + PartNumber(i + 1, n) + "-" + PartNumber(j + 1, n) + "-part-" +
                               PartNumber(++k, options.split) + ".json");
      }
    }
    Show(lines);
    return 0;
  }
  if (options.merge)
    return MergeRank(options, list, err);
  uint64_t battles = options.battles.value_or(kDefaultRankBattles);
  uint64_t seed = options.seed ? *options.seed : ClockSeed();
  WarnIfLong(err, list.names[0], list.names[1], battles, n * (n - 1) / 2, Threads(options));
  Ranking ranking;
  {
    ProgressBar bar(battles * (n * (n - 1) / 2));
    ranking = RankNames(list.names, battles, seed, Threads(options),
                        [&](uint64_t done) { bar.Update(done); });
  }
  return ShowRanking(options, ranking,
                     "Round-robin of " + std::to_string(n) + " names, " + std::to_string(battles) +
                         " battles per pair (seed " + std::to_string(seed) + ")",
                     battles, seed, 0, err);
}

// How the battle from the replay's state goes, for scripts: the same
// battle the Arena would show, played silently.
int ReplaySummary(const LabOptions& options, const std::string& name1, const std::string& name2) {
  SilentBattle battle(name1, name2);
  Fighter one = battle.first();
  Fighter two = battle.second();
  BattleResult result = battle.Run(options.replayState);
  int32_t hp1 = battle.first().hp();
  int32_t hp2 = battle.second().hp();
  Emit(FormatOf(options) == Format::kJson
           ? ReplayJson(options.replayState, one, two, result, hp1, hp2)
           : ReplayCsv(options.replayState, one, two, result, hp1, hp2));
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

int RunLab(const std::vector<std::string>& args, std::ostream& err, const std::string& program) {
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
      return RunRank(options, program, err);
    default:
      break;
  }
  if (options.merge)
    return MergePair(options, err);

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
    return RunPair(options, name1, name2, program, err);
  if (FormatOf(options) != Format::kText)
    return ReplaySummary(options, name1, name2);

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
