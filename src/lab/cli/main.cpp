// brambleworthen-odds: who wins a battle of Brambleworthen, and how often.
#include <iostream>
#include <string>
#include <vector>

#include "lab/cli/lab.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return bramble::lab::RunLab(args, std::cout, std::cerr,
                              argc > 0 ? argv[0] : "brambleworthen-odds");
}
