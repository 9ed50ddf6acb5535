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

/// Runs the command line with its console output recorded.
inline LabOutcome RunRecorded(const std::vector<std::string>& args) {
  terminal::Recording recording;
  std::ostringstream data;
  std::ostringstream err;
  terminal::StartRecording(&recording);
  int status = RunLab(args, data, err);
  terminal::StopRecording();
  return {status, recording.text, err.str(), data.str()};
}

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_LAB_TEST_SUPPORT_H_
