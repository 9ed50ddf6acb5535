#ifndef BRAMBLE_CONSOLE_RECORDING_CONSOLE_TEST_H_
#define BRAMBLE_CONSOLE_RECORDING_CONSOLE_TEST_H_

// Test helper: a console that keeps what is printed and reads scripted
// input, for the tests, benchmarks and fuzzers to hand in where the game and
// the lab hand in the terminal.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "console/console.h"

namespace bramble {

/// `text` gets the bytes written, `marked` the same with every attribute
/// change written as "{n}"; words are read from the scripted input as they
/// are (no decoding: the script is already the game's bytes).
class RecordingConsole final : public Console {
 public:
  explicit RecordingConsole(std::string input = {}) : input_(std::move(input)) {}

  /// Replaces what is left of the input with `input`.
  void Script(std::string_view input) {
    input_ = input;
    input_pos_ = 0;
  }

  void SetAttribute(uint16_t attribute) override {
    marked += '{';
    marked += std::to_string(attribute);
    marked += '}';
  }
  void Write(std::string_view gbk) override {
    text += gbk;
    marked += gbk;
  }
  void Flush() override {}
  int ReadByte() override {
    if (input_pos_ >= input_.size())
      return -1;
    return static_cast<unsigned char>(input_[input_pos_++]);
  }
  std::string DecodeWord(std::string typed) override { return typed; }
  int Columns() override { return columns; }
  bool Unicode() override { return unicode; }

  std::string text;
  std::string marked;
  int columns = 80;
  bool unicode = false;

 private:
  std::string input_;
  size_t input_pos_ = 0;
};

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_RECORDING_CONSOLE_TEST_H_
