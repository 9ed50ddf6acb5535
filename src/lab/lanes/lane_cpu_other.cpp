// Processors other than x86-64 (ARM with NEON, WebAssembly with SIMD128):
// four lanes, which the build's own instruction set has.
#include "lab/lanes/players.h"

namespace bramble::lab::lane_cpu {

LanePlayer PlayerIfRunnable(LanePath path) { return path == LanePath::k4 ? PlayLanes4 : nullptr; }

}  // namespace bramble::lab::lane_cpu
