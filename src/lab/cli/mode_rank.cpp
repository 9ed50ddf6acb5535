// A round robin of the names of a file, from samples.
#include <cstring>
#include <fstream>

#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

namespace {

// Beyond a few dozen names a matrix no longer reads on a terminal.
constexpr size_t kMostHeatMapNames = 40;

}  // namespace

int ShowRanking(const Session& session, const Output& output, const RankReport& report) {
  return session.Publish(output, report, [&] {
    session.Show(RankTable(report.ranking, report.Heading()) + "\n");
    if (report.ranking.rows.size() <= kMostHeatMapNames)
      session.Show(HeatMap(report.ranking));
    else
      session.Show("Head to head: " + std::to_string(report.ranking.rows.size()) +
                   " names are too many to show; --format json gives the matrix\n");
  });
}

bool ReadRankFile(const Session& session, const std::string& path, std::vector<Fighter>* field) {
  auto decode = [&](std::string typed) { return session.Decode(typed); };
  NameList list;
  if (path == "-") {
    list = ReadNames(session.io.in, decode);
  } else {
    std::ifstream file(path);
    if (!file) {
      session.BadInput("cannot read the rank file '" + path + "': " + std::strerror(errno));
      return false;
    }
    list = ReadNames(file, decode);
  }
  if (!list.error.empty()) {
    session.BadInput("rank file '" + path + "': " + list.error);
    return false;
  }
  *field = FieldOf(list.names);
  return true;
}

int Run(const Session& session, const RankCommand& command) {
  std::vector<Fighter> field;
  if (!ReadRankFile(session, command.rank_file, &field))
    return 2;
  size_t n = field.size();
  uint64_t battles = command.battles.value_or(kDefaultRankBattles);
  uint64_t seed = command.seed ? *command.seed : ClockSeed();
  Playing playing = session.Play(command.threads);
  session.WarnIfLong({field[0], field[1]}, battles, n * (n - 1) / 2, playing);
  RankReport report;
  {
    ProgressBar bar(battles * (n * (n - 1) / 2), session.progress());
    playing.progress = [&](uint64_t done) { bar.Update(done); };
    report = SampleRank(field, battles, seed, playing);
  }
  return ShowRanking(session, command.output, report);
}

}  // namespace bramble::lab
