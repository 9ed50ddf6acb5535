#include "battle/fighter.h"

#include <algorithm>
#include <utility>

#include "codec/md5.h"
#include "console/ascii.h"

namespace bramble {

void Fighter::Build(std::string_view new_name) {
  name = std::string(new_name);
  digest = Md5Text(name);
  int32_t values[16];
  for (int i = 0; i < 16; ++i)
    values[i] = HexTextValue(digest.data() + 2 * i, 2);
  SortDescending(values, 16, true);
  // Note the crossings: def takes the third-largest value and atk the
  // fourth, cunning the fifth and agility the sixth, so attack never starts
  // above defence.
  hp = values[0];
  mp = values[1];
  def = values[2];
  atk = values[3];
  cunning = values[4];
  agility = values[5];
}

int32_t HexTextValue(const char* text, int length) {
  int32_t value = 0;
  for (int j = 0; j < length; ++j)
    value = value * 16 + std::max(HexDigitValue(text[j]), 0);
  return value;
}

void SortDescending(int32_t* values, int count, bool descending) {
  for (int pass = count - 1; pass >= 1; --pass) {
    bool swapped = false;
    for (int j = 0; j < pass; ++j) {
      bool out_of_order = descending ? values[j] < values[j + 1] : values[j] > values[j + 1];
      if (out_of_order) {
        std::swap(values[j], values[j + 1]);
        swapped = true;
      }
    }
    if (!swapped)
      return;
  }
}

}  // namespace bramble
