#ifndef BRAMBLE_BATTLE_SONGS_H_
#define BRAMBLE_BATTLE_SONGS_H_

#include <cstdint>

#include "battle/fighter.h"
#include "battle/narrator.h"
#include "battle/random.h"

namespace bramble {

/// Draws a song title's row, 0 to 20.
int32_t PickSongTitle(Dice& dice);
/// Draws a listener's reaction line's row, 0 to 8.
int32_t PickReaction(Dice& dice);

/// The listener's answer to a song: unmoved, refreshed, refreshing the
/// singer, or hurt, by up to three chances against the listener's cunning.
Event ListenToSong(Fighter& listener, Fighter& singer, Dice& dice);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_SONGS_H_
