// Numbers written by the C++ library's own shortest round trip.
#include <charconv>
#include <cmath>

#include "lab/numbers.h"

namespace bramble::lab {

std::string ShortestNumber(double value) {
  if (!std::isfinite(value))
    return "0";
  char text[32];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "0";
}

}  // namespace bramble::lab
