#ifndef BRAMBLE_BATTLE_DRAW_SCRIPT_TEST_H_
#define BRAMBLE_BATTLE_DRAW_SCRIPT_TEST_H_

// Test helper: finds a generator state from which the next draws come out
// as a test wants, so a test can walk one branch of the rules on purpose.
// The generator is reproduced here independently of the game's code.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "battle/lines.h"
#include "battle/narrator.h"
#include "battle/random.h"
#include "console/color_printer.h"

namespace bramble {

constexpr int32_t kAny = INT32_MIN;

struct Draw {
  int32_t a;
  int32_t b;
  int32_t want;  // the result of RandomInt(a, b) this draw must give, or kAny
};

inline int32_t ReferenceDraw(uint32_t* state, int32_t a, int32_t b) {
  *state = *state * 214013u + 2531011u;
  int64_t k = (*state >> 16) & 0x7FFF;
  return static_cast<int32_t>(a + (k * 32769 * (int64_t{b} - a)) / (int64_t{1} << 30));
}

/// A generator at the first state whose next draws give `script`.
inline Dice ScriptDraws(std::initializer_list<Draw> script) {
  for (uint32_t start = 0;; ++start) {
    uint32_t state = start;
    bool fits = true;
    for (const Draw& draw : script) {
      int32_t got = ReferenceDraw(&state, draw.a, draw.b);
      if (draw.want != kAny && got != draw.want) {
        fits = false;
        break;
      }
    }
    if (fits)
      return Dice{start};
    if (start == UINT32_MAX)
      throw std::runtime_error("no generator state gives these draws");
  }
}

/// The results the next draws of `dice` will give for `script`, without drawing.
inline std::vector<int32_t> PeekDraws(const Dice& dice, std::initializer_list<Draw> script) {
  uint32_t state = dice.state;
  std::vector<int32_t> results;
  for (const Draw& draw : script)
    results.push_back(ReferenceDraw(&state, draw.a, draw.b));
  return results;
}

/// A narrator that keeps what a battle told, in the game's words: `marked`
/// as the lines are given to the screen, `text` as the screen shows them
/// (no markup; every line but an attribute line and a bare line end is
/// printed with a line end).
class RecordingNarrator : public Narrator {
 public:
  void Tell(const Event& event, const Fighter& first, const Fighter& second) override {
    std::string line = ChineseLine(event, first, second);
    if (event.what != Happening::kIntroduced && event.what != Happening::kLineBreak)
      line += "\n";
    marked += line;
    printer_.Clear();
    printer_.Parse(line);
    for (const std::string& segment : printer_.texts())
      text += segment;
  }
  std::string marked;
  std::string text;

 private:
  ColorPrinter printer_;
};

/// What the game says of `event`, without the status line's hp.
inline std::string Said(const Event& event) {
  Fighter nobody;
  std::string line = ChineseLine(event, nobody, nobody);
  return line.substr(0, line.find("    "));
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_DRAW_SCRIPT_TEST_H_
