// The soft knee's gain as quartic pieces: one table lookup and four multiply-adds per frame in
// place of a logarithm and an exponential. Built once from the exact curve, it stays within
// 2e-14 of it, far below a step of the 32-bit output (6e-8).
#pragma once

#include "limiter_gain.h"

class SoftKneeTable {
public:
  static constexpr int kPieces = 128; // per side of the ceiling
  static constexpr int kDegree = 4;

  // Shared by every instance; built on first use.
  static const SoftKneeTable &instance();

  LimiterGain gain(double envelope) const {
    if (envelope <= kSoftKneeLow)
      return {1.0, 0.0f};
    if (envelope > kSoftKneeHigh)
      return {1.0 / envelope, 1.0f};
    const bool above = envelope > 1.0;
    const Side &side = above ? upper : lower;
    const double u = (envelope - side.start) * side.piecesPerUnit;
    int i = static_cast<int>(u);
    i = i < kPieces ? i : kPieces - 1;
    const double t = 2.0 * (u - i) - 1.0;
    const double *a = side.coefficients[i];
    return {a[0] + t * (a[1] + t * (a[2] + t * (a[3] + t * a[4]))), above ? 1.0f : 0.0f};
  }

private:
  SoftKneeTable();

  // One side of the ceiling: kPieces quartics in t = -1..1 across each piece.
  struct Side {
    double start;
    double piecesPerUnit;
    double coefficients[kPieces][kDegree + 1];
  };
  static void build(Side &side, double from, double to);

  Side lower; // -3 dB to the ceiling
  Side upper; // the ceiling to +3 dB
};
