// Base64 decoding of any text, and of the standard encoding of any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "codec/base64.h"

namespace {

// RFC 4648 encoding with padding, written here independently.
std::string Encode(std::string_view bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (i + 1 < bytes.size())
      group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size())
      group |= static_cast<unsigned char>(bytes[i + 2]);
    text += kDigits[group >> 18];
    text += kDigits[(group >> 12) & 63];
    text += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
    text += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string decoded = bramble::Base64Decode(text);
  // At most three bytes per group of four characters, a short last group
  // counting as a group.
  FUZZ_CHECK(decoded.size() <= (size + 3) / 4 * 3);
  // Groups decode on their own: a "=" or a stray byte ends only its group.
  size_t cut = size / 8 * 4;
  FUZZ_CHECK(bramble::Base64Decode(text.substr(0, cut)) + bramble::Base64Decode(text.substr(cut)) ==
             decoded);
  // Well-formed Base64 decodes to what was encoded.
  FUZZ_CHECK(bramble::Base64Decode(Encode(text)) == text);
  return 0;
}
