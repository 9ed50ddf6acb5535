// The console on a POSIX terminal: colour attributes become SGR escape
// sequences, GBK text is converted for UTF-8 locales, and control bytes in
// the text are shown rather than obeyed.
#include "console/terminal.h"

#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/charset.h"
#include "console/sgr.h"

namespace bramble::terminal::platform {

namespace {

volatile std::sig_atomic_t g_colour_set = 0;

// Restores the terminal's colours before the process ends by a signal.
extern "C" void RestoreColoursAndDie(int signal_number) {
  if (g_colour_set) {
    static const char kReset[] = "\x1b[0m";
    ssize_t ignored = ::write(STDOUT_FILENO, kReset, sizeof kReset - 1);
    (void)ignored;
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

struct Settings {
  bool to_terminal = false;  // standard output is a terminal
  bool colour = false;       // ... and colours are wanted there
  bool utf8 = false;         // the locale's character set is UTF-8

  Settings() {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    utf8 = codeset && std::strcmp(codeset, "UTF-8") == 0;
    to_terminal = ::isatty(STDOUT_FILENO) == 1;
    const char* term = std::getenv("TERM");
    const char* no_color = std::getenv("NO_COLOR");
    colour = to_terminal && !(term && std::strcmp(term, "dumb") == 0) &&
             !(no_color && *no_color);
    if (colour) {
      std::signal(SIGINT, RestoreColoursAndDie);
      std::signal(SIGTERM, RestoreColoursAndDie);
    }
  }
};

const Settings& TheSettings() {
  static const Settings settings;
  return settings;
}

}  // namespace

void SetAttribute(uint16_t attribute) {
  const Settings& settings = TheSettings();
  std::fflush(stdout);
  if (!settings.colour)
    return;
  std::string sgr = SgrSequence(attribute);
  std::fwrite(sgr.data(), 1, sgr.size(), stdout);
  g_colour_set = attribute != 7;
}

void Write(std::string_view gbk) {
  const Settings& settings = TheSettings();
  std::string shown = settings.to_terminal ? ShowControls(gbk) : std::string(gbk);
  if (settings.utf8)
    shown = GbkToUtf8(shown);
  std::fwrite(shown.data(), 1, shown.size(), stdout);
}

void Flush() { std::fflush(stdout); }

int ReadByte() {
  std::fflush(stdout);
  return std::getc(stdin);
}

std::string DecodeWord(std::string word) {
  return TheSettings().utf8 ? Utf8ToGbk(word) : word;
}

int Columns() {
  winsize size{};
  if (TheSettings().to_terminal && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
    return size.ws_col;
  return 80;
}

bool Unicode() { return TheSettings().utf8; }

}  // namespace bramble::terminal::platform
