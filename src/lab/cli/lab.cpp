#include "lab/cli/lab.h"

#include <algorithm>

#include "lab/cli/options.h"
#include "lab/cli/session.h"
#include "version.h"

namespace bramble::lab {

int Run(const Session& session, const HelpCommand&) {
  session.Show(UsageText());
  return 0;
}

int Run(const Session& session, const VersionCommand&) {
  session.Show("brambleworthen-odds " BRAMBLE_VERSION "\n");
  return 0;
}

int RunLab(const std::vector<std::string>& args, const LabStreams& io) {
  ParsedCommand parsed = ParseOptions(args);
  const Session session{io};
  // Each command to the function that runs it (the Run overloads of the
  // mode_*.cpp files).
  int status =
      parsed.error.empty()
          ? std::visit([&](const auto& command) { return Run(session, command); }, parsed.command)
          : session.BadInput(parsed.error);
  // Data that did not arrive (a full disk, a closed pipe) is no success.
  if (!io.data.flush()) {
    io.err << "brambleworthen-odds: the data could not be written to standard output\n";
    return std::max(status, 1);
  }
  return status;
}

}  // namespace bramble::lab
