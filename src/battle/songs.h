#ifndef BRAMBLE_BATTLE_SONGS_H_
#define BRAMBLE_BATTLE_SONGS_H_

#include <string>
#include <string_view>

#include "battle/narration.h"

namespace bramble {

class Fighter;

constexpr int kSongTitleCount = 21;
extern const std::string_view SongTitles[kSongTitleCount];

constexpr int kReactionLineCount = 9;
extern const std::string_view ReactionLines[kReactionLineCount];

/// Draws a song title: "<13>" title "<15>" (empty when silent; the draw is
/// made all the same).
template <Narration N = Narration::kNarrated>
std::string PickSongTitle();

/// Draws a listener's reaction line: "<5>" line "<15>".
template <Narration N = Narration::kNarrated>
std::string PickReaction();

/// The listener's answer to a song: unmoved, refreshed, refreshing the
/// singer, or hurt, by up to three chances against the listener's cunning.
template <Narration N = Narration::kNarrated>
std::string ListenToSong(Fighter& listener, Fighter& singer);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_SONGS_H_
