#include "codec/md5.h"

#include <array>
#include <cstdint>

#include "codec/radix_text.h"

namespace bramble {

namespace {

using Words = std::array<uint32_t, 4>;

// Per-step additive constants: floor(abs(sin(i + 1)) * 2^32).
constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

// Left-rotation amounts, four per round.
constexpr int kShift[4][4] = {
    {7, 12, 17, 22},
    {5, 9, 14, 20},
    {4, 11, 16, 23},
    {6, 10, 15, 21},
};

uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

/// Fold one 64-byte block into the running state |abcd|.
void Transform(Words& abcd, const unsigned char* block) {
  uint32_t x[16];
  for (int i = 0; i < 16; ++i) {
    x[i] = static_cast<uint32_t>(block[4 * i]) | static_cast<uint32_t>(block[4 * i + 1]) << 8 |
           static_cast<uint32_t>(block[4 * i + 2]) << 16 |
           static_cast<uint32_t>(block[4 * i + 3]) << 24;
  }

  uint32_t a = abcd[0], b = abcd[1], c = abcd[2], d = abcd[3];
  for (int i = 0; i < 64; ++i) {
    int round = i / 16;
    uint32_t f;
    int k;
    switch (round) {
      case 0:
        f = (b & c) | (~b & d);
        k = i;
        break;
      case 1:
        f = (b & d) | (c & ~d);
        k = (5 * i + 1) % 16;
        break;
      case 2:
        f = b ^ c ^ d;
        k = (3 * i + 5) % 16;
        break;
      default:
        f = c ^ (b | ~d);
        k = (7 * i) % 16;
        break;
    }
    uint32_t rotated = RotateLeft(a + f + x[k] + kSine[i], kShift[round][i % 4]);
    a = d;
    d = c;
    c = b;
    b += rotated;
  }
  abcd[0] += a;
  abcd[1] += b;
  abcd[2] += c;
  abcd[3] += d;
}

/// MD5 of |message|: the final words A, B, C, D.
Words Md5Words(std::string_view message) {
  Words abcd = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

  size_t whole = message.size() - message.size() % 64;
  const auto* bytes = reinterpret_cast<const unsigned char*>(message.data());
  for (size_t at = 0; at < whole; at += 64)
    Transform(abcd, bytes + at);

  // The tail, a 0x80 marker, zero fill and the bit length (little-endian,
  // modulo 2^64) make one more block, or two when the tail leaves fewer
  // than 8 bytes for the length.
  unsigned char last[128] = {};
  size_t tail = message.size() - whole;
  for (size_t i = 0; i < tail; ++i)
    last[i] = bytes[whole + i];
  last[tail] = 0x80;
  size_t padded = tail < 56 ? 64 : 128;
  uint64_t bits = static_cast<uint64_t>(message.size()) * 8;
  for (int i = 0; i < 8; ++i)
    last[padded - 8 + i] = static_cast<unsigned char>(bits >> (8 * i));
  for (size_t at = 0; at < padded; at += 64)
    Transform(abcd, last + at);
  return abcd;
}

}  // namespace

std::string Md5Text(std::string_view name) {
  name = name.substr(0, name.find('\0'));
  std::string text;
  for (uint32_t word : Md5Words(name)) {
    std::string digits = RadixText(word, 16);
    text.append(8 - digits.size(), '0');
    text += digits;
  }
  return text;
}

}  // namespace bramble
