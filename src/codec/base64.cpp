#include "codec/base64.h"

#include <cstdint>

namespace bramble {

const std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

namespace {

constexpr uint32_t kPad = 64;
constexpr uint32_t kNotInAlphabet = 255;

uint32_t DigitValue(char c) {
  size_t at = kBase64Alphabet.find(c);
  return at == std::string_view::npos ? kNotInAlphabet : static_cast<uint32_t>(at);
}

}  // namespace

std::string Base64Decode(std::string_view text) {
  std::string out;
  for (size_t start = 0; start < text.size(); start += 4) {
    uint32_t s[4];
    for (size_t i = 0; i < 4; ++i) {
      size_t at = start + i;
      s[i] = at < text.size() ? DigitValue(text[at]) : kPad;
    }
    // Out-of-alphabet values (255) are folded in as they are; each byte
    // keeps only its low eight bits.
    char b0 = static_cast<char>(s[0] * 4 + (s[1] / 16) % 4);
    char b1 = static_cast<char>((s[1] % 16) * 16 + (s[2] / 4) % 16);
    char b2 = static_cast<char>((s[2] % 4) * 64 + s[3]);
    if (s[1] == kPad)
      continue;
    out += b0;
    if (s[2] == kPad)
      continue;
    out += b1;
    if (s[3] == kPad)
      continue;
    out += b2;
  }
  return out;
}

}  // namespace bramble
