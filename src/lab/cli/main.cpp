// brambleworthen-odds: who wins a battle of Brambleworthen, and how often.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "lab/cli/lab.h"
#include "lab/cli/progress.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bramble::lab::ReportConsole screen = bramble::lab::TerminalConsole();
  // BRAMBLE_LANES forces a lane path (for benchmarks and checks).
  const char* lanes = std::getenv("BRAMBLE_LANES");
  return bramble::lab::RunLab(
      args, {std::cin, screen, std::cout, std::cerr, bramble::lab::StandardErrorIsTerminal(),
             argc > 0 ? argv[0] : "brambleworthen-odds",
             bramble::lab::ChooseLanePath(lanes ? lanes : "")});
}
