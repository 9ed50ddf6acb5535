// brambleworthen-odds: who wins a battle of Brambleworthen, and how often.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "console/terminal.h"
#include "lab/cli/lab.h"
#include "lab/cli/progress.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // The process's terminal, the one the game prints through: closed (what
  // it holds sent) when the run is over.
  std::unique_ptr<bramble::Console> screen = bramble::OpenTerminal();
  // BRAMBLE_LANES forces a lane path (for benchmarks and checks).
  const char* lanes = std::getenv("BRAMBLE_LANES");
  return bramble::lab::RunLab(
      args, {std::cin, *screen, std::cout, std::cerr, bramble::lab::StandardErrorIsTerminal(),
             argc > 0 ? argv[0] : "brambleworthen-odds",
             bramble::lab::ChooseLanePath(lanes ? lanes : "")});
}
