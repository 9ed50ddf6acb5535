// The --help text, its defaults and limits taken from the lab's own
// definitions.
#include "lab/cli/options.h"
#include "lab/request.h"
#include "lab/silent_battle.h"

namespace bramble::lab {

std::string UsageText() {
  return std::string(R"(Usage:
  brambleworthen-odds [-n BATTLES] [-s SEED] [-j N] [OUTPUT] NAME1 NAME2
  brambleworthen-odds --exact [-j N] [OUTPUT] NAME1 NAME2
  brambleworthen-odds --exact-range=FIRST:COUNT [-j N] [OUTPUT] NAME1 NAME2
  brambleworthen-odds --rank FILE [-n BATTLES] [-s SEED] [-j N] [OUTPUT]
  brambleworthen-odds --replay STATE [--lang=zh|en] [-t PATH | --format=json|csv] NAME1 NAME2
  brambleworthen-odds [--exact] [--exact-range=FIRST:COUNT] --split N NAME1 NAME2
  brambleworthen-odds --rank FILE [--exact-range=FIRST:COUNT] --split N
  brambleworthen-odds [--rank FILE] --merge [OUTPUT] PART.json...

Who wins a battle of Brambleworthen, and how often, by the game's own rules.
A battle is fully decided by the generator state it starts from (a 32-bit
number), so a sample of start states gives the odds, and all 2^32 of them
give the exact answer.

  NAME1 NAME2          show both fighters (hidden attributes too), each
                       one's win probability with its 95 % confidence
                       interval, the mean and median battle length, and a
                       histogram of the battle lengths
  -n, --battles=N      battles in the sample (default )") +
         std::to_string(kDefaultBattles) + R"(; with --rank,
                       per pair, default )" +
         std::to_string(kDefaultRankBattles) + R"()
  -s, --seed=S         seed of the sample, 0 to 2^53, for a run that can be
                       repeated (default: taken from the clock and shown)
  -e, --exact          count every one of the 2^32 start states and give the
                       exact win probabilities (minutes, not seconds); a
                       state and its twin 2^31 above play one battle
      --exact-range=FIRST:COUNT  only the start states FIRST to
                       FIRST+COUNT-1 (several ranges joined by commas): one
                       share of an exact run, written as JSON for --merge
                       unless --format says otherwise
  -r, --rank=FILE      a round-robin of all names in FILE (one per line,
                       - for standard input), ranked by mean win rate, with
                       each name's 95 % interval and the head-to-head matrix
                       as a heat map
      --replay=STATE   show the battle that starts from STATE (0..4294967295)
                       exactly as the game shows it, at once
  -t, --transcript=PATH  with --replay: append the battle's plain text to
                       PATH as the game's transcript would
      --lang=LANG      with --replay: the battle's words, zh (Chinese, the
                       default) or en (English), as the game's /L: switch
      --split=N        print the N job lines of an exact run (of a pair, or
                       of every pair of a --rank file), one command a line,
                       for GNU parallel, xargs or a Slurm job array; each
                       job writes its share to part-K.json (pair-I-J-part-K.json)
      --merge          the operands are shares written by --exact-range (or
                       merged results): add them up into the exact report,
                       or with --rank FILE into the exact ranking; shares of
                       other pairs or versions and overlapping shares are
                       refused, and the report says how much of the 2^32
                       start states they cover
  -j, --jobs=N         worker threads (default: one per core)
  -h, --help           show this text
  -V, --version        show the version

OUTPUT:
      --format=FORMAT  text (the default: reports for people), json or csv
                       (for scripts; --replay gives the battle's summary)
      --svg=FILE       also draw the picture as an SVG file: the histogram
                       of a pair's battle lengths, or a ranking's heat map

Battle length is counted in ticks (the game's one-step-per-interval pace),
from the first attack to the defeat line. A battle still running after
)" + std::to_string(kTickCap) +
         R"( ticks is stopped and counted as unfinished.
Exit status: 0 done, 1 a transcript, picture or data could not be written,
2 bad input.
)";
}

}  // namespace bramble::lab
