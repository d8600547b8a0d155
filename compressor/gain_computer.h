// The static gain of the compressor for smoothed RMS envelopes (linear amplitudes), a vector of
// them at a time; one envelope goes through the same instructions, so all agree bit for bit.
#pragma once

#include "compressor_settings.h"
#include "gain_kernels.h"

struct GainStep {
  double gain;
  // 1 while the gain computer is in its compressing region; what the editor's lamp shows.
  float compressing;
};

constexpr double kDecibelsPerNeper = 8.685889638065035; // 20 / ln 10

// The settings the gain computer reads, in every lane. A local copy also tells the compiler that
// the output stores cannot change them.
template <class L> struct GainLanes {
  using D = typename L::Doubles;
  struct Segment {
    D square, linear, offset;
  };
  D thresholdGain, logThresholdInverse, hardExponent;
  D kneeLow, kneeHigh, kneeTopLevel;
  Segment middle, upper;

  LANES_INLINE explicit GainLanes(const CompressorSettings &s)
      : thresholdGain(D{} + s.thresholdGain), logThresholdInverse(D{} + s.logThresholdInverse),
        hardExponent(D{} + s.hardExponent), kneeLow(D{} + s.kneeLow), kneeHigh(D{} + s.kneeHigh),
        kneeTopLevel(D{} + s.kneeTopLevel), middle(lanes(s.kneeMiddle)), upper(lanes(s.kneeUpper)) {
  }

private:
  LANES_INLINE static Segment lanes(const KneeSegment &k) {
    return {D{} + k.square, D{} + k.linear, D{} + k.offset};
  }
};

// (slope - 1) dB per dB above the threshold, nothing at or below it. Takes ln(envelope) too.
template <class L>
LANES_INLINE typename L::Doubles hardKneeGains(typename L::Doubles envelope,
                                               typename L::Doubles logEnvelope,
                                               const GainLanes<L> &k) {
  using D = typename L::Doubles;
  const D gain = expLanes<L>(k.hardExponent * (logEnvelope + k.logThresholdInverse));
  return envelope > k.thresholdGain ? gain : D{} + 1.0;
}

// The knee curve's local slope takes the place of the fixed one: (S'(D) - 1) dB per dB from the
// threshold, which lifts levels between kneeLow and the threshold. Past the curve's last knot
// its slope stays at the ratio's.
template <class L>
LANES_INLINE typename L::Doubles softKneeGains(typename L::Doubles envelope,
                                               typename L::Doubles logEnvelope,
                                               const GainLanes<L> &k) {
  using D = typename L::Doubles;
  D level = logEnvelope * kDecibelsPerNeper;
  level = level > k.kneeTopLevel ? k.kneeTopLevel : level;
  const auto upper = envelope > k.kneeHigh;
  const D square = upper ? k.upper.square : k.middle.square;
  const D linear = upper ? k.upper.linear : k.middle.linear;
  const D offset = upper ? k.upper.offset : k.middle.offset;
  const D exponent = (square * level + linear) * level + offset;
  const D gain = expLanes<L>(exponent * (logEnvelope + k.logThresholdInverse));
  return envelope > k.kneeLow ? gain : D{} + 1.0;
}

template <class L, bool SoftKnee>
LANES_INLINE typename L::Doubles gainsFor(typename L::Doubles envelope,
                                          typename L::Doubles logEnvelope, const GainLanes<L> &k) {
  return SoftKnee ? softKneeGains<L>(envelope, logEnvelope, k)
                  : hardKneeGains<L>(envelope, logEnvelope, k);
}

// The lamp lights above the threshold with the hard knee and from it on with the soft one.
inline float compressingAt(double envelope, const CompressorSettings &s) {
  const bool on = s.softKnee ? envelope >= s.thresholdGain : envelope > s.thresholdGain;
  return on ? 1.0f : 0.0f;
}

inline GainStep compressorGain(double envelope, const CompressorSettings &s) {
  const GainLanes<Lanes2> k(s);
  const Lanes2::Doubles e = {envelope, envelope};
  const Lanes2::Doubles logE = logLanes<Lanes2>(e);
  const Lanes2::Doubles g =
      s.softKnee ? gainsFor<Lanes2, true>(e, logE, k) : gainsFor<Lanes2, false>(e, logE, k);
  return {g[0], compressingAt(envelope, s)};
}
