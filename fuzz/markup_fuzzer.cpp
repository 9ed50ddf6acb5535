// The colour markup printer on any text: parsed, emitted into a recording
// console, and shown the way a POSIX terminal would get it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "console/color_printer.h"
#include "console/recording_console_test.h"
#include "console/sgr.h"

namespace {

// The text without its well-formed tags: a "<" that a ">" closes before any
// other "<" opens, with everything between them.
std::string WithoutTags(std::string_view text) {
  std::string plain;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '<') {
      size_t end = text.find_first_of("<>", i + 1);
      if (end != std::string_view::npos && text[end] == '>') {
        i = end + 1;
        continue;
      }
    }
    plain += text[i++];
  }
  return plain;
}

bool IsDriving(unsigned char c) {
  return (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\a') || c == 0x7F;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  bramble::ColorPrinter printer;
  bramble::RecordingConsole recording;
  printer.Clear();
  printer.Parse(text);
  std::string plain = printer.Emit(recording);

  FUZZ_CHECK(plain == WithoutTags(text));
  FUZZ_CHECK(recording.text == plain);
  // Every print leaves the terminal in its default colour.
  FUZZ_CHECK(std::string_view(recording.marked).ends_with("{7}"));
  size_t segments = printer.texts().size();
  FUZZ_CHECK(printer.foregrounds().size() == segments && printer.backgrounds().size() == segments);

  // What a terminal gets: no control byte that would drive it, and colour
  // sequences of the one harmless form ESC [ digits and semicolons m.
  for (char c : bramble::ShowControls(text))
    FUZZ_CHECK(!IsDriving(static_cast<unsigned char>(c)));
  for (size_t i = 0; i < segments; ++i) {
    uint16_t attribute = static_cast<uint16_t>(printer.backgrounds()[i] | printer.foregrounds()[i]);
    std::string sgr = bramble::SgrSequence(attribute);
    FUZZ_CHECK(sgr.size() >= 4 && sgr.starts_with("\x1b[") && sgr.back() == 'm');
    FUZZ_CHECK(sgr.find_first_not_of("0123456789;", 2) == sgr.size() - 1);
  }
  return 0;
}
