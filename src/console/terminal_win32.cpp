// The console on Windows. Colours are console character attributes, set on
// standard output when a segment's colour differs from the one in force:
// the text of one colour (a run) is gathered and written at once before the
// next colour is set, or when the game flushes or reads. The game's text is code page 936
// (GBK): on a console showing that code page, and whenever a handle is
// redirected, bytes pass unchanged through the C runtime's streams. On a
// console set to any other code page, text is converted and written as
// UTF-16, and typed words are read as UTF-16 and converted back to code page
// 936, so the Chinese text shows and a name hashes the same on every console.
#include "console/terminal.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "console/charset.h"

namespace bramble {

namespace {

constexpr UINT kGbk = 936;
constexpr UINT kGb18030 = 54936;

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

std::wstring Widen(std::string_view bytes, UINT code_page, DWORD flags) {
  int length = MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()),
                                   nullptr, 0);
  if (length <= 0)
    return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                      length);
  return wide;
}

// GBK text as UTF-16. A four-byte GB18030 character a player typed shows as
// itself; bytes that decode as neither show as U+FFFD.
std::wstring GbkToWide(std::string_view gbk) {
  std::wstring wide = Widen(gbk, kGbk, MB_ERR_INVALID_CHARS);
  if (!wide.empty() || gbk.empty())
    return wide;
  while (!gbk.empty()) {
    auto lead = static_cast<unsigned char>(gbk[0]);
    size_t length = 1;
    if (lead >= 0x81 && lead <= 0xFE && gbk.size() >= 2) {
      auto next = static_cast<unsigned char>(gbk[1]);
      length = next >= 0x30 && next <= 0x39 && gbk.size() >= 4 ? 4 : 2;
    }
    std::string_view ch = gbk.substr(0, length);
    std::wstring decoded = Widen(ch, length == 4 ? kGb18030 : kGbk, MB_ERR_INVALID_CHARS);
    if (decoded.empty()) {
      wide += L'\xFFFD';
      gbk.remove_prefix(1);
    } else {
      wide += decoded;
      gbk.remove_prefix(length);
    }
  }
  return wide;
}

// One character typed on the console as the bytes the game hashes: its code
// page 936 form, or its GB18030 form where code page 936 lacks it.
std::string NarrowCharacter(std::wstring_view ch) {
  char buffer[8];
  BOOL used_default = FALSE;
  int length =
      WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, ch.data(), static_cast<int>(ch.size()),
                          buffer, sizeof buffer, nullptr, &used_default);
  if (length <= 0 || used_default) {
    length = WideCharToMultiByte(kGb18030, 0, ch.data(), static_cast<int>(ch.size()), buffer,
                                 sizeof buffer, nullptr, nullptr);
  }
  if (length <= 0)
    return "?";
  return std::string(buffer, static_cast<size_t>(length));
}

// Typed console input as code page 936 bytes, handed out one at a time.
class WideInput {
 public:
  int Next() {
    while (pos_ >= bytes_.size()) {
      if (ended_ || !Fill())
        return -1;
    }
    return static_cast<unsigned char>(bytes_[pos_++]);
  }

 private:
  // Reads what the console has (a line, as typed). Returns false at the end
  // of input: a failed read, or a line that starts with Ctrl+Z.
  bool Fill() {
    wchar_t buffer[512];
    DWORD read = 0;
    if (!ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), buffer, 512, &read, nullptr) || read == 0) {
      ended_ = true;
      return false;
    }
    std::wstring typed = pending_ + std::wstring(buffer, read);
    pending_.clear();
    if (typed[0] == L'\x1A') {
      ended_ = true;
      return false;
    }
    // A surrogate pair cut by the buffer's end waits for its second half.
    if (IS_HIGH_SURROGATE(typed.back())) {
      pending_ = typed.back();
      typed.pop_back();
    }
    bytes_.clear();
    pos_ = 0;
    for (size_t i = 0; i < typed.size();) {
      size_t length =
          IS_HIGH_SURROGATE(typed[i]) && i + 1 < typed.size() && IS_LOW_SURROGATE(typed[i + 1]) ? 2
                                                                                                : 1;
      bytes_ += NarrowCharacter(std::wstring_view(typed).substr(i, length));
      i += length;
    }
    return true;
  }

  std::string bytes_;
  size_t pos_ = 0;
  std::wstring pending_;
  bool ended_ = false;
};

constexpr size_t kSendAt = 65536;

class Win32Console final : public Console {
 public:
  // Decided once: whether each side talks to a console in another code page.
  Win32Console()
      : wide_output_(IsConsole(GetStdHandle(STD_OUTPUT_HANDLE)) && GetConsoleOutputCP() != kGbk),
        wide_input_(IsConsole(GetStdHandle(STD_INPUT_HANDLE)) && GetConsoleCP() != kGbk) {}
  ~Win32Console() override { SendRun(); }  // what is left in the run still shows

  void SetAttribute(uint16_t attribute) override {
    if (attribute_set_ && attribute_ == attribute)
      return;  // the same colour: the run goes on
    SendRun();
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), attribute);
    attribute_ = attribute;
    attribute_set_ = true;
  }

  void Write(std::string_view gbk) override {
    if (wide_output_)
      wide_ += GbkToWide(gbk);
    else
      bytes_ += gbk;
    if (bytes_.size() + wide_.size() >= kSendAt)
      SendRun();
  }

  void Flush() override { SendRun(); }

  int ReadByte() override {
    SendRun();
    if (wide_input_)
      return wide_in_.Next();
    return std::getc(stdin);
  }

  // Words read from a console in another code page were converted as they
  // were read; everything else arrives as code page 936 bytes already.
  std::string DecodeWord(std::string typed) override { return typed; }

  int Columns() override {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info))
      return info.srWindow.Right - info.srWindow.Left + 1;
    return 80;
  }

  bool Unicode() override { return GetConsoleOutputCP() == CP_UTF8; }

 private:
  void SendRun() {
    if (!bytes_.empty()) {
      std::fwrite(bytes_.data(), 1, bytes_.size(), stdout);
      bytes_.clear();
    }
    std::fflush(stdout);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const wchar_t* data = wide_.data();
    DWORD left = static_cast<DWORD>(wide_.size());
    while (left > 0) {
      DWORD written = 0;
      if (!WriteConsoleW(out, data, left, &written, nullptr) || written == 0)
        break;
      data += written;
      left -= written;
    }
    wide_.clear();
  }

  const bool wide_output_;
  const bool wide_input_;
  // The run being gathered: GBK bytes, or (on a console in another code
  // page) the same text already converted segment by segment, as each
  // segment was always converted on its own.
  std::string bytes_;
  std::wstring wide_;
  uint16_t attribute_ = 0;
  bool attribute_set_ = false;  // whether the console has our colour yet
  WideInput wide_in_;
};

}  // namespace

std::unique_ptr<Console> OpenTerminal() { return std::make_unique<Win32Console>(); }

// Declared in charset.h: GBK text as UTF-8 for files that want Unicode.
std::string GbkToUtf8(std::string_view gbk) {
  std::wstring wide = GbkToWide(gbk);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, nullptr);
  if (length <= 0)
    return {};
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

}  // namespace bramble
