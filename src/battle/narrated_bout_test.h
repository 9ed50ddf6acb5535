#ifndef BRAMBLE_BATTLE_NARRATED_BOUT_TEST_H_
#define BRAMBLE_BATTLE_NARRATED_BOUT_TEST_H_

// Test helper: one battle of two names from a seed to its end, told to a
// narrator, as the game plays it (introductions, first attacker, steps).

#include <cstdint>
#include <string>

#include "battle/bout.h"
#include "battle/narrator.h"
#include "battle/random.h"

namespace bramble {

inline void PlayNarrated(Narrator* narrator, const std::string& one, const std::string& two,
                         uint32_t seed) {
  Dice dice = Dice::Seeded(seed);
  Bout bout(narrator);
  bout.first.Build(one);
  bout.Tell({Happening::kIntroduced, &bout.first});
  bout.second.Build(two);
  bout.Tell({Happening::kIntroduced, &bout.second});
  bout.PickFirstAttacker(dice);
  bout.Begin();
  while (!bout.ended)
    bout.Step(dice);
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_NARRATED_BOUT_TEST_H_
