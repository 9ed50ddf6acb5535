// The game's narrated turn state machine, built once here for every caller.
#include "battle/bout.h"

namespace bramble {

template class Bout<Narration::kNarrated>;
template void Bout<Narration::kNarrated>::PickFirstAttacker(ThreadDice&);
template void Bout<Narration::kNarrated>::Step(ThreadDice&);

}  // namespace bramble
