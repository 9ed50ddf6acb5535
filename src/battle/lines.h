#ifndef BRAMBLE_BATTLE_LINES_H_
#define BRAMBLE_BATTLE_LINES_H_

// The narrated battle's lines, as marked-up text. The rules decide what
// happens and call these to say it; the texts themselves live in lines.cpp,
// where the build turns them into the game's GBK bytes.

#include <cstdint>
#include <string>
#include <string_view>

#include "battle/fighter.h"

namespace bramble::lines {

// The turn state machine.
std::string Start();
std::string Defeat(const Fighter& fallen);
/// `fighter` loses `amount` hp: a blow of a beating, or a plain defence hit.
std::string Damage(const Fighter& fighter, int32_t amount);

// Attacks. A last stand's line ends in a line break; the normal attack it
// leads to is appended.
std::string NormalAttack(const Fighter& attacker);
std::string MagicAttack(const Fighter& attacker);
std::string Pummel(const Fighter& attacker, const Fighter& defender);
std::string Poison(const Fighter& attacker, const Fighter& defender);
std::string LastStand(const Fighter& attacker);
/// `title` is the drawn title, marked up in its colour.
std::string Song(const Fighter& attacker, std::string_view title);

// Answers to an attack.
std::string Deflection(const Fighter& defender, const Fighter& attacker, int32_t damage);
/// A magic defence against a normal attack (always holds), or against a
/// magic attack that hit for `damage` or failed.
std::string MagicDefence(const Fighter& defender, const Fighter& attacker, bool against_magic,
                         bool hit, int32_t damage);
std::string Evasion(const Fighter& defender);
std::string Dodge(const Fighter& defender);

// Answers to a song; `reaction` is the drawn line, marked up in its colour.
std::string Unmoved(const Fighter& listener, const Fighter& singer);
std::string ListenerRefreshed(const Fighter& listener, const Fighter& singer,
                              std::string_view reaction);
std::string SingerRefreshed(const Fighter& listener, const Fighter& singer,
                            std::string_view reaction);
std::string HurtBySong(const Fighter& listener, const Fighter& singer, int32_t damage);

}  // namespace bramble::lines

#endif  // BRAMBLE_BATTLE_LINES_H_
