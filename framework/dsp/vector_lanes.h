// Two or four doubles at a time for the block passes of both signal paths: SSE2 on every target,
// AVX2 where the processor has it. Both widths run the same IEEE operations lane by lane, so they
// give the same bits. Everything here is inlined into the passes, where the width is known.
#pragma once

#include <cstdint>
#include <emmintrin.h>

#define LANES_INLINE inline __attribute__((always_inline))
#define LANES_LAMBDA_INLINE __attribute__((always_inline))

struct Lanes2 {
  typedef double Doubles __attribute__((vector_size(16)));
  typedef std::int64_t Integers __attribute__((vector_size(16)));
  typedef std::uint64_t Bits __attribute__((vector_size(16)));
  typedef float Floats __attribute__((vector_size(8)));
  static constexpr int size = 2;
};
struct Lanes4 {
  typedef double Doubles __attribute__((vector_size(32)));
  typedef std::int64_t Integers __attribute__((vector_size(32)));
  typedef std::uint64_t Bits __attribute__((vector_size(32)));
  typedef float Floats __attribute__((vector_size(16)));
  typedef std::int32_t Indices __attribute__((vector_size(16)));
  static constexpr int size = 4;
};

// Whether the four-lane passes may run here.
inline bool processorHasAvx2() {
  // A plug-in may be created before the run-time library has looked at the processor.
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

template <class V> LANES_INLINE V loadLanes(const void *p) {
  V v;
  __builtin_memcpy(&v, p, sizeof v);
  return v;
}
template <class V> LANES_INLINE void storeLanes(void *p, V v) { __builtin_memcpy(p, &v, sizeof v); }

// Floats in and out. Two floats go through an SSE register as one 64-bit load or store: copied
// as a vector of their own, the 32-bit build moves them through the stack and two integer
// registers, and the reload waits for the store.
template <class L> LANES_INLINE typename L::Doubles loadFloats(const float *p) {
  if constexpr (L::size == 2)
    return (typename L::Doubles)_mm_cvtps_pd(_mm_castpd_ps(_mm_set_sd(loadLanes<double>(p))));
  else
    return __builtin_convertvector(loadLanes<typename L::Floats>(p), typename L::Doubles);
}
template <class L> LANES_INLINE void storeFloats(float *p, typename L::Doubles x) {
  if constexpr (L::size == 2)
    storeLanes(p, _mm_cvtsd_f64(_mm_castps_pd(_mm_cvtpd_ps((__m128d)x))));
  else
    storeLanes(p, __builtin_convertvector(x, typename L::Floats));
}

// x in every lane. (Adding x to zeros would be an addition the compiler must keep: -0 + 0 is 0.)
template <class L> LANES_INLINE typename L::Doubles broadcast(double x) {
  return x - typename L::Doubles{};
}

template <class L> LANES_INLINE typename L::Doubles absolute(typename L::Doubles x) {
  using B = typename L::Bits;
  return (typename L::Doubles)((B)x & 0x7fffffffffffffffULL);
}

// The louder of two channels' samples lane by lane, whatever their signs, as largerMagnitude.
template <class L>
LANES_INLINE typename L::Doubles largerMagnitude(typename L::Doubles l, typename L::Doubles r) {
  l = absolute<L>(l);
  r = absolute<L>(r);
  return l > r ? l : r;
}

// A product past the float range would leave as an infinite sample; it saturates instead.
constexpr double kLargestFloat = 3.4028234663852886e38;
template <class L> LANES_INLINE typename L::Doubles saturated(typename L::Doubles x) {
  using D = typename L::Doubles;
  const D largest = D{} + kLargestFloat;
  x = x > largest ? largest : x;
  return x < -largest ? -largest : x;
}

// Whether any lane of a four-lane comparison's mask is set.
LANES_INLINE bool anyLane(Lanes4::Integers mask) {
  return _mm_movemask_pd((__m128d)(__builtin_shufflevector(mask, mask, 0, 1) |
                                   __builtin_shufflevector(mask, mask, 2, 3))) != 0;
}

// A sample as it came, or silence when it is not finite.
template <class L> LANES_INLINE typename L::Doubles finiteOrSilenceLanes(typename L::Doubles x) {
  using D = typename L::Doubles;
  return absolute<L>(x) <= kLargestFloat ? x : D{};
}
