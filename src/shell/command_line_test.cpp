#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "console/read_long.h"
#include "console/terminal.h"

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

TEST(PrintUsage, NineLinesWithTheDefaultInterval) {
  terminal::Recording recording;
  terminal::StartRecording(&recording);
  Screen screen;
  PrintUsage(screen);
  terminal::StopRecording();
  EXPECT_EQ(recording.text, "Brambleworthen 控制台版 V" BRAMBLE_VERSION
                            "\n"
                            "版权所有 (C) 2026 Brambleworthen\n\n"
                            "Brambleworthen [/I:interval] [/S:filepath]\n\n"
                            "  /I:interval\n"
                            "              指定对战间隔，默认为1000ms\n"
                            "              输入值按毫秒解释，不加单位\n"
                            "  /S:filepath\n"
                            "              指定路径保存对战信息，该参数将\n"
                            "              把对战屏幕保存为指定的文本文件\n");
  EXPECT_EQ(recording.marked.find("{1"), std::string::npos) << "no colour but the default";
  // The maker notice is 32 columns: one per ASCII byte, two per GBK character.
  EXPECT_EQ(std::string("版权所有 (C) 2026 Brambleworthen").size(), 32u);
}

}  // namespace
}  // namespace bramble
