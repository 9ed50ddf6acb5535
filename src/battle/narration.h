#ifndef BRAMBLE_BATTLE_NARRATION_H_
#define BRAMBLE_BATTLE_NARRATION_H_

namespace bramble {

/// Whether the battle rules build and print their lines. The game narrates;
/// tools that only count wins run the very same rules silently, skipping
/// the text work but making every draw.
enum class Narration { kNarrated, kSilent };

/// The one test the rules make to choose between text and silence.
constexpr bool Narrated(Narration n) { return n == Narration::kNarrated; }

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_NARRATION_H_
