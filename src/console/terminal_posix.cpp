// The console on a POSIX terminal: colour attributes become SGR escape
// sequences, GBK text is converted for UTF-8 terminals, and control bytes in
// the text are shown rather than obeyed.
//
// Output is written with write(2) straight from a buffer of our own, so the
// signal handlers know what the terminal really shows: a colour reset still
// sitting in a buffer has not reset anything. Colour changes are escape
// sequences in the same buffer, so a printed line leaves in one write (or
// one per 64 KiB), however many segments it has. Whenever the game is not
// waiting for input, a terminal on standard input does not echo: what a
// player types then waits, unseen, and is shown after the next prompt, where
// it is read in order. Every way out (the end, the end of input, a signal,
// lost output) gives the terminal back its own colours and settings.
#include "console/terminal.h"

#include <errno.h>
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "console/charset.h"
#include "console/sgr.h"

namespace bramble {

namespace {

// --- What the signal handlers reach: set before they are installed. The
// rest of the terminal (its settings, its buffers) is the console object's.

constexpr char kReset[] = "\x1b[0m";
volatile std::sig_atomic_t g_colour_dirty = 0;  // the screen may show our colour
volatile std::sig_atomic_t g_echo_off = 0;      // standard input's echo is ours
termios g_own_settings;                         // the terminal's, from the start

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Async-signal-safe: only write(2) and tcsetattr(3).
void RestoreTerminal() {
  if (g_colour_dirty) {
    ssize_t ignored = ::write(STDOUT_FILENO, kReset, sizeof kReset - 1);
    (void)ignored;
    g_colour_dirty = 0;
  }
  if (g_echo_off) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &g_own_settings);
    g_echo_off = 0;
  }
}

// Does what the signal does by default (ends or stops the process), even
// from inside its own handler, where it is blocked.
void RaiseDefault(int signal_number) {
  std::signal(signal_number, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal_number);
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
  ::raise(signal_number);
}

// Ends the process the way the signal would have, after restoring.
extern "C" void RestoreAndEnd(int signal_number) {
  RestoreTerminal();
  RaiseDefault(signal_number);
}

void QuietInput();

// Ctrl-Z: the shell gets its terminal back as it was; on `fg` the game goes
// on quietly again.
extern "C" void RestoreAndStop(int signal_number) {
  int saved_errno = errno;
  bool was_quiet = g_echo_off;
  RestoreTerminal();
  RaiseDefault(signal_number);  // stops here until continued
  std::signal(signal_number, RestoreAndStop);
  if (was_quiet)
    QuietInput();
  errno = saved_errno;
}

// Installs `handler` unless the signal was ignored when the game started
// (nohup, a background job): that choice is the caller's.
void Catch(int signal_number, void (*handler)(int)) {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  if (::sigaction(signal_number, nullptr, &action) == 0 && action.sa_handler == SIG_IGN)
    return;
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal_number, &action, nullptr);
}

// --- The process, taken over once. ------------------------------------------

// A locale that names no character set (C, POSIX: a fresh container, an ssh
// session without LANG) is taken as UTF-8 on a terminal, as current language
// runtimes do; LC_ALL set says the user chose, and is obeyed.
bool PlainLocale() {
  const char* name = std::setlocale(LC_CTYPE, nullptr);
  const char* all = std::getenv("LC_ALL");
  return name && (std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0) && !(all && *all);
}

// The first console built keeps the terminal's own settings and installs
// the handlers that give them back. Returns whether standard input is a
// terminal whose settings are kept, so that it may be quietened.
bool TakeOverProcess() {
  static const bool input_terminal = [] {
    bool held = ::isatty(STDIN_FILENO) == 1 && ::tcgetattr(STDIN_FILENO, &g_own_settings) == 0;
    // A write to a closed pipe fails with EPIPE instead of killing the game
    // on the spot, so the terminal is restored first (and a transcript that
    // is a FIFO whose reader left is only a failed write).
    std::signal(SIGPIPE, SIG_IGN);
    for (int signal_number : kEndingSignals)
      Catch(signal_number, RestoreAndEnd);
    if (held)
      Catch(SIGTSTP, RestoreAndStop);
    std::atexit(RestoreTerminal);
    return held;
  }();
  return input_terminal;
}

// Settings of standard input are ours to change only while the game is the
// terminal's foreground job; from the background it would be stopped.
bool InForeground() { return ::tcgetpgrp(STDIN_FILENO) == ::getpgrp(); }

