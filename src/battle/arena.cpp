#include "battle/arena.h"

#include <ctime>

#include "console/terminal.h"

namespace bramble {

namespace {

// A bare line end, straight to the console: never into the transcript.
void WriteBareLineEnd() {
  terminal::Write("\n");
  terminal::Flush();
}

}  // namespace

Arena::Arena(Ticker ticks)
    : timer_id(
          static_cast<int32_t>(static_cast<int64_t>(std::clock()) * 1000 / CLOCKS_PER_SEC / 1000)),
      ticker(ticks) {}

void Arena::Setup(std::string_view name1, std::string_view name2) {
  WriteBareLineEnd();
  bout.first.BuildFromName(name1);
  bout.second.BuildFromName(name2);
  bout.PickFirstAttacker();
  ticker.Start(timer_id, interval);
}

int Arena::Battle() {
  bout.Begin();
  int message;
  for (;;) {
    message = ticker.Wait();
    if (message == 0 || bout.ended)
      break;
    bout.Step();
  }
  return message;
}

int Arena::Rematch(std::string_view name1, std::string_view name2) {
  bout.first.BuildFromName(name1);
  bout.second.BuildFromName(name2);
  WriteBareLineEnd();
  bout.PickFirstAttacker();
  return Battle();
}

}  // namespace bramble
