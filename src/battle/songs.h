#ifndef BRAMBLE_BATTLE_SONGS_H_
#define BRAMBLE_BATTLE_SONGS_H_

#include <string>
#include <string_view>

#include "battle/fighter.h"
#include "battle/lines.h"
#include "battle/narration.h"
#include "battle/random.h"

namespace bramble {

constexpr int kSongTitleCount = 21;
extern const std::string_view SongTitles[kSongTitleCount];

constexpr int kReactionLineCount = 9;
extern const std::string_view ReactionLines[kReactionLineCount];

/// Draws a song title: "<13>" title "<15>" (nothing when silent; the draw
/// is made all the same).
template <Narration N = Narration::kNarrated, class Dice = ThreadDice>
Line<N> PickSongTitle(Dice&& dice = {});

/// Draws a listener's reaction line: "<5>" line "<15>".
template <Narration N = Narration::kNarrated, class Dice = ThreadDice>
Line<N> PickReaction(Dice&& dice = {});

/// The listener's answer to a song: unmoved, refreshed, refreshing the
/// singer, or hurt, by up to three chances against the listener's cunning.
template <Narration N = Narration::kNarrated, class Dice = ThreadDice>
Line<N> ListenToSong(Fighter& listener, Fighter& singer, Dice&& dice = {});

namespace song_rules {

// A refresh: 20..99 hp, then 20..59 mp.
template <class Dice>
void Refresh(Fighter& fighter, Dice& dice) {
  fighter.hp() += dice.RandomInt(0, 80) + 20;
  fighter.mp() += dice.RandomInt(0, 40) + 20;
}

// Draws a row of a table: the row in its colour, then white.
template <Narration N, class Dice>
Line<N> PickRow(const std::string_view* table, int32_t rows, std::string_view colour, Dice& dice) {
  int32_t row = dice.RandomInt(0, rows);
  if constexpr (Narrated(N))
    return std::string(colour) + std::string(table[row]) + "<15>";
  return {};
}

}  // namespace song_rules

template <Narration N, class Dice>
Line<N> PickSongTitle(Dice&& dice) {
  return song_rules::PickRow<N>(SongTitles, kSongTitleCount, "<13>", dice);
}

template <Narration N, class Dice>
Line<N> PickReaction(Dice&& dice) {
  return song_rules::PickRow<N>(ReactionLines, kReactionLineCount, "<5>", dice);
}

template <Narration N, class Dice>
Line<N> ListenToSong(Fighter& listener, Fighter& singer, Dice&& dice) {
  if (AttributeCheck(dice.RandomInt(0, 40), listener.cunning(), 90)) {
    if constexpr (Narrated(N))
      return lines::Unmoved(listener, singer);
    return {};
  }
  if (AttributeCheck(dice.RandomInt(0, 40), listener.cunning(), 80)) {
    song_rules::Refresh(listener, dice);
    Line<N> reaction = PickReaction<N>(dice);
    if constexpr (Narrated(N))
      return lines::ListenerRefreshed(listener, singer, reaction);
    return {};
  }
  if (AttributeCheck(dice.RandomInt(0, 40), listener.cunning(), 70)) {
    song_rules::Refresh(singer, dice);
    Line<N> reaction = PickReaction<N>(dice);
    if constexpr (Narrated(N))
      return lines::SingerRefreshed(listener, singer, reaction);
    return {};
  }
  int32_t x = dice.RandomInt(0, 40) + 20;
  listener.hp() -= x;
  if constexpr (Narrated(N))
    return lines::HurtBySong(listener, singer, x);
  return {};
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_SONGS_H_
