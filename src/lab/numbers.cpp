#include "lab/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>

namespace bramble::lab {

std::string PrintfShortestNumber(double value) {
  if (!std::isfinite(value))
    return "0";
  // The fewest significant digits that read back as the value...
  char text[40];
  for (int precision = 0; precision <= 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*e", precision, value);
    if (std::strtod(text, nullptr) == value)
      break;
  }
  std::string sign = value < 0 || (value == 0 && std::signbit(value)) ? "-" : "";
  std::string mantissa(text + sign.size(), std::strchr(text, 'e'));
  int exponent = std::atoi(std::strchr(text, 'e') + 1);
  std::string digits;
  for (char c : mantissa) {
    if (c != '.')
      digits += c;
  }
  // ...written as %e or as %f would write them, whichever is shorter, %f
  // when both are as long.
  std::string scientific = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "");
  char power[16];
  std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  scientific += power;
  std::string fixed;
  char big[320];
  auto count = static_cast<int>(digits.size());
  if (exponent < 0)
    fixed = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  else if (exponent + 1 >= count)  // a whole number: written out in full, as %.0f does
    fixed = std::string(
        big, static_cast<size_t>(std::snprintf(big, sizeof big, "%.0f", std::fabs(value))));
  else
    fixed = digits.substr(0, static_cast<size_t>(exponent + 1)) + "." +
            digits.substr(static_cast<size_t>(exponent + 1));
  return sign + (scientific.size() < fixed.size() ? scientific : fixed);
}

double Ratio(uint64_t part, uint64_t whole) {
  return whole ? static_cast<double>(part) / static_cast<double>(whole) : 0;
}

std::string LowestTerms(uint64_t part, uint64_t whole) {
  uint64_t divisor = std::gcd(part, whole);
  if (divisor == 0)
    return "0/1";
  return std::to_string(part / divisor) + "/" + std::to_string(whole / divisor);
}

std::optional<uint64_t> ParseNumber(std::string_view text, uint64_t max) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // from_chars takes no sign for an unsigned type; the whole text must be
  // the number.
  uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || value > max)
    return std::nullopt;
  return value;
}

std::string Counted(uint64_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace bramble::lab
