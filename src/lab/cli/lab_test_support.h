#ifndef BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_
#define BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_

#include <sstream>
#include <string>
#include <vector>

#include "console/terminal.h"
#include "lab/cli/lab.h"

namespace bramble::lab {

/// What the command line did, for tests.
struct LabOutcome {
  int status;
  std::string out;  // through the console layer
  std::string err;
  std::string data;  // for scripts (--format json or csv)
};

/// Runs the command line on recorded streams: `input` is its standard
/// input; the screen records text as it is (GBK), and the game's own
/// printer, which a replay prints through, is recorded too.
inline LabOutcome RunRecorded(const std::vector<std::string>& args, const std::string& input = "") {
  LabOutcome outcome{0, "", "", ""};
  ReportConsole screen{[&](uint16_t, std::string_view gbk) { outcome.out += gbk; },
                       [](std::string typed) { return typed; }, 80, false};
  terminal::Recording recording;
  std::istringstream in(input);
  std::ostringstream data;
  std::ostringstream err;
  terminal::StartRecording(&recording);
  outcome.status = RunLab(args, {in, screen, data, err});
  terminal::StopRecording();
  outcome.out += recording.text;
  outcome.err = err.str();
  outcome.data = data.str();
  return outcome;
}

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_
