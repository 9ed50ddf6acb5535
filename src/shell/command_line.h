#ifndef BRAMBLE_SHELL_COMMAND_LINE_H_
#define BRAMBLE_SHELL_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

#include "console/print_marked.h"
#include "shell/texts.h"

namespace bramble {

/// The program's switches. Each argument becomes a token: everything up to
/// and including its first "/" removed, A to Z folded to a to z. An option
/// is found by searching its text anywhere inside the tokens.
class CommandLine {
 public:
  CommandLine(int argc, const char* const* argv);

  /// Index of the first token that contains the option; -1 when none does.
  int FindOption(std::string option) const;
  bool HasOption(std::string option) const;
  /// In the first token that contains the option, everything after the
  /// first separator. The value keeps the letter case it was typed in, so a
  /// path names the file the player meant on a case-sensitive file system.
  std::string OptionValue(std::string option, std::string separator) const;

  const std::vector<std::string>& tokens() const { return tokens_; }

 private:
  std::vector<std::string> tokens_;  // folded, for matching
  std::vector<std::string> typed_;   // as typed, for values
};

/// Prints the usage text in the words of `texts`.
void PrintUsage(Screen& screen, const GameTexts& texts = kChineseTexts);

}  // namespace bramble

#endif  // BRAMBLE_SHELL_COMMAND_LINE_H_
