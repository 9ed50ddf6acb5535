// The character set conversions of a UTF-8 terminal on any bytes: a typed
// word decoded to GBK and shown again, and any text shown and typed back.
#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "console/charset.h"
#include "console/sgr.h"

namespace {

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF) holding no control character a terminal would obey: C0 bytes
// other than line feed, carriage return, tab and bell, DEL, and the C1
// controls U+0080 to U+009F (U+009B alone starts an escape sequence).
bool IsSafeUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if ((c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\a') || c == 0x7F)
        return false;
      ++i;
      continue;
    }
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (length == 0 || c >= 0xF8 || i + length > text.size())
      return false;
    uint32_t code = c & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80)
        return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    static const uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
        code <= 0x9F)
      return false;
    i += length;
  }
  return true;
}

// Whether the C library's GBK converter takes every byte.
bool IsGbk(std::string_view text) {
  static iconv_t cd = iconv_open("UTF-8", "GBK");
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  std::string out(text.size() * 4 + 4, '\0');
  char* out_ptr = out.data();
  size_t out_left = out.size();
  return iconv(cd, &in, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1) && in_left == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // A word typed on the terminal, whatever its bytes: its control bytes stay
  // the ones typed, and on the screen it is safe UTF-8.
  std::string word = bramble::Utf8ToGbk(bytes);
  std::string typed_controls, decoded_controls;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      typed_controls += c;
  for (char c : word)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      decoded_controls += c;
  FUZZ_CHECK(decoded_controls == typed_controls);
  FUZZ_CHECK(IsSafeUtf8(bramble::GbkToUtf8(bramble::ShowControls(word))));

  // The same bytes as a GBK text: shown safely. A GBK text (every byte
  // part of a GBK character) typed back is the same bytes; any text of
  // characters that show as themselves (GB18030 forms GBK lacks included,
  // which may share a character with GBK) shows the same once typed back.
  std::string shown = bramble::GbkToUtf8(bramble::ShowControls(bytes));
  FUZZ_CHECK(IsSafeUtf8(shown));
  std::string utf8 = bramble::GbkToUtf8(bytes);
  if (IsGbk(bytes))
    FUZZ_CHECK(bramble::Utf8ToGbk(utf8) == bytes);
  else if (utf8.find("\xEF\xBF\xBD") == std::string::npos)
    FUZZ_CHECK(bramble::GbkToUtf8(bramble::Utf8ToGbk(utf8)) == utf8);
  return 0;
}
