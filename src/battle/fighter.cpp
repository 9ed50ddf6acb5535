#include "battle/fighter.h"

#include <algorithm>
#include <utility>

#include "codec/md5.h"
#include "console/ascii.h"
#include "console/color_printer.h"

namespace bramble {

void Fighter::Build(std::string_view new_name) {
  name = std::string(new_name);
  digest = Md5Text(name);
  for (int i = 0; i < 16; ++i)
    slots[i] = HexTextValue(digest.data() + 2 * i, 2);
  SortDescending(slots.data(), 16, true);
  // Note the crossings: def takes the third-largest value and atk the
  // fourth, cunning the fifth and agility the sixth, so attack never starts
  // above defence.
  hp() = slots[0];
  mp() = slots[1];
  def() = slots[2];
  atk() = slots[3];
  cunning() = slots[4];
  agility() = slots[5];
}

void Fighter::BuildFromName(std::string_view new_name) {
  Build(new_name);
  ColorPrinter& printer = ColorPrinter::Instance();
  printer.Clear();
  printer.Parse(AttributeLine());
  printer.Emit();  // the plain text is dropped: never in the transcript
}

std::string Fighter::AttributeLine() const {
  return ColoredName(*this) + " <14>HP:" + NumberText(hp()) + " <14>MP:" + NumberText(mp()) +
         " <14>ATK:" + NumberText(atk()) + " <14>DEF:" + NumberText(def()) + "\n";
}

std::string Fighter::HpText() {
  ClampHp();
  return ColoredName(*this) + " <14>HP:<12>" + NumberText(hp());
}

std::string ColoredName(const Fighter& fighter) { return "<3>" + fighter.name + "<15>"; }

std::string NumberText(int32_t n) { return "<12>" + DecimalText(n) + "<15>"; }

std::string DecimalText(int32_t n) {
  uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return n < 0 ? "-" + digits : digits;
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
