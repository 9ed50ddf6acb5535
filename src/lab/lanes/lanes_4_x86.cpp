// The lane engine 4 battles wide on x86-64: SSE4.1 (its 32-bit products,
// minimum and maximum, blends and signed 64-bit products).
// CMake compiles this file alone for that instruction set; the players
// choose it at run time only on a processor that has it.
#include <smmintrin.h>

#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {

// Keeps every function made here inside this file; gives the operations
// the vector extensions spell in several instructions.
struct Isa {
  using Int = VectorOf<int32_t, 16>::type;
  using Bits = VectorOf<uint32_t, 16>::type;
  static bool Any(Int m) { return !_mm_testz_si128(__m128i(m), __m128i(m)); }
  static uint32_t LaneBits(Int m) {
    return static_cast<uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(__m128i(m))));
  }
  static Int Blend(Int m, Int a, Int b) {
    return Int(_mm_blendv_epi8(__m128i(b), __m128i(a), __m128i(m)));
  }
  static Int High29(Int a, Int b) {
    __m128i even = _mm_mul_epi32(__m128i(a), __m128i(b));
    __m128i odd = _mm_mul_epi32(_mm_srli_epi64(__m128i(a), 32), _mm_srli_epi64(__m128i(b), 32));
    return Int(_mm_blend_epi16(_mm_srli_epi64(even, 29), _mm_slli_epi64(odd, 3), 0xCC));
  }
  // k * n in one multiply of 16-bit pairs, k the high half of each lane
  // and its low half 0: k * n + 0 * 0.
  static Bits Times(Bits output, uint32_t n) {
    return Bits(_mm_madd_epi16(__m128i(output), __m128i(Bits{} + (n << 16))));
  }
};

}  // namespace

void PlayLanes4(const LaneJob& job) { lanes::PlayLanes<VectorLanes<4, Isa>>(job); }

}  // namespace bramble::lab
