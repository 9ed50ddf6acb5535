// The game's narrated attack, built once here for every caller.
#include "battle/attack.h"

namespace bramble {

template ActionResult Fighter::Attack<Narration::kNarrated>(Fighter&, ThreadDice&);
template BasicActionResult<Narration::kSilent> Fighter::Attack<Narration::kSilent>(Fighter&,
                                                                                   ThreadDice&);

}  // namespace bramble
