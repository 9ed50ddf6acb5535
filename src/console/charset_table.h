#ifndef BRAMBLE_CONSOLE_CHARSET_TABLE_H_
#define BRAMBLE_CONSOLE_CHARSET_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bramble::charset_table {

/// GBK <-> UTF-8 from tables, for a platform whose C library cannot convert
/// to GBK (the browser's). The tables are written at build time from the
/// POSIX build's converters, so both functions give the same bytes as
/// GbkToUtf8 and Utf8ToGbk in charset_posix.cpp, GB18030 forms included.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// The generated tables (charset_table_gen.py).
struct EncodeRun {
  uint32_t first;  // code point
  uint32_t count;
  uint32_t code;  // of the first code point: see kEncodeRuns below
};
/// The character of each single byte 0x80..0xFF; 0 where GBK has none.
extern const uint16_t kGbkSingleByte[0x80];
/// The character of each double-byte code (lead - 0x81) * 191 + (trail -
/// 0x40), given as its distance (modulo 2^16) from the character of the
/// nearest code before it that has one (from 0 for the first); 0 where GBK
/// has none. Most codes of a row hold neighbouring characters: as steps,
/// the table the browser downloads compresses far better.
extern const uint16_t kGbkDoubleByteSteps[126 * 191];
/// The two-byte GB18030 codes GBK lacks, in the order of their codes.
struct DoubleByteExtra {
  uint16_t code;
  uint32_t cp;
};
extern const DoubleByteExtra kGb18030DoubleByte[];
extern const size_t kGb18030DoubleByteCount;
/// Code points whose bytes are not the first GBK code that decodes to them,
/// in order: code 0 cannot be encoded, 1 is dropped, 0x100..0xFFFF is a
/// double-byte code, 0x10000 + i is the i-th four-byte GB18030 form.
extern const EncodeRun kEncodeRuns[];
extern const size_t kEncodeRunCount;

}  // namespace bramble::charset_table

#endif  // BRAMBLE_CONSOLE_CHARSET_TABLE_H_
