#include "console/color_printer.h"

#include "console/read_long.h"

namespace bramble {

namespace {

uint16_t TagNumber(std::string_view digits) {
  return static_cast<uint16_t>(static_cast<uint32_t>(ReadLong(digits)) & 0xFFFFu);
}

}  // namespace

void ColorPrinter::Clear() {
  texts_.clear();
  foregrounds_.clear();
  backgrounds_.clear();
}

void ColorPrinter::Append(std::string_view text, uint16_t foreground, uint16_t background) {
  texts_.emplace_back(text);
  foregrounds_.push_back(foreground);
  backgrounds_.push_back(background);
}

// A "<" starts a tag when a ">" closes it before any other "<". A "<" that
// is never closed (no ">" after it, or another "<" comes first) is not a tag:
// it and the bytes after it, up to the next "<", print literally in the
// colour already in force (a segment with 0 and 0, which keep the colour).
// Either way every segment is taken from within the text.
void ColorPrinter::Parse(std::string_view text) {
  size_t open = text.find('<');
  if (open == std::string_view::npos) {
    Append(text, kDefaultAttribute, 0);
    return;
  }
  if (open > 0)
    Append(text.substr(0, open), kDefaultAttribute, 0);
  // The first ">" and "," after the current "<", searched for again only
  // once the "<" has passed them, so a text of many "<" costs one pass.
  size_t close = 0;
  size_t comma = 0;
  while (open != std::string_view::npos) {
    if (close != std::string_view::npos && close <= open)
      close = text.find('>', open + 1);
    if (comma != std::string_view::npos && comma <= open)
      comma = text.find(',', open + 1);
    size_t next_open = text.find('<', open + 1);
    if (close == std::string_view::npos || next_open < close) {
      Append(text.substr(open, next_open - open), 0, 0);
      open = next_open;
      continue;
    }
    uint16_t foreground;
    uint16_t background = 0;
    if (comma != std::string_view::npos && comma < close) {
      foreground = TagNumber(text.substr(open + 1, comma - open - 1));
      background = TagNumber(text.substr(comma + 1, close - comma - 1));
    } else {
      foreground = TagNumber(text.substr(open + 1, close - open - 1));
    }
    size_t end = next_open == std::string_view::npos ? text.size() : next_open;
    Append(text.substr(close + 1, end - close - 1), foreground, background);
    open = next_open;
  }
}

std::string ColorPrinter::Emit(Console& console) const {
  uint16_t foreground = kDefaultAttribute;
  uint16_t background = 0;
  std::string plain;
  for (size_t i = 0; i < texts_.size(); ++i) {
    if (foregrounds_[i] != 0)
      foreground = foregrounds_[i];
    if (backgrounds_[i] != 0)
      background = backgrounds_[i];
    // The background number is OR-ed in as it stands, not shifted.
    console.SetAttribute(static_cast<uint16_t>(background | foreground));
    console.Write(texts_[i]);
    plain += texts_[i];
  }
  console.SetAttribute(kDefaultAttribute);
  console.Flush();  // the whole text leaves at once
  return plain;
}

}  // namespace bramble
