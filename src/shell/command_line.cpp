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

void PrintUsage(Screen& screen, const GameTexts& texts) {
  screen.PrintMarked(texts.version_line, true);
  screen.PrintMarked(texts.copyright, true);
  bool language = !texts.language_help.empty();
  screen.PrintMarked(language ? "Brambleworthen [/I:interval] [/S:filepath] [/L:language]\n"
                              : "Brambleworthen [/I:interval] [/S:filepath]\n",
                     true);
  screen.PrintMarked("  /I:interval", true);
  screen.PrintMarked(std::string(texts.interval_help[0]) + RadixText(kDefaultInterval, 10) + "ms",
                     true);
  screen.PrintMarked(texts.interval_help[1], true);
  screen.PrintMarked("  /S:filepath", true);
  screen.PrintMarked(texts.save_help[0], true);
  screen.PrintMarked(texts.save_help[1], true);
  if (language) {
    screen.PrintMarked("  /L:language", true);
    screen.PrintMarked(texts.language_help, true);
  }
}

}  // namespace bramble
