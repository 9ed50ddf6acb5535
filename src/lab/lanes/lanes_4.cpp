// The lane engine 4 battles wide: SSE2 on x86-64 (every such processor has it), NEON on ARM,
// SIMD128 in WebAssembly. CMake compiles this file alone for that instruction set; the players
// choose it at run time only on a processor that has it.
#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {
struct Isa {};  // keeps every function made here inside this file
}  // namespace

void PlayLanes4(const LaneJob& job) { lanes::PlayLanes<VectorLanes<4, Isa>>(job); }

}  // namespace bramble::lab
