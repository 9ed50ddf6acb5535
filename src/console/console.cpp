#include "console/console.h"

#include "console/ascii.h"

namespace bramble {

bool Console::ReadWord(std::string* word) {
  word->clear();
  int c = ReadByte();
  while (IsWhiteSpace(c))
    c = ReadByte();
  if (c < 0)
    return false;
  std::string typed;
  // The white space byte that ends the word is consumed, like a stream's
  // word extraction followed by the next skip would.
  while (c >= 0 && !IsWhiteSpace(c)) {
    typed += static_cast<char>(c);
    c = ReadByte();
  }
  *word = DecodeWord(std::move(typed));
  return true;
}

}  // namespace bramble
