#include "console/transcript.h"

namespace bramble {

std::string WithCrLf(std::string_view plain) {
  std::string stored;
  stored.reserve(plain.size() + 8);
  for (char c : plain) {
    if (c == '\n')
      stored += '\r';
    stored += c;
  }
  return stored;
}

}  // namespace bramble
