#include "soft_knee_table.h"

namespace {

constexpr int kPoints = SoftKneeTable::kDegree + 1;

// cos((2j + 1) pi / 10), j = 0..4: the Chebyshev nodes of a quartic, written out so that every
// target starts from the same bits.
constexpr double kNodes[kPoints] = {0.95105651629515357, 0.58778525229247314, 0.0,
                                    -0.58778525229247314, -0.95105651629515357};

// Powers of t in T0..T4: T2 = 2t^2 - 1, T3 = 4t^3 - 3t, T4 = 8t^4 - 8t^2 + 1.
constexpr double kChebyshevPowers[kPoints][kPoints] = {
    {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {-1, 0, 2, 0, 0}, {0, -3, 0, 4, 0}, {1, 0, -8, 0, 8}};

} // namespace

const SoftKneeTable &SoftKneeTable::instance() {
  static const SoftKneeTable table;
  return table;
}

SoftKneeTable::SoftKneeTable() {
  lower = {kSoftKneeLow, kPieces / (1.0 - kSoftKneeLow)};
  upper = {1.0, kPieces / (kSoftKneeHigh - 1.0)};
  build(lower, 1.0, coefficients);
  build(upper, kSoftKneeHigh, coefficients + kPieces);
}

// Interpolation at the Chebyshev nodes of each piece, turned into powers of t. The exact curve
// comes from the fast kernels, which give the same bits on every target, and so does the table.
void SoftKneeTable::build(const Side &side, double to, double (*rows)[kDegree + 1]) {
  const double from = side.start;
  const double width = (to - from) / kPieces;
  for (int i = 0; i < kPieces; ++i) {
    const double centre = from + (i + 0.5) * width;
    double chebyshev[kPoints] = {};
    for (int j = 0; j < kPoints; ++j) {
      const double f = softKneeGain(centre + kNodes[j] * 0.5 * width).gain;
      // T_k at the node by the recurrence T_k+1 = 2x T_k - T_k-1.
      double previous = 1.0, current = kNodes[j];
      chebyshev[0] += f;
      for (int k = 1; k < kPoints; ++k) {
        chebyshev[k] += f * current;
        const double next = 2.0 * kNodes[j] * current - previous;
        previous = current;
        current = next;
      }
    }
    double *a = rows[i];
    for (int p = 0; p < kPoints; ++p)
      a[p] = 0.0;
    for (int k = 0; k < kPoints; ++k) {
      const double c = chebyshev[k] * (k == 0 ? 1.0 : 2.0) / kPoints;
      for (int p = 0; p < kPoints; ++p)
        a[p] += c * kChebyshevPowers[k][p];
    }
  }
}
