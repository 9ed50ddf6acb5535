#ifndef BRAMBLE_CONSOLE_PRINT_MARKED_H_
#define BRAMBLE_CONSOLE_PRINT_MARKED_H_

#include <string>
#include <string_view>

namespace bramble {

/// Path of the transcript file; empty means saving is off. Set once by the
/// entry; emptied for good when the file cannot be written.
extern std::string transcriptPath;

/// The 49-column yellow frame line.
extern const std::string_view FrameLine;

/// The one print routine: shows marked-up text in colour (followed by a line
/// end when `withNewline` is set) and, while saving is on, appends its plain
/// text to the transcript.
void PrintMarked(std::string_view text, bool withNewline);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_PRINT_MARKED_H_
