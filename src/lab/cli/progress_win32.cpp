#include <io.h>

#include <cstdio>

#include "lab/cli/progress.h"

namespace bramble::lab {

bool StandardErrorIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }

}  // namespace bramble::lab
