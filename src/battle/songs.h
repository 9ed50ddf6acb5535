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
extern const std::string_view kSongTitles[kSongTitleCount];

constexpr int kReactionLineCount = 9;
extern const std::string_view kReactionLines[kReactionLineCount];

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

// A refresh: 20..99 hp, then 20..59 mp, in the lanes of m.
template <class F, class Dice, class L = typename F::Lanes>
void Refresh(F& fighter, Dice& dice, typename L::Mask m) {
  fighter.hp() += L::Only(m, DrawIn<L>(dice, m, 0, 80) + 20);
  fighter.mp() += L::Only(m, DrawIn<L>(dice, m, 0, 40) + 20);
}

enum class Table { kSongTitles, kReactions };

// Draws a row of a table: the row in its colour, then white.
template <Narration N, class L, class Dice>
Line<N> PickRow(Table table, Dice& dice, typename L::Mask m) {
  bool titles = table == Table::kSongTitles;
  typename L::Int row = DrawIn<L>(dice, m, 0, titles ? kSongTitleCount : kReactionLineCount);
  if constexpr (Narrated(N))
    return std::string(titles ? "<13>" : "<5>") +
           std::string(titles ? kSongTitles[row] : kReactionLines[row]) + "<15>";
  return {};
}

/// The listener's answer in the lanes of `m`.
template <Narration N, class F, class Dice, class L = typename F::Lanes>
Line<N> Listen(F& listener, F& singer, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  Mask unmoved = L::Check(DrawIn<L>(dice, m, 0, 40), listener.cunning(), 90) & m;
  Mask moved = L::Not(unmoved) & m;
  Mask refreshed{};
  Mask refreshes_singer{};
  Mask hurt{};
  typename L::Int x{};
  Line<N> reaction;
  if (L::Any(moved)) {
    refreshed = L::Check(DrawIn<L>(dice, moved, 0, 40), listener.cunning(), 80) & moved;
    if (L::Any(refreshed)) {
      Refresh(listener, dice, refreshed);
      reaction = PickRow<N, L>(Table::kReactions, dice, refreshed);
    }
    Mask left = L::Not(refreshed) & moved;
    if (L::Any(left)) {
      refreshes_singer = L::Check(DrawIn<L>(dice, left, 0, 40), listener.cunning(), 70) & left;
      if (L::Any(refreshes_singer)) {
        Refresh(singer, dice, refreshes_singer);
        reaction = PickRow<N, L>(Table::kReactions, dice, refreshes_singer);
      }
      hurt = L::Not(refreshes_singer) & left;
      if (L::Any(hurt)) {
        x = DrawIn<L>(dice, hurt, 0, 40) + 20;
        listener.hp() -= L::Only(hurt, x);
      }
    }
  }
  if constexpr (Narrated(N)) {
    if (unmoved)
      return lines::Unmoved(listener, singer);
    if (refreshed)
      return lines::ListenerRefreshed(listener, singer, reaction);
    if (refreshes_singer)
      return lines::SingerRefreshed(listener, singer, reaction);
    return lines::HurtBySong(listener, singer, x);
  }
  return {};
}

}  // namespace song_rules

template <Narration N, class Dice>
Line<N> PickSongTitle(Dice&& dice) {
  return song_rules::PickRow<N, OneLane>(song_rules::Table::kSongTitles, dice, OneLane::kAll);
}

template <Narration N, class Dice>
Line<N> PickReaction(Dice&& dice) {
  return song_rules::PickRow<N, OneLane>(song_rules::Table::kReactions, dice, OneLane::kAll);
}

template <Narration N, class Dice>
Line<N> ListenToSong(Fighter& listener, Fighter& singer, Dice&& dice) {
  return song_rules::Listen<N>(listener, singer, dice, OneLane::kAll);
}

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_SONGS_H_
