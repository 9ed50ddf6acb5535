#include "console/terminal.h"

#include <optional>

#include "console/ascii.h"

namespace bramble::terminal {

namespace {

Recording* g_recording = nullptr;
std::optional<std::string> g_input;
size_t g_input_pos = 0;

int NextByte() {
  if (!g_input)
    return platform::ReadByte();
  if (g_input_pos >= g_input->size())
    return -1;
  return static_cast<unsigned char>((*g_input)[g_input_pos++]);
}

}  // namespace

void SetAttribute(uint16_t attribute) {
  if (g_recording) {
    g_recording->marked += '{';
    g_recording->marked += std::to_string(attribute);
    g_recording->marked += '}';
    return;
  }
  platform::SetAttribute(attribute);
}

void Write(std::string_view gbk) {
  if (g_recording) {
    g_recording->text += gbk;
    g_recording->marked += gbk;
    return;
  }
  platform::Write(gbk);
}

void Flush() {
  if (!g_recording)
    platform::Flush();
}

bool ReadWord(std::string* word) {
  word->clear();
  int c = NextByte();
  while (IsWhiteSpace(c))
    c = NextByte();
  if (c < 0)
    return false;
  std::string typed;
  // The white space byte that ends the word is consumed, like a stream's
  // word extraction followed by the next skip would.
  while (c >= 0 && !IsWhiteSpace(c)) {
    typed += static_cast<char>(c);
    c = NextByte();
  }
  *word = g_input ? typed : platform::DecodeWord(std::move(typed));
  return true;
}

void StartRecording(Recording* recording) { g_recording = recording; }
void StopRecording() { g_recording = nullptr; }

void UseInput(std::string_view input) {
  g_input = std::string(input);
  g_input_pos = 0;
}

}  // namespace bramble::terminal
