#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "console/read_long.h"
#include "console/recording_console_test.h"
#include "version.h"

namespace bramble {
namespace {

CommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "brambleworthen");
  return CommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, TokensDropEverythingUpToTheFirstSlashAndFoldCase) {
  EXPECT_EQ(Parse({"/I:750", "-S:C:/Logs/X.txt", "plain", "end/", "\xBC\xD7"}).tokens(),
            (std::vector<std::string>{"i:750", "logs/x.txt", "plain", "", "\xBC\xD7"}));
  EXPECT_TRUE(Parse({}).tokens().empty());
}

TEST(CommandLine, FindsOptionsAnywhereInATokenFirstTokenWins) {
  struct Case {
    std::vector<const char*> args;
    const char* option;
    int index;
    const char* value;
  };
  const Case cases[] = {
      {{}, "I:", -1, ""},
      {{"/I:750", "/I:20"}, "I:", 0, "750"},
      {{"-I:500"}, "I:", 0, "500"},
      {{"I:500"}, "I:", 0, "500"},
      {{"/i:500"}, "I:", 0, "500"},
      {{"/xI:5"}, "I:", 0, "5"},
      {{"/I"}, "I:", -1, ""},
      {{"/I:"}, "I:", 0, ""},
      {{"-S:C:/logs/x.txt"}, "S:", -1, ""},
      {{"/S:I:\\t.txt"}, "S:", 0, "I:\\t.txt"},
      {{"/S:I:\\t.txt"}, "I:", 0, "I:\\t.txt"},
      {{"/I:250", "/S:Logs/Duel.TXT"}, "S:", 1, "Logs/Duel.TXT"},  // typed case kept
      {{"/S:D:\\Logs\\Fight.TXT"}, "s:", 0, "D:\\Logs\\Fight.TXT"},
      {{"a", "/?"}, "?", 1, ""},
      {{"what?"}, "?", 0, ""},
  };
  for (const Case& c : cases) {
    CommandLine line = Parse(c.args);
    EXPECT_EQ(line.FindOption(c.option), c.index) << c.option;
    EXPECT_EQ(line.HasOption(c.option), c.index >= 0);
    if (c.index >= 0 && std::string(c.option) != "?") {
      EXPECT_EQ(line.OptionValue(c.option, ":"), c.value) << c.option;
    }
  }
  // The interval read from /S:I:\t.txt is 0.
  EXPECT_EQ(ReadLong(Parse({"/S:I:\\t.txt"}).OptionValue("I:", ":")), 0);
}

// The usage text in each language, the default interval written in, no
// colour: the Chinese usage keeps the game's nine lines, the English one
// adds the language switch.
TEST(PrintUsage, NineLinesInChineseElevenInEnglish) {
  const std::pair<const GameTexts*, std::string> cases[] = {
      {&kChineseTexts, "Brambleworthen 控制台版 V" BRAMBLE_VERSION "\n"
                       "版权所有 (C) 2026 Brambleworthen\n\n"
                       "Brambleworthen [/I:interval] [/S:filepath]\n\n"
                       "  /I:interval\n"
                       "              指定对战间隔，默认为1000ms\n"
                       "              输入值按毫秒解释，不加单位\n"
                       "  /S:filepath\n"
                       "              指定路径保存对战信息，该参数将\n"
                       "              把对战屏幕保存为指定的文本文件\n"},
      {&kEnglishTexts, "Brambleworthen Console Edition V" BRAMBLE_VERSION "\n"
                       "Copyright (C) 2026 Brambleworthen\n\n"
                       "Brambleworthen [/I:interval] [/S:filepath] [/L:language]\n\n"
                       "  /I:interval\n"
                       "              the pause between battle steps, default 1000ms\n"
                       "              a number of milliseconds, without a unit\n"
                       "  /S:filepath\n"
                       "              saves the battle, as the screen shows it,\n"
                       "              to this text file\n"
                       "  /L:language\n"
                       "              zh (Chinese, the default) or en (English)\n"},
  };
  for (const auto& [texts, usage] : cases) {
    RecordingConsole recording;
    Screen screen(recording);
    PrintUsage(screen, *texts);
    EXPECT_EQ(recording.text, usage);
    EXPECT_EQ(recording.marked.find("{1"), std::string::npos) << "no colour but the default";
  }
  // The maker notice is 32 columns: one per ASCII byte, two per GBK character.
  EXPECT_EQ(std::string("版权所有 (C) 2026 Brambleworthen").size(), 32u);
}

// The language is the player's choice: /L:en or /L:zh in any letter case;
// any other value, or none, keeps the Chinese game.
TEST(TextsFor, TakesOnlyTheLanguagesItKnows) {
  const std::pair<const char*, const GameTexts*> cases[] = {
      {"en", &kEnglishTexts}, {"EN", &kEnglishTexts}, {"zh", &kChineseTexts},
      {"Zh", &kChineseTexts}, {"", nullptr},          {"fr", nullptr},
      {"english", nullptr},   {"en ", nullptr},       {"中文", nullptr}};
  for (const auto& [code, texts] : cases)
    EXPECT_EQ(TextsFor(code), texts) << code;
}

// Every banner line is 49 columns, like the frame, in both languages (GBK:
// two bytes and two columns a character).
TEST(GameTexts, BannerLinesAreFortyNineColumns) {
  for (const GameTexts* texts : {&kChineseTexts, &kEnglishTexts}) {
    for (std::string_view line : {texts->title_line, texts->maker_line}) {
      std::string plain;
      for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '<')
          i = line.find('>', i);
        else
          plain += line[i];
      }
      EXPECT_EQ(plain.size(), 49u) << plain;
    }
  }
}

}  // namespace
}  // namespace bramble
