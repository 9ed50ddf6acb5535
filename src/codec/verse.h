#ifndef BRAMBLE_CODEC_VERSE_H_
#define BRAMBLE_CODEC_VERSE_H_

#include <string_view>

namespace bramble {

/// The hidden verse, kept only as Base64 text; Base64Decode gives its
/// GBK bytes (twelve lines, each ended by a line feed).
extern const std::string_view kHiddenVerse;
/// The verse in English (ASCII), also Base64, also twelve lines.
extern const std::string_view kEnglishHiddenVerse;

}  // namespace bramble

#endif  // BRAMBLE_CODEC_VERSE_H_