// Echo off (line editing stays): typing waits unseen until the next prompt.
void QuietInput() {
  if (g_echo_off || !InForeground())
    return;
  termios quiet = g_own_settings;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
  if (::tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0)
    g_echo_off = 1;
}

[[noreturn]] void EndOnLostOutput(int error) {
  RestoreTerminal();
  if (error == EPIPE) {
    // Like any command whose reader has gone (`... | head`): quietly, with
    // the status of SIGPIPE.
    RaiseDefault(SIGPIPE);
    std::_Exit(128 + SIGPIPE);
  }
  std::string message = std::string(program_invocation_short_name) +
                        ": standard output: " + std::strerror(error) + "\n";
  ssize_t ignored = ::write(STDERR_FILENO, message.data(), message.size());
  (void)ignored;
  std::_Exit(1);
}

// Sends everything; a standard output that cannot take it ends the game.
void SendAll(const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n > 0) {
      data += n;
      size -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {  // shared, non-blocking
      pollfd out = {STDOUT_FILENO, POLLOUT, 0};
      ::poll(&out, 1, -1);
      continue;
    }
    EndOnLostOutput(n < 0 ? errno : EIO);
  }
}

// Output waits for Flush unless it grows large.
constexpr size_t kSendAt = 65536;

class PosixTerminal final : public Console {
 public:
  PosixTerminal();
  ~PosixTerminal() override;

  void SetAttribute(uint16_t attribute) override;
  void Write(std::string_view gbk) override;
  void Flush() override { SendPending(); }
  int ReadByte() override;
  std::string DecodeWord(std::string typed) override { return utf8_in_ ? Utf8ToGbk(typed) : typed; }
  int Columns() override;
  bool Unicode() override { return utf8_out_; }

 private:
  void SendPending();
  void TakeTypeAhead();
  void EchoTypeAhead();
  bool WaitForInput();
  bool FillInput();

  // Found when the console is built.
  bool to_terminal_ = false;     // standard output is a terminal
  bool colour_ = false;          // ... and colours are wanted there
  bool light_ = false;           // ... on a light background
  bool utf8_out_ = false;        // text goes out as UTF-8
  bool utf8_in_ = false;         // typed words come in as UTF-8
  bool input_terminal_ = false;  // standard input is a terminal we may quieten

  std::string out_;  // written, not yet sent
  // Whether the last colour sequence in out_ is the reset: once out_ is on
  // the screen, the terminal shows its own colours again.
  bool out_ends_in_reset_ = false;

  std::string in_;          // read, not yet handed out
  size_t in_pos_ = 0;       // the next byte to hand out
  size_t in_shown_ = 0;     // in_ up to here is on the screen (echoed)
  bool end_typed_ = false;  // an end of input typed while the game was busy
};

PosixTerminal::PosixTerminal() {
  std::setlocale(LC_CTYPE, "");
  const char* codeset = nl_langinfo(CODESET);
  bool utf8 = codeset && std::strcmp(codeset, "UTF-8") == 0;
  bool plain = PlainLocale();
  to_terminal_ = ::isatty(STDOUT_FILENO) == 1;
  bool from_terminal = ::isatty(STDIN_FILENO) == 1;
  utf8_out_ = utf8 || (plain && to_terminal_);
  utf8_in_ = utf8 || (plain && from_terminal);
  const char* term = std::getenv("TERM");
  const char* no_color = std::getenv("NO_COLOR");
  colour_ = to_terminal_ && !(term && std::strcmp(term, "dumb") == 0) && !(no_color && *no_color);
  light_ = IsLightBackground(std::getenv("COLORFGBG"));
  bool held = TakeOverProcess();
  input_terminal_ = from_terminal && held;
}

// What is still waiting is sent, and the terminal gets its own colours and
// settings back.
PosixTerminal::~PosixTerminal() {
  SendPending();
  RestoreTerminal();
}

// --- Output. -----------------------------------------------------------------

void PosixTerminal::SendPending() {
  if (out_.empty())
    return;
  std::string pending;
  pending.swap(out_);
  bool resets = out_ends_in_reset_;
  out_ends_in_reset_ = false;
  SendAll(pending.data(), pending.size());
  if (resets)
    g_colour_dirty = 0;  // the reset is on the screen now
}

void PosixTerminal::SetAttribute(uint16_t attribute) {
  if (input_terminal_)
    QuietInput();
  if (!colour_)
    return;
  if (attribute != kDefaultAttribute)
    g_colour_dirty = 1;  // before the sequence can reach the screen
  out_ += SgrSequence(attribute, light_);
  out_ends_in_reset_ = attribute == kDefaultAttribute;
  if (out_.size() >= kSendAt)
    SendPending();
}

