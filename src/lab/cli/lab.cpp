#include "lab/cli/lab.h"

#include <algorithm>

#include "lab/cli/options.h"
#include "lab/cli/session.h"
#include "lab/runs.h"
#include "version.h"

namespace bramble::lab {

namespace {

int Run(const std::vector<std::string>& args, std::ostream& data, std::ostream& err,
        const std::string& program) {
  ParsedOptions parsed = ParseOptions(args);
  const Session session{parsed.options, data, err, program};
  if (!parsed.error.empty())
    return session.BadInput(parsed.error);
  const LabOptions& options = parsed.options;
  switch (options.mode) {
    case Mode::kHelp:
      Show(UsageText());
      return 0;
    case Mode::kVersion:
      Show("brambleworthen-odds " BRAMBLE_VERSION "\n");
      return 0;
    case Mode::kRank:
      return RunRank(session);
    default:
      break;
  }
  if (options.merge)
    return MergePair(session);

  std::string name1 = Decode(options.names[0]);
  std::string name2 = Decode(options.names[1]);
  std::string problem = PairProblem(name1, name2);
  if (!problem.empty())
    return session.BadInput(problem);
  if (options.split)
    return SplitPair(session, name1, name2);
  switch (options.mode) {
    case Mode::kExact:
      return RunExact(session, name1, name2);
    case Mode::kReplay:
      return RunReplay(session, name1, name2);
    default:
      return RunSample(session, name1, name2);
  }
}

}  // namespace

int RunLab(const std::vector<std::string>& args, std::ostream& data, std::ostream& err,
           const std::string& program) {
  int status = Run(args, data, err, program);
  // Data that did not arrive (a full disk, a closed pipe) is no success.
  if (!data.flush()) {
    err << "brambleworthen-odds: the data could not be written to standard output\n";
    return std::max(status, 1);
  }
  return status;
}

}  // namespace bramble::lab
