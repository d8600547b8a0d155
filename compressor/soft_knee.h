// The soft knee: a clamped cubic spline from input level to output level (both in dB) that
// leaves the unity line 20 dB below the threshold and joins the ratio line 20 dB above it.
#pragma once

// The spline's first derivative on one segment, a quadratic in the input level D in dB:
// square * D^2 + linear * D + constant.
struct KneeSegment {
  double square = 0.0;
  double linear = 0.0;
  double constant = 0.0;
  // constant - 1: the gain computer needs the slope minus one.
  double offset = 0.0;

  double slopeAt(double level) const { return (square * level + linear) * level + constant; }
};

struct SoftKnee {
  static constexpr int kKnots = 4;
  double knotLevel[kKnots];
  double knotOutput[kKnots];
  // Segment k lies between knots k and k + 1.
  KneeSegment segments[kKnots - 1];
};

// `slope` is output dB per input dB above the threshold (1 / ratio).
SoftKnee buildSoftKnee(double slope, double thresholdDb);
