// A round robin of the names of a file, from samples.
#include <cstring>
#include <fstream>
#include <iostream>

#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/defaults.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

namespace {

// Beyond a few dozen names a matrix no longer reads on a terminal.
constexpr size_t kMostHeatMapNames = 40;

}  // namespace

int ShowRanking(const Session& session, const RankReport& report) {
  return session.Publish(report, [&] {
    Show(RankTable(report.ranking, report.Heading()) + "\n");
    if (report.ranking.rows.size() <= kMostHeatMapNames)
      Show(HeatMap(report.ranking));
    else
      Show("Head to head: " + std::to_string(report.ranking.rows.size()) +
           " names are too many to show; --format json gives the matrix\n");
  });
}

int RunRank(const Session& session) {
  const LabOptions& options = session.options;
  NameList list;
  if (options.rank_file == "-") {
    list = ReadNames(std::cin, Decode);
  } else {
    std::ifstream file(options.rank_file);
    if (!file)
      return session.BadInput("cannot read the rank file '" + options.rank_file +
                              "': " + std::strerror(errno));
    list = ReadNames(file, Decode);
  }
  if (!list.error.empty())
    return session.BadInput("rank file '" + options.rank_file + "': " + list.error);
  if (options.split)
    return SplitRank(session, list.names);
  if (options.merge)
    return MergeRank(session, list.names);

  size_t n = list.names.size();
  uint64_t battles = options.battles.value_or(kDefaultRankBattles);
  uint64_t seed = options.seed ? *options.seed : ClockSeed();
  session.WarnIfLong(list.names[0], list.names[1], battles, n * (n - 1) / 2);
  RankReport report;
  {
    ProgressBar bar(battles * (n * (n - 1) / 2));
    report = SampleRank(list.names, battles, seed, session.threads(),
                        [&](uint64_t done) { bar.Update(done); });
  }
  return ShowRanking(session, report);
}

}  // namespace bramble::lab
