#include <unistd.h>

#include "lab/progress.h"

namespace bramble::lab {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace bramble::lab
