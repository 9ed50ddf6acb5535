// The game's narrated response, built once here for every caller.
#include "battle/respond.h"

namespace bramble {

template std::string Fighter::Respond<Narration::kNarrated>(Fighter&, int32_t, ActionKind,
                                                            ThreadDice&);
template Silence Fighter::Respond<Narration::kSilent>(Fighter&, int32_t, ActionKind, ThreadDice&);

}  // namespace bramble
