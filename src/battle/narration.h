#ifndef BRAMBLE_BATTLE_NARRATION_H_
#define BRAMBLE_BATTLE_NARRATION_H_

#include <string>
#include <type_traits>

namespace bramble {

/// Whether the battle rules build and print their lines. The game narrates;
/// tools that only count wins run the very same rules silently, skipping
/// the text work but making every draw.
enum class Narration { kNarrated, kSilent };

/// The one test the rules make to choose between text and silence.
constexpr bool Narrated(Narration n) { return n == Narration::kNarrated; }

/// What a silent rule returns where a narrated one returns its line: nothing
/// to build, copy or free.
struct Silence {
  bool empty() const { return true; }
};

/// A rule's line of text: marked-up text when narrated, Silence when silent.
template <Narration N>
using Line = std::conditional_t<Narrated(N), std::string, Silence>;

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_NARRATION_H_
