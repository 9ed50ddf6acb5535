#ifndef BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_
#define BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_

#include <sstream>
#include <string>
#include <vector>

#include "console/recording_console_test.h"
#include "lab/cli/lab.h"

namespace bramble::lab {

/// What the command line did, for tests.
struct LabOutcome {
  int status;
  std::string out;     // on the screen (GBK)
  std::string marked;  // the same with every colour change as "{n}"
  std::string err;
  std::string data;  // for scripts (--format json or csv)
};

/// Runs the command line on recorded streams: `input` is its standard
/// input; the screen, which reports and replays print on, is a recording
/// console that takes typed names as they are.
inline LabOutcome RunRecorded(const std::vector<std::string>& args, const std::string& input = "") {
  LabOutcome outcome{};
  RecordingConsole screen;
  std::istringstream in(input);
  std::ostringstream data;
  std::ostringstream err;
  outcome.status = RunLab(args, {in, screen, data, err});
  outcome.out = screen.text;
  outcome.marked = screen.marked;
  outcome.err = err.str();
  outcome.data = data.str();
  return outcome;
}

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_
