#ifndef BRAMBLE_LAB_CLI_LAB_H_
#define BRAMBLE_LAB_CLI_LAB_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "battle/lines.h"
#include "console/print_marked.h"

namespace bramble::lab {

/// The win-rate lab's command line: parses `args` (the arguments after the
/// program name), runs what they ask for and returns the exit status: 0
/// done, 1 a transcript, picture or data could not be written, 2 bad
/// input.
/// Reports for people and replays go to the console layer the game prints
/// through; data for scripts (--format json or csv) goes to `data`;
/// messages go to `err`. `program` is how the lab was started, for the job
/// lines of --split.
int RunLab(const std::vector<std::string>& args, std::ostream& data, std::ostream& err,
           const std::string& program = "brambleworthen-odds");

/// Prints the battle that starts from generator state `state` on `screen`
/// exactly as the game's Arena shows it in the words of `texts`, at once.
/// Returns whether it ended within the tick cap.
bool Replay(Screen& screen, BattleTexts texts, uint32_t state, const std::string& name1,
            const std::string& name2);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_LAB_H_
