// The browser's C++ library has no floating point std::to_chars: the same
// text from printf.
#include "lab/numbers.h"

namespace bramble::lab {

std::string ShortestNumber(double value) { return PrintfShortestNumber(value); }

}  // namespace bramble::lab
