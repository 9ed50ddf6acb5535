#ifndef BRAMBLE_LAB_CLI_SESSION_H_
#define BRAMBLE_LAB_CLI_SESSION_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "lab/cli/heat_map.h"
#include "lab/cli/options.h"
#include "lab/export.h"
#include "lab/reports.h"

namespace bramble::lab {

/// One run of the command line: its options and where its output goes.
/// Reports for people go to the console layer the game prints through
/// (GBK, colours); data for scripts goes to `data` as it is (UTF-8);
/// messages go to `err`.
struct Session {
  const LabOptions& options;
  std::ostream& data;
  std::ostream& err;
  std::string program;  // how the lab was started, for job lines

  /// Says what is wrong with the input; returns the exit status 2.
  int BadInput(const std::string& message) const;
  /// The format asked for: a share of an exact run is JSON for --merge
  /// unless told otherwise, everything else text.
  Format format() const;
  /// Worker threads: -j, or one per core.
  int threads() const;
  /// Writes the --svg picture of `report` if asked for; the exit status so
  /// far (1 when it could not be written).
  template <class Report>
  int Picture(const Report& report) const;
  /// Writes `report` in the format asked for (`show_text` shows it as
  /// text), then its picture; the exit status.
  template <class Report, class ShowText>
  int Publish(const Report& report, ShowText show_text) const {
    switch (format()) {
      case Format::kJson:
        WriteJson(data, report);
        break;
      case Format::kCsv:
        WriteCsv(data, report);
        break;
      case Format::kText:
        show_text();
        break;
    }
    data.flush();
    return Picture(report);
  }
  /// Before `runs` runs of `battles` battles of the pair, says on `err`
  /// how long they would take when that is an hour or more.
  void WarnIfLong(const std::string& name1, const std::string& name2, uint64_t battles,
                  uint64_t runs) const;
};

/// A name as typed, as the bytes the game hashes: converted exactly as the
/// game converts the words a player types (GBK from a UTF-8 terminal).
std::string Decode(std::string typed);

/// A name (GBK) as the user's terminal shows it, for messages: UTF-8 where
/// the terminal speaks Unicode, the game's bytes elsewhere; control bytes
/// shown as ^X.
std::string Shown(const std::string& gbk);

/// GBK text on the console, and text in console colours.
void Show(const std::string& gbk);
void Show(const std::vector<Segment>& painted);

/// The histogram of a pair's battle lengths as wide as the console, after
/// an empty line; nothing when no battle finished.
std::string ConsoleHistogram(const Tally& tally);

/// A seed from the clock, for a sample not told its seed.
uint64_t ClockSeed();

// The modes, each in a file of its own (mode_*.cpp).
int RunSample(const Session& session, const std::string& name1, const std::string& name2);
int RunExact(const Session& session, const std::string& name1, const std::string& name2);
int ShowExact(const Session& session, const PairReport& report, const std::string& before);
int RunRank(const Session& session);
int ShowRanking(const Session& session, const RankReport& report);
int SplitPair(const Session& session, const std::string& name1, const std::string& name2);
int SplitRank(const Session& session, const std::vector<std::string>& names);
int MergePair(const Session& session);
int MergeRank(const Session& session, const std::vector<std::string>& names);
int RunReplay(const Session& session, const std::string& name1, const std::string& name2);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_SESSION_H_
