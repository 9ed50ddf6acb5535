#ifndef BRAMBLE_LAB_CLI_OPTIONS_H_
#define BRAMBLE_LAB_CLI_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "lab/exact_parts.h"
#include "lab/numbers.h"
#include "lab/start_states.h"
#include "shell/texts.h"

namespace bramble::lab {

/// How results are written: a report for people, or data for scripts.
enum class Format { kText, kJson, kCsv };

/// Where a result goes: its format, and a picture beside it.
struct Output {
  Format format = Format::kText;
  std::optional<std::string> svg{};  // --svg FILE
  bool operator==(const Output&) const = default;
};

/// The commands of the lab's command line, each with the options it uses.
/// Names and files are as typed; threads 0 means one per core.
struct HelpCommand {
  bool operator==(const HelpCommand&) const = default;
};
struct VersionCommand {
  bool operator==(const VersionCommand&) const = default;
};
/// A pair's odds from a sample of start states.
struct SampleCommand {
  std::string name1{}, name2{};
  std::optional<uint64_t> battles{};  // -n
  std::optional<uint64_t> seed{};     // -s
  int threads = 0;
  Output output{};
  bool operator==(const SampleCommand&) const = default;
};
/// A pair's exact odds over every start state of `first` .. `first` +
/// `count` - 1 (a share of a run when not all of them).
struct ExactCommand {
  std::string name1{}, name2{};
  std::vector<StateRange> ranges{{0, kStateCount}};  // sorted, not overlapping
  int threads = 0;
  Output output{};
  bool operator==(const ExactCommand&) const = default;
};
/// The job lines of an exact run of a pair, or of every pair of a rank
/// file (`rank_file` set), over the start states of `ranges`.
struct SplitCommand {
  std::string name1{}, name2{};
  std::optional<std::string> rank_file{};
  std::vector<StateRange> ranges{{0, kStateCount}};
  uint64_t jobs = 1;
  bool operator==(const SplitCommand&) const = default;
};
/// Shares of exact runs added up: of a pair, or of every pair of a rank
/// file (`rank_file` set).
struct MergeCommand {
  std::vector<std::string> files{};
  std::optional<std::string> rank_file{};
  Output output{};
  bool operator==(const MergeCommand&) const = default;
};
/// A round robin of the names of a file ("-" is the input), from samples.
struct RankCommand {
  std::string rank_file{};
  std::optional<uint64_t> battles{};
  std::optional<uint64_t> seed{};
  int threads = 0;
  Output output{};
  bool operator==(const RankCommand&) const = default;
};
/// One battle from its start state: shown as the game shows it (and saved
/// to a transcript), or its summary for scripts.
struct ReplayCommand {
  std::string name1{}, name2{};
  uint32_t state = 0;
  std::optional<std::string> transcript{};  // -t
  const GameTexts* texts = nullptr;         // --lang; null: Chinese
  Format format = Format::kText;
  bool operator==(const ReplayCommand&) const = default;
};

using Command = std::variant<HelpCommand, VersionCommand, SampleCommand, ExactCommand, SplitCommand,
                             MergeCommand, RankCommand, ReplayCommand>;

struct ParsedCommand {
  Command command;
  std::string error;  // set for bad input: the message to show, exit status 2
};

/// Parses the arguments after the program name into the command they ask
/// for, getopt style: short options may be bundled (-ej2) and take their
/// value attached or as the next argument; long options take it after "="
/// or as the next argument and may be shortened to any unambiguous prefix;
/// options and names may be mixed; "--" ends the options. Options that
/// exclude each other, or that the command would not use, are an error.
ParsedCommand ParseOptions(const std::vector<std::string>& args);

/// The --help text, its defaults taken from the lab's own.
std::string UsageText();

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_OPTIONS_H_
