#include "battle/songs.h"

namespace bramble {

namespace {

using namespace rules;

// A refresh: 20..99 hp, then 20..59 mp.
void Refresh(Fighter& fighter, Dice& dice) {
  fighter.hp += dice.RandomInt(kRefreshHp);
  fighter.mp += dice.RandomInt(kRefreshMp);
}

}  // namespace

int32_t PickSongTitle(Dice& dice) { return dice.RandomInt(kSongTitle); }

int32_t PickReaction(Dice& dice) { return dice.RandomInt(kReaction); }

Event ListenToSong(Fighter& listener, Fighter& singer, Dice& dice) {
  if (AttributeCheck(dice.RandomInt(kListenRoll), listener.cunning, kUnmovedThreshold))
    return {Happening::kUnmoved, &listener, &singer};
  if (AttributeCheck(dice.RandomInt(kListenRoll), listener.cunning, kRefreshedThreshold)) {
    Refresh(listener, dice);
    return {Happening::kListenerRefreshed, &listener, &singer, PickReaction(dice)};
  }
  if (AttributeCheck(dice.RandomInt(kListenRoll), listener.cunning, kSingerRefreshedThreshold)) {
    Refresh(singer, dice);
    return {Happening::kSingerRefreshed, &listener, &singer, PickReaction(dice)};
  }
  int32_t x = dice.RandomInt(kSongHurt);
  listener.hp -= x;
  return {Happening::kHurtBySong, &listener, &singer, x};
}

}  // namespace bramble
