#ifndef BRAMBLE_CONSOLE_TERMINAL_H_
#define BRAMBLE_CONSOLE_TERMINAL_H_

#include <memory>

#include "console/console.h"

namespace bramble {

/// The process's own console: standard output and standard input as the
/// platform shows them (terminal_posix.cpp, terminal_win32.cpp,
/// terminal_web.cpp). Its buffers are its own; what it has not sent yet is
/// sent when it is destroyed. Built by the program's front end (the game's
/// shell, the lab's main), one at a time, and handed to whatever prints.
std::unique_ptr<Console> OpenTerminal();

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_TERMINAL_H_
