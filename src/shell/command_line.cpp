#include "shell/command_line.h"

#include "battle/ticker.h"
#include "codec/radix_text.h"
#include "console/print_marked.h"

namespace bramble {

namespace {

void FoldCase(std::string* text) {
  for (char& c : *text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
}

}  // namespace

CommandLine::CommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    std::string typed = argv[i];
    size_t slash = typed.find('/');
    if (slash != std::string::npos)
      typed.erase(0, slash + 1);
    std::string folded = typed;
    FoldCase(&folded);
    typed_.push_back(std::move(typed));
    tokens_.push_back(std::move(folded));
  }
}

int CommandLine::FindOption(std::string option) const {
  FoldCase(&option);
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (tokens_[i].find(option) != std::string::npos)
      return static_cast<int>(i);
  }
  return -1;
}

bool CommandLine::HasOption(std::string option) const { return FindOption(option) != -1; }

std::string CommandLine::OptionValue(std::string option, std::string separator) const {
  int index = FindOption(option);
  if (index < 0)
    return {};
  // Folding keeps every byte in its place, so the separator found in the
  // folded token marks the same place in the typed one.
  size_t at = tokens_[index].find(separator);
  if (at == std::string::npos)
    return {};
  return typed_[index].substr(at + separator.size());
}

const std::string_view kVersionLine = "Brambleworthen 控制台版 V" BRAMBLE_VERSION;

void PrintUsage(Screen& screen) {
  screen.PrintMarked(kVersionLine, true);
  screen.PrintMarked("版权所有 (C) 2026 Brambleworthen\n", true);
  screen.PrintMarked("Brambleworthen [/I:interval] [/S:filepath]\n", true);
  screen.PrintMarked("  /I:interval", true);
  screen.PrintMarked("              指定对战间隔，默认为" + RadixText(kDefaultInterval, 10) + "ms",
                     true);
  screen.PrintMarked("              输入值按毫秒解释，不加单位", true);
  screen.PrintMarked("  /S:filepath", true);
  screen.PrintMarked("              指定路径保存对战信息，该参数将", true);
  screen.PrintMarked("              把对战屏幕保存为指定的文本文件", true);
}

}  // namespace bramble
