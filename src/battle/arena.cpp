#include "battle/arena.h"

#include <ctime>

namespace bramble {

Arena::Arena(Ticker ticks, Narrator& narrator, Dice& dice)
    : timer_id(
          static_cast<int32_t>(static_cast<int64_t>(std::clock()) * 1000 / CLOCKS_PER_SEC / 1000)),
      bout(&narrator),
      ticker(ticks),
      dice_(dice) {}

void Arena::Build(std::string_view name1, std::string_view name2) {
  bout.first.Build(name1);
  bout.Tell({Happening::kIntroduced, &bout.first});
  bout.second.Build(name2);
  bout.Tell({Happening::kIntroduced, &bout.second});
}

void Arena::Setup(std::string_view name1, std::string_view name2) {
  bout.Tell({Happening::kLineBreak});
  Build(name1, name2);
  bout.PickFirstAttacker(dice_);
  ticker.Start(timer_id, interval);
}

int Arena::Battle() {
  bout.Begin();
  int message;
  for (;;) {
    message = ticker.Wait();
    if (message == 0 || bout.ended)
      break;
    bout.Step(dice_);
  }
  return message;
}

int Arena::Rematch(std::string_view name1, std::string_view name2) {
  Build(name1, name2);
  bout.Tell({Happening::kLineBreak});
  bout.PickFirstAttacker(dice_);
  return Battle();
}

}  // namespace bramble
