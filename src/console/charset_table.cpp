#include "console/charset_table.h"
#include "console/utf8.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace bramble::charset_table {

namespace {

constexpr uint32_t kUnencodable = 0;
constexpr uint32_t kDropped = 1;
constexpr uint32_t kFourByte = 0x10000;
// The index of the four-byte form of U+10000; the supplementary planes
// follow it in order.
constexpr uint32_t kSupplementaryBase = (0x90 - 0x81) * 12600;

uint8_t Byte(std::string_view text, size_t i) { return static_cast<uint8_t>(text[i]); }

// The character of each double-byte code (0: none), added up once from
// the steps.
const std::vector<uint16_t>& GbkDoubleByte() {
  static const std::vector<uint16_t> table = [] {
    std::vector<uint16_t> chars(std::size(kGbkDoubleByteSteps), 0);
    uint16_t last = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
      if (uint16_t step = kGbkDoubleByteSteps[i])
        chars[i] = last = static_cast<uint16_t>(last + step);
    }
    return chars;
  }();
  return table;
}

// The character of the GBK code at the start of `gbk` and its length in
// bytes; a length of 0 when no GBK code starts there.
uint32_t DecodeGbk(std::string_view gbk, size_t* length) {
  *length = 0;
  uint8_t lead = Byte(gbk, 0);
  if (lead < 0x80) {
    *length = 1;
    return lead;
  }
  if (uint16_t cp = kGbkSingleByte[lead - 0x80]) {
    *length = 1;
    return cp;
  }
  if (lead < 0x81 || lead > 0xFE || gbk.size() < 2)
    return 0;
  uint8_t trail = Byte(gbk, 1);
  if (trail < 0x40 || trail > 0xFE)
    return 0;
  uint16_t cp = GbkDoubleByte()[(lead - 0x81) * 191 + (trail - 0x40)];
  if (cp)
    *length = 2;
  return cp;
}

// The character of a two-byte GB18030 code that GBK lacks; false when it is
// none.
bool DecodeTwoByte(std::string_view code, uint32_t* cp) {
  uint16_t value = static_cast<uint16_t>(Byte(code, 0) << 8 | Byte(code, 1));
  const DoubleByteExtra* end = kGb18030DoubleByte + kGb18030DoubleByteCount;
  const DoubleByteExtra* found =
      std::lower_bound(kGb18030DoubleByte, end, value,
                       [](const DoubleByteExtra& extra, uint16_t v) { return extra.code < v; });
  if (found == end || found->code != value)
    return false;
  *cp = found->cp;
  return true;
}

// The character of a four-byte GB18030 form; false when it is none.
bool DecodeFourByte(std::string_view form, uint32_t* cp) {
  uint8_t b1 = Byte(form, 0), b2 = Byte(form, 1), b3 = Byte(form, 2), b4 = Byte(form, 3);
  if (b1 < 0x81 || b1 > 0xFE || b2 < 0x30 || b2 > 0x39 || b3 < 0x81 || b3 > 0xFE || b4 < 0x30 ||
      b4 > 0x39)
    return false;
  uint32_t index = (((b1 - 0x81u) * 10 + (b2 - 0x30u)) * 126 + (b3 - 0x81u)) * 10 + (b4 - 0x30u);
  if (index >= kSupplementaryBase) {
    *cp = 0x10000 + (index - kSupplementaryBase);
    return *cp <= 0x10FFFF;
  }
  for (size_t i = 0; i < kEncodeRunCount; ++i) {
    const EncodeRun& run = kEncodeRuns[i];
    if (run.first < 0x10000 && run.code >= kFourByte && index >= run.code - kFourByte &&
        index - (run.code - kFourByte) < run.count) {
      *cp = run.first + (index - (run.code - kFourByte));
      return true;
    }
  }
  return false;
}

// The code point of the UTF-8 sequence that is all of `utf8`, checked the
// way the POSIX converter checks it (no overlong forms, no surrogates,
// nothing beyond U+10FFFF); false when it is not one.
bool DecodeUtf8(std::string_view utf8, uint32_t* cp) {
  uint8_t lead = Byte(utf8, 0);
  size_t length = utf8.size();
  if (length == 1) {
    *cp = lead;
    return lead < 0x80;
  }
  uint32_t value = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    uint8_t next = Byte(utf8, i);
    if ((next & 0xC0) != 0x80)
      return false;
    value = value << 6 | (next & 0x3F);
  }
  static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000))
    return false;
  *cp = value;
  return true;
}

// For each code point of the Basic Multilingual Plane, the first GBK code
// that decodes to it (0: none), built once from the decoding tables.
const std::vector<uint16_t>& GbkCodes() {
  static const std::vector<uint16_t> codes = [] {
    std::vector<uint16_t> table(0x10000, 0);
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
      uint16_t cp = kGbkSingleByte[byte - 0x80];
      if (cp && !table[cp])
        table[cp] = static_cast<uint16_t>(byte);
    }
    const std::vector<uint16_t>& double_byte = GbkDoubleByte();
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        uint16_t cp = double_byte[(lead - 0x81) * 191 + (trail - 0x40)];
        if (cp && !table[cp])
          table[cp] = static_cast<uint16_t>(lead << 8 | trail);
      }
    }
    return table;
  }();
  return codes;
}

// Appends the bytes the game takes for a code point: its GBK code, else
// its GB18030 form. False when it has neither.
bool Encode(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
    return true;
  }
  const EncodeRun* end = kEncodeRuns + kEncodeRunCount;
  const EncodeRun* run = std::upper_bound(
      kEncodeRuns, end, cp, [](uint32_t value, const EncodeRun& r) { return value < r.first; });
  if (run != kEncodeRuns && cp - (run - 1)->first < (run - 1)->count) {
    --run;
    uint32_t offset = cp - run->first;
    if (run->code == kUnencodable)
      return false;
    if (run->code == kDropped)
      return true;
    if (run->code < kFourByte) {
      uint32_t code = run->code + offset;
      *out += static_cast<char>(code >> 8);
      *out += static_cast<char>(code & 0xFF);
      return true;
    }
    uint32_t index = run->code - kFourByte + offset;
    char form[4];
    form[3] = static_cast<char>(0x30 + index % 10);
    index /= 10;
    form[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    form[1] = static_cast<char>(0x30 + index % 10);
    form[0] = static_cast<char>(0x81 + index / 10);
    out->append(form, 4);
    return true;
  }
  uint16_t code = cp < 0x10000 ? GbkCodes()[cp] : 0;
  if (!code)
    return false;
  if (code > 0xFF)
    *out += static_cast<char>(code >> 8);
  *out += static_cast<char>(code & 0xFF);
  return true;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  return GbkToUtf8With(
      gbk,
      [](std::string_view in, std::string* out) {
        // A run of GBK characters, one at a time.
        size_t taken = 0;
        while (taken < in.size()) {
          size_t length;
          uint32_t cp = DecodeGbk(in.substr(taken), &length);
          if (length == 0)
            break;
          AppendUtf8(cp, out);
          taken += length;
        }
        return taken;
      },
      [](std::string_view in, std::string* out) {
        uint32_t cp;
        if (!(in.size() == 2 ? DecodeTwoByte(in, &cp) : DecodeFourByte(in, &cp)))
          return false;
        AppendUtf8(cp, out);
        return true;
      });
}

std::string Utf8ToGbk(std::string_view utf8) {
  return Utf8ToGbkWith(utf8, [](std::string_view ch, std::string* out) {
    uint32_t cp;
    return DecodeUtf8(ch, &cp) && Encode(cp, out);
  });
}

}  // namespace bramble::charset_table
