#ifndef BRAMBLE_CONSOLE_ASCII_H_
#define BRAMBLE_CONSOLE_ASCII_H_

#include <string>

namespace bramble {

/// White space as the C library's isspace has it in the C locale: blank,
/// tab, line feed, vertical tab, form feed, carriage return. Whatever else a
/// byte is (a GBK lead byte, a NUL), it belongs to a word.
constexpr bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

/// The value of a hexadecimal digit, in either letter case; -1 for any other
/// byte.
constexpr int HexDigitValue(int c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

/// Appends a byte as two lower-case hexadecimal digits.
inline void AppendHexByte(std::string* out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  *out += kDigits[byte >> 4];
  *out += kDigits[byte & 15];
}

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_ASCII_H_
