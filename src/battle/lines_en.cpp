// Every line a battle shows, in English: the player's choice (the game is
// Chinese unless asked). Each line keeps the Chinese line's colours on the
// same parts and its numbers in the same order; only the words differ. All
// ASCII, so the transcript stays readable in GBK. Like the Chinese, every
// line fits an 80-column console, its status line included, with names of
// seven letters and numbers of three digits; a name is never made
// possessive ("Knights's", "张三's").
#include "battle/lines.h"

namespace bramble {

// In the order of the Chinese titles: a song's row is drawn by the rules.
const std::string_view kEnglishSongTitles[rules::kSongTitleCount] = {
    "I Only Love Strangers",
    "Serenade",
    "Red Beans",
    "May We Last Forever",
    "Our Love",
    "Big Big World",
    "Not Going Anywhere",
    "I Don't Want to Grow Up",
    "Squeezing onto the Bus",
    "Girl at the Wishing Well",
    "I Know You're Hurting",
    "So Glad I Have You",
    "So Proud",
    "Shame It Wasn't You",
    "At Least I Have You",
    "Coward",
    "I Heard",
    "Straight Talk",
    "I Never Wanted This",
    "Oh Dear",
    "Ten Red Army Farewells",
};

const std::string_view kEnglishReactionLines[rules::kReactionLineCount] = {
    "I really can't stand you...",
    "What's all this racket? Got a death wish?",
    "Sing it again. Go on. Sing it ONE more time. I dare you.",
    "Take this! (A stool goes flying.)",
    "A monster with a heart is no monster any more. It's a fan.",
    "Argh, argh, argh, I can't take it! S-T-O-P!",
    "Not bad, not bad. Encore!",
    "Something deep inside is welling up (and it isn't tears)",
    "Time out for one round! Can I get a signed photo?",
};

namespace {

// What happened, without the status line's hp.
std::string Told(const Event& e) {
  const std::string actor = e.actor != nullptr ? ColoredName(*e.actor) : std::string();
  const std::string other = e.other != nullptr ? ColoredName(*e.other) : std::string();
  const std::string number = NumberText(e.number);
  switch (e.what) {
    case Happening::kLineBreak:
    case Happening::kIntroduced:
      break;  // the same in every language: LineOf
    case Happening::kStart:
      return "<12>Fight!";
    case Happening::kDefeat:
      return "<12>*-- " + actor + " has fallen<12> --*\a";
    case Happening::kNormalAttack:
      return actor + " attacks";
    case Happening::kMagicAttack:
      return actor + " launches a <9>magic attack<15>";
    case Happening::kPummel:
      return actor + " snaps, pins " + other + " and pounds away";
    case Happening::kPoison:
      return actor + " <6>poisons<15> " + other + "! Every stat is halved";
    case Happening::kLastStand:
      return actor + " makes a <11>last stand<15>: every stat rises\n" + actor + " attacks";
    case Happening::kSong:
      return actor + " breaks into \"<13>" + std::string(kEnglishSongTitles[e.number]) + "<15>\"";
    case Happening::kHit:
    case Happening::kBlow:
      return actor + " takes " + number + " damage";
    case Happening::kDodge:
      return "<15>" + actor + " dodges it";
    case Happening::kMagicDefenceIgnoresNormal:
      return actor + " <9>casts a shield<15>: " + other + " hits in vain";
    case Happening::kMagicDefenceHit:
      return actor + " <9>casts a shield<15> but takes " + number + " damage";
    case Happening::kMagicDefenceFoils:
      return actor + " <9>casts a shield<15>: " + other + " is foiled";
    case Happening::kDeflection:
      return actor + " <10>deflects<15> it: " + other + " takes " + number + " damage";
    case Happening::kEvasion:
      return actor + " <14>dives clear<15> and takes no damage";
    case Happening::kUnmoved:
      return actor + " is unmoved; " + other + " is speechless...";
    case Happening::kListenerRefreshed:
      return actor + " says: <5>" + std::string(kEnglishReactionLines[e.number]) + "<15>\n" +
             other + " finishes; " + actor + " gains some HP and MP";
    case Happening::kSingerRefreshed:
      return actor + " says: <5>" + std::string(kEnglishReactionLines[e.number]) + "<15>\n" +
             other + " finishes and gains some HP and MP";
    case Happening::kHurtBySong:
      return actor + " winces at " + other + " singing: " + number + " HP lost";
  }
  return {};
}

}  // namespace

std::string EnglishLine(const Event& event, const Fighter& first, const Fighter& second) {
  return LineOf(Told, event, first, second);
}

}  // namespace bramble
