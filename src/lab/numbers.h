#ifndef BRAMBLE_LAB_NUMBERS_H_
#define BRAMBLE_LAB_NUMBERS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bramble::lab {

/// A double as the shortest text that reads back the same (std::to_chars);
/// 0 for what JSON cannot hold (NaN, infinities).
std::string ShortestNumber(double value);

/// The same text from printf, for a C++ library without a floating point
/// std::to_chars (the browser's): ShortestNumber there.
std::string PrintfShortestNumber(double value);

/// part / whole as one division of the two counts, so that a figure read
/// from counts is the nearest double to their quotient; 0 when whole is 0.
double Ratio(uint64_t part, uint64_t whole);

/// part/whole in lowest terms ("0/1" for 0).
std::string LowestTerms(uint64_t part, uint64_t whole);

/// A count and its noun, singular for one: "1 battle", "2 battles".
std::string Counted(uint64_t count, std::string_view noun);

/// A decimal number (or 0x followed by hexadecimal digits) no greater than
/// `max`; nothing for anything else, signs and blanks included.
std::optional<uint64_t> ParseNumber(std::string_view text, uint64_t max);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_NUMBERS_H_
