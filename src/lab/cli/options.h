#ifndef BRAMBLE_LAB_CLI_OPTIONS_H_
#define BRAMBLE_LAB_CLI_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lab/numbers.h"
#include "lab/start_states.h"
#include "shell/texts.h"

namespace bramble::lab {

enum class Mode { kOdds, kExact, kRank, kReplay, kHelp, kVersion };

/// How results are written: a report for people, or data for scripts.
enum class Format { kText, kJson, kCsv };

/// The lab's command line, as parsed; names still as typed.
struct LabOptions {
  Mode mode = Mode::kOdds;
  std::vector<std::string> names;         // the operands
  std::optional<uint64_t> battles;        // -n: battles per sample (per pair for --rank)
  std::optional<uint64_t> seed;           // -s
  int threads = 0;                        // -j; 0: one per core
  std::string rank_file;                  // -r; "-" is standard input
  uint32_t replay_state = 0;              // --replay
  std::optional<std::string> transcript;  // -t, with --replay only
  const GameTexts* texts = nullptr;       // --lang, with --replay only; null: Chinese
  // --exact-range FIRST:COUNT: only part of the start states, for a share
  // of a run spread over machines (written as JSON unless told otherwise).
  bool partial = false;
  uint64_t range_first = 0;
  uint64_t range_count = kStateCount;
  std::optional<Format> format;    // --format
  std::optional<std::string> svg;  // --svg FILE
  uint64_t split = 0;              // --split N: print job lines instead
  bool merge = false;              // --merge: the operands are partial results
};

struct ParsedOptions {
  LabOptions options;
  std::string error;  // set for bad input: the message to show, exit status 2
};

/// Parses the arguments after the program name, getopt style: short
/// options may be bundled (-ej2) and take their value attached or as the
/// next argument; long options take it after "=" or as the next argument
/// and may be shortened to any unambiguous prefix; options and names may be
/// mixed; "--" ends the options.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

/// The --help text, its defaults taken from the lab's own.
std::string UsageText();

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_OPTIONS_H_
