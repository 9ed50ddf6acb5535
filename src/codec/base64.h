#ifndef BRAMBLE_CODEC_BASE64_H_
#define BRAMBLE_CODEC_BASE64_H_

#include <string>
#include <string_view>

namespace bramble {

/// The 64 Base64 digits followed by the pad "="; a character's value is
/// its position here (so "=" is 64).
extern const std::string_view kBase64Alphabet;

/// Decode |text| four characters at a time. Never fails: a character
/// outside the alphabet counts as 255, a "=" ends only its own group,
/// and a short last group is read as if padded with "=".
std::string Base64Decode(std::string_view text);

}  // namespace bramble

#endif  // BRAMBLE_CODEC_BASE64_H_
