#ifndef BRAMBLE_CONSOLE_TERMINAL_H_
#define BRAMBLE_CONSOLE_TERMINAL_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace bramble::terminal {

/// The console underneath the printer: standard output with a 16-bit colour
/// attribute (bits 0-3 foreground, 4-7 background), and standard input read
/// word by word. Text is GBK on both sides; the platform layer converts where
/// the terminal speaks another character set.

/// The console's default colours, light grey on black: the terminal's own
/// colours where the terminal has its own.
inline constexpr uint16_t kDefaultAttribute = 7;

/// Sets the colour of the text written next. Each segment still shows in its
/// own colour: a terminal gets the change in the byte stream, in its place;
/// a console that takes colours by a call of its own gets the text before
/// the change written first.
void SetAttribute(uint16_t attribute);
/// Writes GBK bytes to standard output. Output may wait in a buffer (a line,
/// or a run of one colour) until Flush or the next read: whoever prints
/// flushes at the end of what it prints, so a line leaves in a few writes
/// instead of one per segment.
void Write(std::string_view gbk);
void Flush();

/// Reads one word: leading white space (blanks, tabs, line breaks) skipped,
/// then the longest run of bytes that are not white space. Returns false at
/// the end of input when no word was read; `word` is then empty.
bool ReadWord(std::string* word);

/// Test hooks. While a recording is set, output goes to it instead of the
/// platform: `text` gets the bytes, `marked` gets them with every attribute
/// change written as "{n}". While test input is set, words are read from it.
struct Recording {
  std::string text;
  std::string marked;
};
void StartRecording(Recording* recording);
void StopRecording();
void UseInput(std::string_view input);

namespace platform {
// Implemented once per platform (terminal_posix.cpp, terminal_win32.cpp,
// terminal_web.cpp).
void SetAttribute(uint16_t attribute);
void Write(std::string_view gbk);
void Flush();
/// The next byte of standard input, or -1 at its end.
int ReadByte();
/// Turns a word as typed into the GBK bytes the game works with.
std::string DecodeWord(std::string word);
/// Columns of the terminal standard output shows on; 80 when it is none.
int Columns();
/// Whether output reaches the user as Unicode (a UTF-8 locale or console),
/// so that characters beyond ASCII such as block elements can be drawn.
bool Unicode();
}  // namespace platform

}  // namespace bramble::terminal

#endif  // BRAMBLE_CONSOLE_TERMINAL_H_
