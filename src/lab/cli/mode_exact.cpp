// A pair's exact odds over a range of start states (all of them unless
// told otherwise).
#include "lab/cli/progress.h"
#include "lab/cli/report.h"
#include "lab/cli/session.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

int ShowExact(const Session& session, const PairReport& report, const std::string& before) {
  return session.Publish(report, [&] {
    Show(before + "Fighters\n" + FighterTable(report.one, report.two) + "\n" +
         ExactReport(report.one, report.two, report.tally, report.ranges) +
         ConsoleHistogram(report.tally));
  });
}

int RunExact(const Session& session, const std::string& name1, const std::string& name2) {
  const LabOptions& options = session.options;
  session.WarnIfLong(name1, name2, options.range_count, 1);
  PairReport report;
  {
    ProgressBar bar(options.range_count);
    report = ExactPair(name1, name2, {options.range_first, options.range_count}, session.threads(),
                       [&](uint64_t done) { bar.Update(done); });
  }
  return ShowExact(session, report, "");
}

}  // namespace bramble::lab
