// The lane engine 8 battles wide: AVX2.
// CMake compiles this file alone for that instruction set; the players
// choose it at run time only on a processor that has it.
#include <immintrin.h>

#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {

// Keeps every function made here inside this file; gives the operations
// the vector extensions spell in several instructions.
struct Isa {
  using Int = VectorOf<int32_t, 32>::type;
  using Bits = VectorOf<uint32_t, 32>::type;
  static bool Any(Int m) { return !_mm256_testz_si256(__m256i(m), __m256i(m)); }
  static uint32_t LaneBits(Int m) {
    return static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(__m256i(m))));
  }
  static Int Blend(Int m, Int a, Int b) {
    return Int(_mm256_blendv_epi8(__m256i(b), __m256i(a), __m256i(m)));
  }
  static Int High29(Int a, Int b) {
    __m256i even = _mm256_mul_epi32(__m256i(a), __m256i(b));
    __m256i odd =
        _mm256_mul_epi32(_mm256_srli_epi64(__m256i(a), 32), _mm256_srli_epi64(__m256i(b), 32));
    return Int(_mm256_blend_epi32(_mm256_srli_epi64(even, 29), _mm256_slli_epi64(odd, 3), 0xAA));
  }
  // k * n in one multiply of 16-bit pairs, k the high half of each lane
  // and its low half 0: k * n + 0 * 0.
  static Bits Times(Bits output, uint32_t n) {
    return Bits(_mm256_madd_epi16(__m256i(output), __m256i(Bits{} + (n << 16))));
  }
  // table[index] in each lane, index 0 to 7: one lane-crossing permute.
  static Bits Permute(Bits table, Int index) {
    return Bits(_mm256_permutevar8x32_epi32(__m256i(table), __m256i(index)));
  }
};

}  // namespace

void PlayLanes8(const LaneJob& job) { lanes::PlayLanes<VectorLanes<8, Isa>>(job); }

}  // namespace bramble::lab
