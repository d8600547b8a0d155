// The soft knee's gain as quartic pieces: one table lookup and four multiply-adds per frame in
// place of a logarithm and an exponential. Built once from the exact curve, it stays within
// 2e-14 of it, far below a step of the 32-bit output (6e-8).
#pragma once

#include "dsp/vector_lanes.h"
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
    const double *a = coefficients[(above ? kPieces : 0) + i];
    return {a[0] + t * (a[1] + t * (a[2] + t * (a[3] + t * a[4]))), above ? 1.0f : 0.0f};
  }

  // The gains of four envelopes, as gain() gives them, without jumps: levels that cross the
  // bend's edges often would make each a guess. For code compiled for AVX2; with two lanes the
  // shuffles cost more than a lookup per frame. In two halves, so that a pass over many frames
  // can run each on its own: each lane's row and its place in the piece, then the gain there.
  template <class L> LANES_INLINE typename L::Doubles gains(typename L::Doubles envelope) const {
    typename L::Indices row;
    typename L::Doubles place;
    locate<L>(envelope, row, place);
    return gainsAt<L>(envelope, row, place);
  }
  template <class L>
  LANES_INLINE void locate(typename L::Doubles envelope, typename L::Indices &row,
                           typename L::Doubles &place) const {
    using D = typename L::Doubles;
    using Indices = typename L::Indices;
    const auto above = envelope > 1.0;
    const D start = above ? broadcast<L>(upper.start) : broadcast<L>(lower.start);
    const D perUnit = above ? broadcast<L>(upper.piecesPerUnit) : broadcast<L>(lower.piecesPerUnit);
    const D u = (envelope - start) * perUnit;
    // Lanes outside the bend get their gain in gainsAt; their piece only has to lie in the table.
    D inTable = u > 0.0 ? u : D{};
    inTable = inTable < double(kPieces) ? inTable : broadcast<L>(kPieces);
    Indices piece = __builtin_convertvector(inTable, Indices);
    piece = piece < kPieces ? piece : kPieces - 1;
    row = piece + (__builtin_convertvector(above, Indices) & kPieces);
    place = 2.0 * (u - __builtin_convertvector(piece, D)) - 1.0;
  }
  // Whether any lane lies in the bend; where none does, outsideGains gives every lane's gain.
  template <class L> static LANES_INLINE bool anyInBend(typename L::Doubles envelope) {
    return anyLane((envelope > kSoftKneeLow) & (envelope <= kSoftKneeHigh));
  }
  template <class L>
  static LANES_INLINE typename L::Doubles outsideGains(typename L::Doubles envelope) {
    const typename L::Doubles above = 1.0 / envelope;
    return envelope <= kSoftKneeLow ? broadcast<L>(1.0) : above;
  }
  template <class L>
  LANES_INLINE typename L::Doubles gainsAt(typename L::Doubles envelope, typename L::Indices row,
                                           typename L::Doubles t) const {
    using D = typename L::Doubles;
    const Powers<L> a = coefficientsOf<L>(row);
    const D bend = a.c0 + t * (a.c1 + t * (a.c2 + t * (a.c3 + t * a.c4)));
    const D outside = envelope > kSoftKneeHigh ? 1.0 / envelope : bend;
    return envelope <= kSoftKneeLow ? broadcast<L>(1.0) : outside;
  }

private:
  SoftKneeTable();

  // The rows' coefficients, lane by lane: each row's first four in one load, turned so that
  // each vector holds one power's coefficient of every lane.
  template <class L> struct Powers { typename L::Doubles c0, c1, c2, c3, c4; };
  template <class L> LANES_INLINE Powers<L> coefficientsOf(typename L::Indices row) const {
    using D = typename L::Doubles;
    static_assert(L::size == 4, "two lanes look the table up frame by frame");
    const double *p0 = coefficients[row[0]], *p1 = coefficients[row[1]];
    const double *p2 = coefficients[row[2]], *p3 = coefficients[row[3]];
    const D r0 = loadLanes<D>(p0), r1 = loadLanes<D>(p1);
    const D r2 = loadLanes<D>(p2), r3 = loadLanes<D>(p3);
    const D even01 = __builtin_shufflevector(r0, r1, 0, 4, 2, 6);
    const D odd01 = __builtin_shufflevector(r0, r1, 1, 5, 3, 7);
    const D even23 = __builtin_shufflevector(r2, r3, 0, 4, 2, 6);
    const D odd23 = __builtin_shufflevector(r2, r3, 1, 5, 3, 7);
    return {__builtin_shufflevector(even01, even23, 0, 1, 4, 5),
            __builtin_shufflevector(odd01, odd23, 0, 1, 4, 5),
            __builtin_shufflevector(even01, even23, 2, 3, 6, 7),
            __builtin_shufflevector(odd01, odd23, 2, 3, 6, 7), D{p0[4], p1[4], p2[4], p3[4]}};
  }

  // One side of the ceiling: where it starts, and its kPieces pieces per unit of envelope.
  struct Side {
    double start;
    double piecesPerUnit;
  };
  void build(const Side &side, double to, double (*rows)[kDegree + 1]);

  Side lower; // -3 dB to the ceiling
  Side upper; // the ceiling to +3 dB
  // Quartics in t = -1..1 across each piece: the lower side's pieces, then the upper side's.
  double coefficients[2 * kPieces][kDegree + 1];
};
