// The lane engine 4 battles wide in WebAssembly (SIMD128; lanes_4.cpp is
// the same engine for ARM). CMake compiles this file alone with -msimd128.
// The vector extensions spell a lane test, the lanes' bits and the high
// half of a 64-bit product lane by lane, through scalar registers; SIMD128
// has an instruction or two for each.
#include <wasm_simd128.h>

#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {

// Keeps every function made here inside this file; gives the operations
// the vector extensions spell in several instructions.
struct Isa {
  using Int = VectorOf<int32_t, 16>::type;
  static bool Any(Int m) { return wasm_v128_any_true(v128_t(m)); }
  static uint32_t LaneBits(Int m) { return wasm_i32x4_bitmask(v128_t(m)); }
  static Int High29(Int a, Int b) {
    v128_t low = wasm_i64x2_shr(wasm_i64x2_extmul_low_i32x4(v128_t(a), v128_t(b)), 29);
    v128_t high = wasm_i64x2_shr(wasm_i64x2_extmul_high_i32x4(v128_t(a), v128_t(b)), 29);
    return Int(wasm_i32x4_shuffle(low, high, 0, 2, 4, 6));
  }
};

}  // namespace

void PlayLanes4(const LaneJob& job) { lanes::PlayLanes<VectorLanes<4, Isa>>(job); }

}  // namespace bramble::lab
