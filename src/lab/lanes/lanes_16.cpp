// The lane engine 16 battles wide: AVX-512 (F, BW, DQ, VL).
// CMake compiles this file alone for that instruction set; the players
// choose it at run time only on a processor that has it.
#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {
struct Isa {};  // keeps every function made here inside this file
}  // namespace

void PlayLanes16(const LaneJob& job) { lanes::PlayLanes<VectorLanes<16, Isa>>(job); }

}  // namespace bramble::lab
