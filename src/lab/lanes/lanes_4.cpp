// The lane engine 4 battles wide on processors other than x86-64, such as
// NEON on ARM (lanes_4_x86.cpp is the x86-64 one, lanes_4_wasm.cpp
// WebAssembly's), in the vector extensions alone.
#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {
struct Isa {};  // keeps every function made here inside this file
}  // namespace

void PlayLanes4(const LaneJob& job) { lanes::PlayLanes<VectorLanes<4, Isa>>(job); }

}  // namespace bramble::lab
