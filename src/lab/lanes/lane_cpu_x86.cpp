// x86-64: four lanes need SSE4.1, eight AVX2 and sixteen AVX-512, asked of
// the processor (and of the system, which must save the wider registers)
// when the lab starts. A processor without SSE4.1 plays one battle at a time.
#include "lab/lanes/players.h"

namespace bramble::lab::lane_cpu {

LanePlayer PlayerIfRunnable(LanePath path) {
  switch (path) {
    case LanePath::k4:
      return __builtin_cpu_supports("sse4.1") ? PlayLanes4 : nullptr;
    case LanePath::k8:
      return __builtin_cpu_supports("avx2") ? PlayLanes8 : nullptr;
    case LanePath::k16:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                     __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl")
                 ? PlayLanes16
                 : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace bramble::lab::lane_cpu
