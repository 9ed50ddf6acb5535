#ifndef BRAMBLE_CODEC_MD5_H_
#define BRAMBLE_CODEC_MD5_H_

#include <string>
#include <string_view>

namespace bramble {

/// The MD5 digest (RFC 1321) of |name| as 32 capital hex digits.
/// Only the bytes before the first zero byte are hashed. The text is the
/// digest's four 32-bit words A, B, C, D, each written as a number with
/// its most significant digit first, so each word's bytes appear in the
/// reverse of the usual digest order.
std::string Md5Text(std::string_view name);

}  // namespace bramble

#endif  // BRAMBLE_CODEC_MD5_H_
