#ifndef BRAMBLE_LAB_CLI_SESSION_H_
#define BRAMBLE_LAB_CLI_SESSION_H_

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "lab/battle_run.h"
#include "lab/cli/heat_map.h"
#include "lab/cli/lab.h"
#include "lab/cli/options.h"
#include "lab/export.h"
#include "lab/reports.h"
#include "lab/request.h"

namespace bramble::lab {

/// One run of the command line and where its output goes. Reports for
/// people go to the screen (GBK, colours); data for scripts goes to `data`
/// as it is (UTF-8); messages go to `err`.
struct Session {
  const LabStreams& io;

  /// Says what is wrong with the input; returns the exit status 2.
  int BadInput(const std::string& message) const;
  /// A name as typed, as the bytes the game hashes: converted exactly as
  /// the game converts the words a player types.
  std::string Decode(const std::string& typed) const { return io.screen.DecodeWord(typed); }
  /// Two names as typed, met: decoded, checked and both fighters built,
  /// once; nothing (the problem said, status 2) when they cannot fight.
  std::optional<MatchUp> Meet(const std::string& typed1, const std::string& typed2) const;
  /// How battles are played: on the lane path main chose (its warning
  /// said once, before the first battle) and `threads` (as asked, 0 for one
  /// per core).
  Playing Play(int threads, ProgressFn progress = nullptr) const;
  /// A refusal of the request layer said; returns the exit status 2.
  int Refused(const Refusal& why) const { return BadInput(why.text); }
  /// A name (GBK) as the user's terminal shows it, for messages: UTF-8
  /// where the terminal speaks Unicode, the game's bytes elsewhere; control
  /// bytes shown as ^X.
  std::string Shown(const std::string& gbk) const;
  /// GBK text on the screen, and text in console colours.
  void Show(const std::string& gbk) const;
  void Show(const std::vector<Segment>& painted) const;
  /// The histogram of a pair's battle lengths as wide as the screen, after
  /// an empty line; nothing when no battle finished.
  std::string Histogram(const Tally& tally) const;
  /// Where the progress bar goes: nowhere unless `err` is a terminal.
  std::ostream* progress() const { return io.progress ? &io.err : nullptr; }
  /// Writes the picture of `report` if `output` asks for one; the exit
  /// status so far (1 when it could not be written).
  template <class Report>
  int Picture(const Output& output, const Report& report) const;
  /// Writes `report` in the format asked for (`show_text` shows it as
  /// text), then its picture; the exit status.
  template <class Report, class ShowText>
  int Publish(const Output& output, const Report& report, ShowText show_text) const {
    switch (output.format) {
      case Format::kJson:
        WriteJson(io.data, report);
        break;
      case Format::kCsv:
        WriteCsv(io.data, report);
        break;
      case Format::kText:
        show_text();
        break;
    }
    io.data.flush();
    return Picture(output, report);
  }
  /// Before `runs` runs of `battles` battles of the match-up as `playing`
  /// plays them, says on `err` how long they would take when that is an
  /// hour or more.
  void WarnIfLong(const MatchUp& match, uint64_t battles, uint64_t runs,
                  const Playing& playing) const;

  mutable bool lanes_told = false;
};

/// A seed from the clock, for a sample not told its seed.
uint64_t ClockSeed();

// The commands, each run by the Run overload of its mode_*.cpp file.
int Run(const Session& session, const HelpCommand& command);
int Run(const Session& session, const VersionCommand& command);
int Run(const Session& session, const SampleCommand& command);
int Run(const Session& session, const ExactCommand& command);
int Run(const Session& session, const SplitCommand& command);
int Run(const Session& session, const MergeCommand& command);
int Run(const Session& session, const RankCommand& command);
int Run(const Session& session, const ReplayCommand& command);

/// The pair report of an exact run (`before` is a line above it).
int ShowExact(const Session& session, const Output& output, const PairReport& report,
              const std::string& before);
/// A ranking as asked for.
int ShowRanking(const Session& session, const Output& output, const RankReport& report);
/// The field of a rank file, each fighter built once; false (the message
/// said) when it cannot be read or its names cannot be ranked.
bool ReadRankFile(const Session& session, const std::string& path, std::vector<Fighter>* field);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_SESSION_H_
