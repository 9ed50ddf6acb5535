// The whole game on any standard input, in a UTF-8 locale, on a tick source
// that never waits: every run comes to its end, with status 0.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "battle/ticker.h"
#include "check.h"
#include "shell/game.h"

namespace {

std::string g_input_path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Typed words are decoded from UTF-8 and the output converted to it; the
  // output itself goes nowhere (libFuzzer reports on standard error).
  setenv("LC_ALL", "C.UTF-8", 1);
  int null = open("/dev/null", O_WRONLY);
  dup2(null, STDOUT_FILENO);
  close(null);
  char path[] = "/tmp/bramble-game-fuzz-XXXXXX";
  int fd = mkstemp(path);
  FUZZ_CHECK(fd >= 0);
  close(fd);
  g_input_path = path;
  std::atexit([] { unlink(g_input_path.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(g_input_path.c_str(), "wb");
  FUZZ_CHECK(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0);
  FUZZ_CHECK(std::freopen(g_input_path.c_str(), "rb", stdin));
  const char* argv[] = {"brambleworthen", nullptr};
  // The game opens the process's terminal afresh for each run: what one run
  // read ahead and left is not the next run's input.
  FUZZ_CHECK(bramble::RunGame(1, argv, bramble::Ticker::Immediate(UINT64_MAX)) == 0);
  return 0;
}
