#ifndef BRAMBLE_CONSOLE_COLOR_PRINTER_H_
#define BRAMBLE_CONSOLE_COLOR_PRINTER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"

namespace bramble {

/// Splits marked-up text into coloured segments and writes them to the
/// console it is handed. A tag "<f>" or "<f,b>" sets the foreground f (and background b)
/// for the text that follows it; 0 keeps the current colour.
///
/// Used as Clear, Parse (one or more), Emit. The segment lists grow with
/// every Parse until the next Clear. The game's one printer belongs to its
/// Screen (print_marked.h).
class ColorPrinter {
 public:
  void Clear();
  void Parse(std::string_view text);
  /// Prints every listed segment in its colour on `console`, then restores
  /// colour 7 and flushes. Returns the plain text: the segment texts
  /// joined, without markup.
  std::string Emit(Console& console) const;

  const std::vector<std::string>& texts() const { return texts_; }
  const std::vector<uint16_t>& foregrounds() const { return foregrounds_; }
  const std::vector<uint16_t>& backgrounds() const { return backgrounds_; }

 private:
  void Append(std::string_view text, uint16_t foreground, uint16_t background);

  std::vector<std::string> texts_;
  std::vector<uint16_t> foregrounds_;
  std::vector<uint16_t> backgrounds_;
};

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_COLOR_PRINTER_H_
