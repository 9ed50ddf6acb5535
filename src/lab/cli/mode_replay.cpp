// One battle, from the state it starts from: shown as the game shows it,
// or its summary for scripts.
#include "battle/arena.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "console/print_marked.h"
#include "lab/cli/lab.h"
#include "lab/cli/session.h"
#include "lab/export.h"
#include "lab/runs.h"

namespace bramble::lab {

bool Replay(bramble::Screen& screen, BattleTexts texts, uint32_t state, const MatchUp& match) {
  // The game's own Arena, on a tick source that never waits: the same
  // lines, colours and transcript as a game, shown at once. The build draws
  // nothing, so the state set here is the one right before the
  // first-attacker draw. One tick more than the cap lets a battle that
  // ends on the last one return; the wait after it is a quit.
  ScreenNarrator narrator(screen, texts);
  Dice dice{state};
  Arena arena(Ticker::Immediate(uint64_t{kTickCap} + 1), narrator, dice);
  arena.Setup(match.one.name, match.two.name);
  arena.Battle();
  return arena.bout.ended;
}

int Run(const Session& session, const ReplayCommand& command) {
  std::optional<MatchUp> match = session.Meet(command.name1, command.name2);
  if (!match)
    return 2;
  if (command.format != Format::kText) {
    ReplayReport report = ReplaySummary(command.state, *match);
    if (command.format == Format::kJson)
      WriteJson(session.io.data, report);
    else
      WriteCsv(session.io.data, report);
    return 0;
  }
  const GameTexts& texts = command.texts != nullptr ? *command.texts : kChineseTexts;
  bramble::Screen screen(session.io.screen, command.transcript.value_or(""), texts.notice);
  bool ended = Replay(screen, texts.battle, command.state, *match);
  TranscriptResult saved = screen.saving();
  if (!ended)
    session.io.err << "brambleworthen-odds: the battle was stopped unfinished after " << kTickCap
                   << " ticks\n";
  // The game tells of a transcript it cannot write on the console and goes
  // on without it; the lab does the same, and then says so in its status.
  if (saved != TranscriptResult::kSaved) {
    session.io.err << "brambleworthen-odds: the transcript '" << *command.transcript
                   << "' could not be written\n";
    return 1;
  }
  return 0;
}

}  // namespace bramble::lab
