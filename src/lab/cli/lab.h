#ifndef BRAMBLE_LAB_CLI_LAB_H_
#define BRAMBLE_LAB_CLI_LAB_H_

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "battle/lines.h"
#include "console/console.h"
#include "console/print_marked.h"
#include "lab/lanes/lane_paths.h"
#include "lab/match_up.h"

namespace bramble::lab {

/// Where a run of the lab reads and writes: nothing else.
struct LabStreams {
  std::istream& in;    // a rank file given as "-"
  Console& screen;     // reports for people, replays; decodes typed names
  std::ostream& data;  // data for scripts (UTF-8) and job lines
  std::ostream& err;   // messages, and the progress bar when `progress`
  bool progress = false;
  std::string program = "brambleworthen-odds";  // how the lab was started, for job lines
  LaneChoice lanes{WidestLanePath(), {}};       // main's choice; its warning said before battles
};

/// The win-rate lab's command line: parses `args` (the arguments after the
/// program name), runs the command they ask for and returns the exit
/// status: 0 done, 1 a transcript, picture or data could not be written, 2
/// bad input.
int RunLab(const std::vector<std::string>& args, const LabStreams& io);

/// Prints the battle that starts from generator state `state` on `screen`
/// exactly as the game's Arena shows it in the words of `texts`, at once.
/// Returns whether it ended within the tick cap.
bool Replay(bramble::Screen& screen, BattleTexts texts, uint32_t state, const MatchUp& match);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_LAB_H_
