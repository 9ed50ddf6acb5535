// The lane engine 16 battles wide: AVX-512 (F, BW, DQ, VL).
// CMake compiles this file alone for that instruction set; the players
// choose it at run time only on a processor that has it.
#include <immintrin.h>

#include "lab/lanes/lane_engine.h"
#include "lab/lanes/players.h"
#include "lab/lanes/vector_lanes.h"

namespace bramble::lab {

namespace {

// Keeps every function made here inside this file; gives the three
// operations the vector extensions spell in several instructions.
struct Isa {
  using Int = VectorOf<int32_t, 64>::type;
  static bool Any(Int m) { return _mm512_test_epi32_mask(__m512i(m), __m512i(m)) != 0; }
  static uint32_t LaneBits(Int m) { return _mm512_movepi32_mask(__m512i(m)); }
  // (m & a) | (~m & b) as one ternary logic instruction.
  static Int Blend(Int m, Int a, Int b) {
    return Int(_mm512_ternarylogic_epi32(__m512i(m), __m512i(a), __m512i(b), 0xCA));
  }
  static Int High29(Int a, Int b) {
    __m512i even = _mm512_mul_epi32(__m512i(a), __m512i(b));
    __m512i odd =
        _mm512_mul_epi32(_mm512_srli_epi64(__m512i(a), 32), _mm512_srli_epi64(__m512i(b), 32));
    return Int(
        _mm512_mask_blend_epi32(0xAAAA, _mm512_srli_epi64(even, 29), _mm512_slli_epi64(odd, 3)));
  }
};

}  // namespace

void PlayLanes16(const LaneJob& job) { lanes::PlayLanes<VectorLanes<16, Isa>>(job); }

}  // namespace bramble::lab