void PosixTerminal::Write(std::string_view gbk) {
  if (input_terminal_)
    QuietInput();
  std::string shown_controls;
  std::string_view shown = gbk;
  if (to_terminal_) {
    shown_controls = ShowControls(gbk);
    shown = shown_controls;
  }
  // ASCII is the same in GBK and UTF-8: only text beyond it is converted
  // (a name of many "<" is a segment per "<").
  bool ascii = std::all_of(shown.begin(), shown.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (utf8_out_ && !ascii)
    out_ += GbkToUtf8(shown);
  else
    out_ += shown;
  if (out_.size() >= kSendAt)
    SendPending();
}

int PosixTerminal::Columns() {
  winsize size{};
  if (to_terminal_ && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
    return size.ws_col;
  return 80;
}

// --- Input. ------------------------------------------------------------------

// Takes what was typed while the game was busy (line editing already done
// by the terminal) and keeps it to be read first; it is shown, line by
// line, as the game comes to read it. Echo is back on afterwards.
void PosixTerminal::TakeTypeAhead() {
  if (!g_echo_off)
    return;
  termios drain = g_own_settings;
  drain.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON);
  drain.c_cc[VMIN] = 0;
  drain.c_cc[VTIME] = 0;
  std::string typed;
  if (::tcsetattr(STDIN_FILENO, TCSANOW, &drain) == 0) {
    char buffer[4096];
    for (;;) {
      ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
      if (n > 0)
        typed.append(buffer, static_cast<size_t>(n));
      else if (!(n < 0 && errno == EINTR))
        break;
    }
  }
  ::tcsetattr(STDIN_FILENO, TCSANOW, &g_own_settings);
  g_echo_off = 0;

  // The terminal keeps a Ctrl-D as a NUL: at the start of a line it ends the
  // input, inside one it only hands the line over.
  in_.erase(0, in_pos_);
  in_shown_ -= std::min(in_shown_, in_pos_);
  in_pos_ = 0;
  for (char c : typed) {
    if (c != '\0') {
      in_ += c;
    } else if (in_.empty() || in_.back() == '\n') {
      end_typed_ = true;
      break;
    }
  }
}

// Shows the rest of the typed line the game starts to read, where the
// terminal would have echoed it had the game not been busy: after the
// prompt, never inside a battle line.
void PosixTerminal::EchoTypeAhead() {
  if (in_pos_ < in_shown_)
    return;
  size_t end = in_.find('\n', in_pos_);
  end = end == std::string::npos ? in_.size() : end + 1;
  std::string shown = ShowControls(std::string_view(in_).substr(in_pos_, end - in_pos_));
  ssize_t ignored = ::write(STDIN_FILENO, shown.data(), shown.size());  // as the echo does
  (void)ignored;
  in_shown_ = end;
}

// Waits for input, or for standard output to be lost (the reader of a pipe
// gone, the terminal hung up): no game goes on into nowhere.
bool PosixTerminal::WaitForInput() {
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {STDOUT_FILENO, 0, 0}};
  for (;;) {
    int ready = ::poll(fds, 2, -1);
    if (ready < 0 && errno == EINTR)
      continue;
    if (ready < 0)
      return true;  // let read(2) tell
    if (fds[1].revents & POLLNVAL)
      EndOnLostOutput(EBADF);
    if (fds[1].revents & (POLLERR | POLLHUP))
      EndOnLostOutput(to_terminal_ ? EIO : EPIPE);
    if (fds[0].revents)
      return true;
  }
}

bool PosixTerminal::FillInput() {
  if (input_terminal_)
    TakeTypeAhead();
  if (in_pos_ < in_.size())
    return true;
  if (end_typed_) {
    end_typed_ = false;
    return false;
  }
  in_.clear();
  in_pos_ = 0;
  char buffer[65536];
  for (;;) {
    WaitForInput();
    ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n > 0) {
      in_.assign(buffer, static_cast<size_t>(n));
      in_shown_ = in_.size();  // the terminal echoed it, or nothing is shown
      return true;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
      continue;    // a non-blocking standard input: poll again
    return false;  // the end, or input that cannot be read (a directory)
  }
}

int PosixTerminal::ReadByte() {
  Flush();
  if (in_pos_ >= in_.size() && !FillInput())
    return -1;
  if (input_terminal_)
    EchoTypeAhead();
  return static_cast<unsigned char>(in_[in_pos_++]);
}

}  // namespace

std::unique_ptr<Console> OpenTerminal() { return std::make_unique<PosixTerminal>(); }

}  // namespace bramble
