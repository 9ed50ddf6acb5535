#include <unistd.h>

#include "lab/cli/progress.h"

namespace bramble::lab {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace bramble::lab
