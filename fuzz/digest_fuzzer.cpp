// The digest text of any name, against an MD5 written here from RFC 1321
// alone (it shares nothing with the game's).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "check.h"
#include "codec/md5.h"

namespace {

uint32_t Rotate(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// The RFC's four words A, B, C, D after the whole message.
void ReferenceMd5(std::string_view message, uint32_t words[4]) {
  static const int kShift[4][4] = {
      {7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
  static const struct Sine {
    uint32_t table[64];
    Sine() {
      for (int i = 0; i < 64; ++i)
        table[i] = static_cast<uint32_t>(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0));
    }
  } sine_table;
  const uint32_t* sine = sine_table.table;
  std::string padded(message);
  padded += '\x80';
  while (padded.size() % 64 != 56)
    padded += '\0';
  uint64_t bits = static_cast<uint64_t>(message.size()) * 8;
  for (int i = 0; i < 8; ++i)
    padded += static_cast<char>(bits >> (8 * i));
  uint32_t h[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  for (size_t block = 0; block < padded.size(); block += 64) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
      x[i] = 0;
      for (int k = 3; k >= 0; --k)
        x[i] = (x[i] << 8) | static_cast<unsigned char>(padded[block + 4 * i + k]);
    }
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3];
    for (int i = 0; i < 64; ++i) {
      int round = i / 16;
      uint32_t f;
      int g;
      if (round == 0) {
        f = (b & c) | (~b & d);
        g = i;
      } else if (round == 1) {
        f = (d & b) | (~d & c);
        g = (5 * i + 1) % 16;
      } else if (round == 2) {
        f = b ^ c ^ d;
        g = (3 * i + 5) % 16;
      } else {
        f = c ^ (b | ~d);
        g = (7 * i) % 16;
      }
      uint32_t next = b + Rotate(a + f + sine[i] + x[g], kShift[round][i % 4]);
      a = d;
      d = c;
      c = b;
      b = next;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
  }
  for (int i = 0; i < 4; ++i)
    words[i] = h[i];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view name(reinterpret_cast<const char*>(data), size);
  std::string text = bramble::Md5Text(name);
  // Only the bytes before the first zero byte are the name.
  uint32_t words[4];
  ReferenceMd5(name.substr(0, name.find('\0')), words);
  char expected[33];
  std::snprintf(expected, sizeof expected, "%08X%08X%08X%08X", words[0], words[1], words[2],
                words[3]);
  FUZZ_CHECK(text == expected);
  return 0;
}
