#ifndef BRAMBLE_LAB_LANES_VECTOR_LANES_H_
#define BRAMBLE_LAB_LANES_VECTOR_LANES_H_

// W battles side by side in the lanes of a vector (GCC and Clang vector
// extensions): the lane type the rules in lanes (lane_rules.h) are
// instantiated over. A mask is -1 in the lanes where it holds, 0 elsewhere. Each
// instruction set's file instantiates it with a tag of its own from an
// unnamed namespace, so that every function made from it stays inside that
// file, compiled for that instruction set alone. Where the vector
// extensions give no single instruction for something every step does, the
// tag may give it: Any(m), LaneBits(m), Blend(m, a, b) (a where m), High29(a, b)
// (bits 29 to 60 of each signed 64-bit product a * b), Times(output, n) (the
// output's k times n) and Permute(table, index) (table[index] in each lane).

#include <cstdint>

#include "battle/rules.h"

namespace bramble::lab {

// A vector of `Bytes` bytes of T (spelled out per size: GCC does not apply
// a vector size that depends on a template parameter).
template <class T, int Bytes>
struct VectorOf;
template <class T>
struct VectorOf<T, 16> {
  typedef T type __attribute__((vector_size(16)));
};
template <class T>
struct VectorOf<T, 32> {
  typedef T type __attribute__((vector_size(32)));
};
template <class T>
struct VectorOf<T, 64> {
  typedef T type __attribute__((vector_size(64)));
};
template <class T>
struct VectorOf<T, 128> {
  typedef T type __attribute__((vector_size(128)));
};

template <int W, class IsaTag>
struct VectorLanes {
  static constexpr int kWidth = W;
  using Int = typename VectorOf<int32_t, 4 * W>::type;
  using Bits = typename VectorOf<uint32_t, 4 * W>::type;
  using Words = typename VectorOf<uint64_t, 4 * W>::type;
  using Wide = typename VectorOf<int64_t, 8 * W>::type;
  using Doubles = typename VectorOf<double, 8 * W>::type;
  using Floats = typename VectorOf<float, 4 * W>::type;
  using Mask = Int;
  using Kind = Int;
  using Turn = Int;

  static Int Splat(int32_t x) { return Int{} + x; }
  static bool Any(Mask m) {
    if constexpr (requires { IsaTag::Any(m); })
      return IsaTag::Any(m);
    // OR the 64-bit words together: no lane's bit is lost.
    Words words = reinterpret_cast<Words>(m);
    uint64_t any = 0;
    for (int i = 0; i < W / 2; ++i)
      any |= words[i];
    return any != 0;
  }
  /// Bit i set where lane i holds m.
  static uint32_t LaneBits(Mask m) {
    if constexpr (requires { IsaTag::LaneBits(m); })
      return IsaTag::LaneBits(m);
    uint32_t bits = 0;
    for (int i = 0; i < W; ++i)
      bits |= static_cast<uint32_t>(m[i] & 1) << i;
    return bits;
  }
  static Mask Not(Mask m) { return ~m; }
  static Int Choose(Mask m, Int a, Int b) {
    if constexpr (requires { IsaTag::Blend(m, a, b); })
      return IsaTag::Blend(m, a, b);
    return (a & m) | (b & ~m);
  }
  static Bits Choose(Mask m, Bits a, Bits b) {
    return reinterpret_cast<Bits>(Choose(m, reinterpret_cast<Int>(a), reinterpret_cast<Int>(b)));
  }
  static Int Only(Mask m, Int x) { return x & m; }
  static Int One(Mask m) { return m & 1; }

  static Bits Advance(Bits state) { return state * 214013u + 2531011u; }
  /// table[index] in each lane, where the tag gives it (else not defined).
  static Bits Permute(Bits table, Int index) requires requires { IsaTag::Permute(table, index); }
  { return IsaTag::Permute(table, index); }
  /// The 15-bit output k of each state, left where the state holds it: in
  /// bits 16 to 30, the rest 0 (k * 2^16).
  static Bits Output(Bits state) { return state & 0x7FFF0000u; }
  /// k * n in each lane for an output as Output gives it and n below 2^15.
  static Bits Times(Bits output, uint32_t n) {
    if constexpr (requires { IsaTag::Times(output, n); })
      return IsaTag::Times(output, n);
    return (output >> 16) * n;
  }
  // a + floor(k * 32769 * n / 2^30) in 32 bits: k * 32769 is k * 2^15 + k
  // for a 15-bit k, so the quotient is (k*n + (k*n >> 15)) >> 15.
  static Int Scale(Bits output, int32_t a, int32_t b) {
    Bits kn = Times(output, static_cast<uint32_t>(b - a));
    return reinterpret_cast<Int>((kn + (kn >> 15)) >> 15) + a;
  }
  // floor(roll * base * 5368709 / 2^29): roll * 5368709 fits in 32 bits for
  // every roll below 400, and the low 32 bits of the 64-bit product shifted
  // are the result whatever the sign.
  static Int Percent(Int roll, Int base) {
    if constexpr (requires { IsaTag::High29(base, roll); })
      return IsaTag::High29(base, roll * 5368709);
    Wide product =
        __builtin_convertvector(base, Wide) * __builtin_convertvector(roll * 5368709, Wide);
    return __builtin_convertvector(product >> 29, Int);
  }
  // In 32 bits: rolls are below 41 and the attributes checked (atk,
  // cunning, agility) grow by at most 59 a tick, never near 2^31 / 41 in
  // the 100,000 ticks a battle may last.
  static Mask Check(Int roll, Int attribute, int32_t threshold) {
    return roll * attribute > threshold * threshold;
  }
  static Int Over100(Int a, Int b) { return a * b / 100; }
  static Int FloorTimesF(Int roll, Int atk) {
    Doubles exact = __builtin_convertvector(roll * atk, Doubles) * static_cast<double>(0.01f);
    Floats rounded = __builtin_convertvector(exact, Floats);
    Int truncated = __builtin_convertvector(rounded, Int);
    return truncated + (__builtin_convertvector(truncated, Floats) > rounded);  // -1 below 0
  }
  // Written as ?: on a comparison, which compilers turn into min.
  static Int Min(Int x, int32_t hi) { return x > hi ? Splat(hi) : x; }
  static Int Min(Int x, Int y) { return x > y ? y : x; }
  // x / 2 rounded toward positive infinity, for either sign.
  static Int HalveUp(Int x) { return (x + 1) >> 1; }
  static Int Abs(Int x) { return Choose(x < 0, -x, x); }

  static Kind KindOf(ActionKind kind) { return Splat(static_cast<int32_t>(kind)); }
  static Mask Is(Kind kind, ActionKind which) { return kind == static_cast<int32_t>(which); }
  static Turn TurnOf(TurnState turn) { return Splat(static_cast<int32_t>(turn)); }
  static Mask IsTurn(Turn turn, TurnState which) { return turn == static_cast<int32_t>(which); }
};

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_LANES_VECTOR_LANES_H_
