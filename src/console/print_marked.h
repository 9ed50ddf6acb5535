#ifndef BRAMBLE_CONSOLE_PRINT_MARKED_H_
#define BRAMBLE_CONSOLE_PRINT_MARKED_H_

#include <string>
#include <string_view>
#include <utility>

#include "console/color_printer.h"
#include "console/console.h"
#include "console/transcript.h"

namespace bramble {

/// The 49-column yellow frame line.
extern const std::string_view kFrameLine;

/// The notice that tells the player saving to `path` failed and is off.
std::string TranscriptNotice(std::string_view path, TranscriptResult result);
/// The same notice in English.
std::string EnglishTranscriptNotice(std::string_view path, TranscriptResult result);
using NoticeText = std::string (*)(std::string_view path, TranscriptResult result);

/// Where the game's texts go: the console it is handed, through its colour
/// printer, and, while saving is on, the transcript file. The shell builds
/// one over the terminal and hands it to whatever prints.
class Screen {
 public:
  /// Saving to the transcript at `transcript_path`; empty: saving is off.
  /// A failure to save is told in the words of `notice`.
  explicit Screen(Console& console, std::string transcript_path = {},
                  NoticeText notice = TranscriptNotice)
      : console_(console), transcript_path_(std::move(transcript_path)), notice_(notice) {}

  /// The one print routine: shows marked-up text in colour (followed by a
  /// line end when `with_newline` is set) and, while saving is on, appends
  /// its plain text to the transcript. A transcript that cannot be written
  /// is told of once on the console and saving is switched off.
  void PrintMarked(std::string_view text, bool with_newline);
  /// Shows marked-up text in colour on the console only, never saved.
  void ShowOnly(std::string_view text);
  /// Writes bytes straight to the console and flushes: no colour, not saved.
  void WriteBare(std::string_view text);

  /// kSaved until a failure switched saving off; then that failure.
  TranscriptResult saving() const { return saving_; }

 private:
  Console& console_;
  ColorPrinter printer_;
  std::string transcript_path_;
  NoticeText notice_;
  TranscriptResult saving_ = TranscriptResult::kSaved;
};

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_PRINT_MARKED_H_
