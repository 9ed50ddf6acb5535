#ifndef BRAMBLE_CONSOLE_PRINT_MARKED_H_
#define BRAMBLE_CONSOLE_PRINT_MARKED_H_

#include <functional>
#include <string>
#include <string_view>

#include "console/transcript.h"

namespace bramble {

/// Path of the transcript file; empty means saving is off. Set once by the
/// entry; emptied for good when the file cannot be written.
extern std::string g_transcript_path;

/// The 49-column yellow frame line.
extern const std::string_view kFrameLine;

/// The notice that tells the player saving to `path` failed and is off.
std::string TranscriptNotice(std::string_view path, TranscriptResult result);

/// The one print routine: shows marked-up text in colour (followed by a line
/// end when `with_newline` is set) and, while saving is on, appends its plain
/// text to the transcript.
void PrintMarked(std::string_view text, bool with_newline);

/// Saves what is printed while `run` runs to the transcript at `path`, as
/// the game's switch does (a failure is told on the console and switches
/// saving off), and switches saving off afterwards. Returns kSaved when every
/// text reached the file, else the failure that switched saving off.
TranscriptResult PrintSaving(const std::string& path, const std::function<void()>& run);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_PRINT_MARKED_H_
