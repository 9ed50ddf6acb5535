#ifndef BRAMBLE_CONSOLE_CONSOLE_H_
#define BRAMBLE_CONSOLE_CONSOLE_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace bramble {

/// The console's default colours, light grey on black: the terminal's own
/// colours where the terminal has its own.
inline constexpr uint16_t kDefaultAttribute = 7;

/// Where the game's text goes and the words a player types come from: text
/// in GBK with a 16-bit colour attribute (bits 0-3 foreground, 4-7
/// background), and input read word by word. Whoever prints is handed one:
/// the game and the lab build the process's terminal (terminal.h), tests
/// hand in one that records.
class Console {
 public:
  virtual ~Console() = default;

  /// Sets the colour of the text written next. Each segment still shows in
  /// its own colour: a terminal gets the change in the byte stream, in its
  /// place; a console that takes colours by a call of its own gets the text
  /// before the change written first.
  virtual void SetAttribute(uint16_t attribute) = 0;
  /// Writes GBK bytes. Output may wait in a buffer (a line, or a run of one
  /// colour) until Flush or the next read: whoever prints flushes at the end
  /// of what it prints, so a line leaves in a few writes instead of one per
  /// segment.
  virtual void Write(std::string_view gbk) = 0;
  virtual void Flush() = 0;

  /// The next byte of input, or -1 at its end. Output waiting is sent first.
  virtual int ReadByte() = 0;
  /// Turns a word as typed into the GBK bytes the game works with.
  virtual std::string DecodeWord(std::string typed) = 0;
  /// Columns of the window the text shows in; 80 when there is none.
  virtual int Columns() = 0;
  /// Whether output reaches the user as Unicode (a UTF-8 locale or console,
  /// the page), so that characters beyond ASCII such as block elements can
  /// be drawn.
  virtual bool Unicode() = 0;

  /// Reads one word: leading white space (blanks, tabs, line breaks)
  /// skipped, then the longest run of bytes that are not white space, as
  /// DecodeWord gives it. Returns false at the end of input when no word was
  /// read; `word` is then empty.
  bool ReadWord(std::string* word);
};

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_CONSOLE_H_
