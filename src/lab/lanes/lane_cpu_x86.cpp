// x86-64: four lanes need SSE2, which every such processor has; eight need
// AVX2 and sixteen AVX-512, asked of the processor (and of the system,
// which must save the wider registers) when the lab starts.
#include "lab/lanes/players.h"

namespace bramble::lab::lane_cpu {

LanePlayer PlayerIfRunnable(LanePath path) {
  switch (path) {
    case LanePath::k4:
      return PlayLanes4;
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
