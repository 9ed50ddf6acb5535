// Plays a fixed session through the game's own code and prints everything
// it showed, colour changes included, as hexadecimal lines: the usage text,
// the version line, the banner and every prompt, the verse, the transcript
// notices, and several hundred seeded battles, enough for every song title
// and reaction line to occur; in Chinese, then in English, whose battles
// must carry the Chinese battles' numbers line for line, and whose lines
// must fit 80 columns (english_fit.h). Built by every preset, so that
// same_texts.sh can hold the builds' texts to each other byte for byte.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "battle/arena.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "battle/ticker.h"
#include "console/print_marked.h"
#include "console/recording_console_test.h"
#include "english_fit.h"
#include "shell/game.h"

namespace {

using namespace bramble;

// The game from its command line on typed `input`, with battles that end
// at once: what it prints does not depend on the clock's seed.
void Game(RecordingConsole& console, std::initializer_list<const char*> args,
          std::string_view input) {
  std::vector<const char*> argv = {"brambleworthen"};
  argv.insert(argv.end(), args);
  argv.push_back(nullptr);
  console.Script(input);
  RunGame(static_cast<int>(argv.size() - 1), argv.data(), Ticker::Immediate(0), console);
}

// Seeded battles of several pairs, names in GBK among them, in the words of
// `texts`.
void Battles(RecordingConsole& console, int rematches, BattleTexts texts) {
  const std::pair<const char*, const char*> pairs[] = {
      {"abc", "xyz"}, {"alice", "bob"}, {"\xbc\xd7\xd2\xd2", "\xd5\xc5\xc8\xfd"}, {"Q", "qq"}};
  Dice dice = Dice::Seeded(20261208);
  Screen screen(console);
  ScreenNarrator narrator(screen, texts);
  for (const auto& [one, two] : pairs) {
    Arena arena(Ticker::Immediate(UINT64_MAX), narrator, dice);
    arena.Setup(one, two);
    arena.Battle();
    for (int i = 0; i < rematches; ++i)
      arena.Rematch(one, two);
  }
}

// Each line's numbers, in order: the digits of the text, one blank after
// each number, the line ends kept.
std::string Numbers(std::string_view text) {
  std::string numbers;
  bool in_number = false;
  for (char c : text) {
    bool digit = c >= '0' && c <= '9';
    if (digit || c == '\n')
      numbers += c;
    else if (in_number)
      numbers += ' ';
    in_number = digit;
  }
  return numbers;
}

}  // namespace

int main() {
  RecordingConsole recording;
  Game(recording, {"/L:zh", "/?"}, "");  // the usage in Chinese whatever the locale
  Game(recording, {"--version"}, "");
  Game(recording, {}, "abc abc abc xyz qzpw Y \xbc\xd7 \xd2\xd2 R r n");
  Screen screen(recording);
  screen.PrintMarked(TranscriptNotice("duel.txt", TranscriptResult::kOpenFailed), false);
  screen.PrintMarked(TranscriptNotice("duel.txt", TranscriptResult::kWriteFailed), false);
  size_t chinese_battles = recording.text.size();
  Battles(recording, 100, ChineseLine);
  std::string chinese = recording.text.substr(chinese_battles);
  // The same in English.
  size_t english_shell = recording.text.size();
  Game(recording, {"/L:en", "/?"}, "");
  Game(recording, {"/L:en", "--version"}, "");
  Game(recording, {"/L:en"}, "abc abc abc xyz qzpw Y \xbc\xd7 \xd2\xd2 R r n");
  screen.PrintMarked(EnglishTranscriptNotice("duel.txt", TranscriptResult::kOpenFailed), false);
  screen.PrintMarked(EnglishTranscriptNotice("duel.txt", TranscriptResult::kWriteFailed), false);
  size_t english_battles = recording.text.size();
  Battles(recording, 100, EnglishLine);
  std::string english = recording.text.substr(english_battles);

  // The English fits an 80-column console as the Chinese does.
  std::string_view english_shell_text(recording.text);
  english_shell_text = english_shell_text.substr(english_shell, english_battles - english_shell);
  if (EnglishFitFaults(english_shell_text) > 0)
    return 1;

  // The English battles are the Chinese ones: line for line, the same
  // numbers in the same order.
  if (Numbers(english) != Numbers(chinese)) {
    std::fprintf(stderr, "text_session: the English battles' numbers differ from the Chinese\n");
    return 1;
  }

  // Every title and reaction must have been shown in both languages, or the
  // session proves too little.
  int missing = 0;
  for (const auto& titles : {kSongTitles, kEnglishSongTitles}) {
    for (int i = 0; i < rules::kSongTitleCount; ++i)
      missing += recording.text.find(titles[i]) == std::string::npos;
  }
  for (const auto& reactions : {kReactionLines, kEnglishReactionLines}) {
    for (int i = 0; i < rules::kReactionLineCount; ++i)
      missing += recording.text.find(reactions[i]) == std::string::npos;
  }
  if (missing > 0) {
    std::fprintf(stderr, "text_session: %d song titles or reactions never shown\n", missing);
    return 1;
  }
  const std::string& out = recording.marked;
  for (size_t i = 0; i < out.size(); i += 32) {
    for (size_t j = i; j < out.size() && j < i + 32; ++j)
      std::printf("%02x", static_cast<unsigned char>(out[j]));
    std::printf("\n");
  }
  return 0;
}
