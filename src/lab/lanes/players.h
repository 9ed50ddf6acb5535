#ifndef BRAMBLE_LAB_LANES_PLAYERS_H_
#define BRAMBLE_LAB_LANES_PLAYERS_H_

#include "lab/lanes/lane_paths.h"

namespace bramble::lab {

// The lane engine built for each width, one file each (on x86-64:
// lanes_4_x86.cpp with SSE4.1, lanes_8.cpp with AVX2, lanes_16.cpp with
// AVX-512; elsewhere lanes_4.cpp).
void PlayLanes4(const LaneJob& job);
void PlayLanes8(const LaneJob& job);
void PlayLanes16(const LaneJob& job);

// What the processor can run, and the players this build holds for it
// (lane_cpu_x86.cpp, lane_cpu_other.cpp).
namespace lane_cpu {
LanePlayer PlayerIfRunnable(LanePath path);
}  // namespace lane_cpu

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_LANES_PLAYERS_H_
