// Natural logarithm and exponential of several doubles at once, for the per-frame gain. The C
// libraries of the Windows builds take 25-80 ns a call, and even a scalar kernel of full
// precision costs more than the rest of a frame; the gain needs far less than full precision
// (its error must stay well below a step of the 32-bit output), so these use plain polynomials
// without tables, on vectors of 2 doubles (SSE2, every target) or 4 (AVX2, where the processor
// has it).
//
// Only IEEE additions, multiplications, one division and integer bit operations, the same for
// every lane: every target and both widths give the same bits. Nothing may contract them into
// fused multiply-adds (the project builds in ISO mode and never enables FMA).
#pragma once

#include "dsp/vector_lanes.h"

namespace gain_kernels {

// ln 2 in two parts; the first has 21 trailing zero bits, so multiples up to 2^11 are exact.
constexpr double kLn2High = 0x1.62e42fee00000p-1;
constexpr double kLn2Low = 0x1.a39ef35793c76p-33;

} // namespace gain_kernels

// ln x for positive normal x. With x = 2^k m, m in [sqrt(1/2), sqrt(2)): ln m = 2 atanh(t),
// t = (m - 1) / (m + 1), |t| < 0.172, and the odd series of atanh to t^19 leaves a relative
// error of a few 1e-16.
template <class L> LANES_INLINE typename L::Doubles logLanes(typename L::Doubles x) {
  using D = typename L::Doubles;
  using B = typename L::Bits;
  const B bits = (B)x;
  // Taking the bits of sqrt(1/2) off puts k, offset by 1024, in the exponent field.
  const B offsetK = (bits - (0x3fe6a09e667f3bcdULL - (1024ULL << 52))) >> 52;
  const D m = (D)(bits - ((offsetK - 1024) << 52));
  // k as a double: its bits placed in the mantissa of 2^52.
  const D k = (D)(offsetK | 0x4330000000000000ULL) - (0x1p52 + 1024.0);

  const D t = (m - 1.0) / (m + 1.0);
  const D s = t * t;
  const D s2 = s * s;
  const D s4 = s2 * s2;
  const D s8 = s4 * s4;
  // The sum over j = 1..9 of 2 s^j / (2j + 1), by Estrin's scheme: a short chain of dependent
  // operations lets the processor keep many vectors in flight.
  const D q0 = (2.0 / 3 + s * (2.0 / 5)) + (2.0 / 7 + s * (2.0 / 9)) * s2;
  const D q1 = (2.0 / 11 + s * (2.0 / 13)) + (2.0 / 15 + s * (2.0 / 17)) * s2;
  const D series = s * ((q0 + q1 * s4) + s8 * (2.0 / 19));
  const D lnM = (t + t) + t * series;
  return k * gain_kernels::kLn2High + (lnM + k * gain_kernels::kLn2Low);
}

// e^y, y held to [-708, 709] so that the result stays a normal double. With y = n ln2 + r,
// |r| <= ln2 / 2, the Taylor polynomial of e^r to r^12 leaves a relative error below 2e-16.
template <class L> LANES_INLINE typename L::Doubles expLanes(typename L::Doubles y) {
  using D = typename L::Doubles;
  using B = typename L::Bits;
  const D low = D{} - 708.0;
  const D high = D{} + 709.0;
  y = y < low ? low : y;
  y = y > high ? high : y;
  // Adding 1.5 * 2^52 rounds to an integer that lands in the low mantissa bits.
  const D shifted = y * 1.4426950408889634 + 0x1.8p52;
  const D n = shifted - 0x1.8p52;
  const D r = (y - n * gain_kernels::kLn2High) - n * gain_kernels::kLn2Low;
  const D r2 = r * r;
  const D r4 = r2 * r2;
  const D r8 = r4 * r4;
  const D a0 = 1.0 + r;
  const D a1 = 1.0 / 2 + r * (1.0 / 6);
  const D a2 = 1.0 / 24 + r * (1.0 / 120);
  const D a3 = 1.0 / 720 + r * (1.0 / 5040);
  const D a4 = 1.0 / 40320 + r * (1.0 / 362880);
  const D a5 = 1.0 / 3628800 + r * (1.0 / 39916800);
  const D er =
      ((a0 + a1 * r2) + (a2 + a3 * r2) * r4) + ((a4 + a5 * r2) + r4 * (1.0 / 479001600)) * r8;
  // 2^n: n + 1023 shifted into the exponent field; the rest of `shifted` falls off the top.
  return er * (D)(((B)shifted + 1023) << 52);
}

// One value through the two-lane kernels, for the tests and the rare single frame.
inline double kernelLog(double x) { return logLanes<Lanes2>(Lanes2::Doubles{x, x})[0]; }
inline double kernelExp(double y) { return expLanes<Lanes2>(Lanes2::Doubles{y, y})[0]; }
