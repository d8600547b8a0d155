#include "limiter_processor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dsp/sample_guards.h"
#include "dsp/vector_lanes.h"

namespace {

// Keeps every value that follows away from denormals.
constexpr double kDenormalGuard = 1e-18;

// A sample past the float range would leave as infinity; it saturates instead. Gain changes and
// Ahead switched on let samples the detector never saw out of the delay line unreduced.
float toSample(double x) {
  return static_cast<float>(std::clamp(x, -kLargestFloat, kLargestFloat));
}

} // namespace

LimiterProcessor::LimiterProcessor()
    : delay(samplesFor(kLimiterDelayMs, kMaxSampleRate)),
      hold(samplesFor(kLimiterHoldMs, kMaxSampleRate)), softKnee(SoftKneeTable::instance()),
      wideLanes(processorHasAvx2()) {}

void LimiterProcessor::useWideLanes(bool wide) { wideLanes = wide && processorHasAvx2(); }

void LimiterProcessor::follow(const LimiterSettings &settings) {
  if (settings.delayLength != delay.length())
    delay.reset(settings.delayLength);
  if (settings.historyLength != hold.length())
    hold.resize(settings.historyLength);
}

void LimiterProcessor::reset() {
  delay.reset(delay.length());
  hold.restart();
  activePair = {0.0, 0.0};
  envelope = 0.0;
  shownInput = 0.0;
  shownOutput = 0.0;
  lamp = 0.0f;
}

void LimiterProcessor::process(const LimiterSettings &s, const float *inLeft, const float *inRight,
                               float *outLeft, float *outRight, int frames) {
  // The block path reads the delay lines a block at a time, so their length must be the
  // settings' one before anything runs.
  follow(s);
  if (frames <= 0)
    return;
  if (s.softKnee)
    run<true>(s, inLeft, inRight, outLeft, outRight, frames);
  else
    run<false>(s, inLeft, inRight, outLeft, outRight, frames);
}

namespace {

// The input frames: scaled and guarded for the detector and the delay lines, and the magnitude
// the input meter shows (of the samples as they came, a non-finite one counting as silence).
template <class L>
LANES_INLINE void scaleInputs(const LimiterSettings &s, const float *inLeft, const float *inRight,
                              double *left, double *right, double *magnitude, int frames) {
  using D = typename L::Doubles;
  int i = 0;
  for (; i + L::size <= frames; i += L::size) {
    const D l = finiteOrSilenceLanes<L>(loadFloats<L>(inLeft + i));
    const D r = finiteOrSilenceLanes<L>(loadFloats<L>(inRight + i));
    storeLanes(left + i, l * s.inputGain * s.ceilingInverse + kDenormalGuard);
    storeLanes(right + i, r * s.inputGain * s.ceilingInverse + kDenormalGuard);
    storeLanes(magnitude + i, largerMagnitude<L>(l, r));
  }
  for (; i < frames; ++i) {
    const double l = finiteOrSilence(inLeft[i]), r = finiteOrSilence(inRight[i]);
    left[i] = l * s.inputGain * s.ceilingInverse + kDenormalGuard;
    right[i] = r * s.inputGain * s.ceilingInverse + kDenormalGuard;
    magnitude[i] = largerMagnitude(l, r);
  }
}

// What the detector sees of each frame: the louder channel, whatever its sign.
template <class L>
LANES_INLINE void detectorLevels(const double *left, const double *right, double *levels,
                                 int frames) {
  int i = 0;
  for (; i + L::size <= frames; i += L::size)
    storeLanes(levels + i, largerMagnitude<L>(loadLanes<typename L::Doubles>(left + i),
                                              loadLanes<typename L::Doubles>(right + i)));
  for (; i < frames; ++i)
    levels[i] = largerMagnitude(left[i], right[i]);
}

// The detector: the one chain from frame to frame. Instant attack on a rising peak, release
// while it holds or falls below the envelope; otherwise the weights stay. The held peak turns
// seldom, so these jumps are guessed right nearly always and cost less than choosing by masks.
void detectEnvelope(LimiterDetector &d, const TimeConstantPair &releasePair, const double *levels,
                    double *envelopes, int frames) {
  PeakHold::Cursor held = d.held;
  TimeConstantPair active = d.active;
  double env = d.envelope;
  for (int i = 0; i < frames; ++i) {
    const double previousPeak = held.peak;
    const double peak = held.step(levels[i]);
    if (peak > previousPeak) {
      if (env < peak)
        active = kImmediatePair;
    } else if (env >= peak) {
      active = releasePair;
    }
    env = active.apply(peak, env);
    envelopes[i] = env;
  }
  d.held = held;
  d.active = active;
  d.envelope = env;
}

// The soft knee's gains in place of the envelopes. Each vector's lookup and polynomial are a
// long chain of dependent instructions; in two passes with short loops, the processor keeps many
// vectors of each in flight. Vectors with no lane in the bend take their gains in the first pass,
// and only the others are looked up in the second.
template <class L>
LANES_INLINE void softKneeGains(const SoftKneeTable &table, double *envelopes, int frames) {
  using D = typename L::Doubles;
  using Indices = typename L::Indices;
  alignas(32) std::int32_t rows[LimiterProcessor::kChunk];
  alignas(32) double places[LimiterProcessor::kChunk];
  int bent[LimiterProcessor::kChunk / L::size];
  int bentCount = 0;
  const int wide = frames / L::size * L::size;
  for (int i = 0; i < wide; i += L::size) {
    const D x = loadLanes<D>(envelopes + i);
    Indices row;
    D place;
    table.locate<L>(x, row, place);
    storeLanes(rows + i, row);
    storeLanes(places + i, place);
    const bool inBend = SoftKneeTable::anyInBend<L>(x);
    bent[bentCount] = i;
    bentCount += inBend;
    if (!inBend)
      storeLanes(envelopes + i, SoftKneeTable::outsideGains<L>(x));
  }
  for (int k = 0; k < bentCount; ++k) {
    const int i = bent[k];
    storeLanes(envelopes + i,
               table.gainsAt<L>(loadLanes<D>(envelopes + i), loadLanes<Indices>(rows + i),
                                loadLanes<D>(places + i)));
  }
  for (int i = wide; i < frames; ++i)
    envelopes[i] = table.gain(envelopes[i]).gain;
}

// Delayed frames times gain and ceiling, saturated into floats, and the magnitude the output
// meter shows (of the products before saturation). The hard knee's gain needs no table, so it is
// computed here from the envelope; the soft knee's arrives computed.
template <class L, bool SoftKnee>
LANES_INLINE void applyGains(const LimiterSettings &s, const double *envelopeOrGain,
                             const double *delayedLeft, const double *delayedRight, float *outLeft,
                             float *outRight, double *magnitude, int frames) {
  using D = typename L::Doubles;
  int i = 0;
  for (; i + L::size <= frames; i += L::size) {
    const D x = loadLanes<D>(envelopeOrGain + i);
    const D gain = SoftKnee ? x : (x > 1.0 ? 1.0 / x : broadcast<L>(1.0));
    const D g = gain * s.ceilingGain;
    const D l = g * loadLanes<D>(delayedLeft + i), r = g * loadLanes<D>(delayedRight + i);
    storeFloats<L>(outLeft + i, saturated<L>(l));
    storeFloats<L>(outRight + i, saturated<L>(r));
    storeLanes(magnitude + i, largerMagnitude<L>(l, r));
  }
  for (; i < frames; ++i) {
    const double x = envelopeOrGain[i];
    const double gain = SoftKnee ? x : hardKneeGain(x).gain;
    const double g = gain * s.ceilingGain;
    const double l = g * delayedLeft[i], r = g * delayedRight[i];
    outLeft[i] = toSample(l);
    outRight[i] = toSample(r);
    magnitude[i] = largerMagnitude(l, r);
  }
}

// The passes at both widths. The four-lane ones are compiled for AVX2 and only called where the
// processor has it; both widths compute the same bits.
struct NarrowPasses : NarrowMeterPass {
  static void scale(const LimiterSettings &s, const float *inL, const float *inR, double *l,
                    double *r, double *m, int n) {
    scaleInputs<Lanes2>(s, inL, inR, l, r, m, n);
  }
  static void levels(const double *l, const double *r, double *levels, int n) {
    detectorLevels<Lanes2>(l, r, levels, n);
  }
  // Without AVX2, one lookup per frame costs less than moving two lanes' pieces into place.
  static void softKnee(const SoftKneeTable &table, double *envelopes, int n) {
    for (int i = 0; i < n; ++i)
      envelopes[i] = table.gain(envelopes[i]).gain;
  }
  template <bool SoftKnee>
  static void gains(const LimiterSettings &s, const double *e, const double *l, const double *r,
                    float *outL, float *outR, double *m, int n) {
    applyGains<Lanes2, SoftKnee>(s, e, l, r, outL, outR, m, n);
  }
};
struct WidePasses : WideMeterPass {
  __attribute__((target("avx2"))) static void scale(const LimiterSettings &s, const float *inL,
                                                    const float *inR, double *l, double *r,
                                                    double *m, int n) {
    scaleInputs<Lanes4>(s, inL, inR, l, r, m, n);
  }
  __attribute__((target("avx2"))) static void levels(const double *l, const double *r,
                                                     double *levels, int n) {
    detectorLevels<Lanes4>(l, r, levels, n);
  }
  __attribute__((target("avx2"))) static void softKnee(const SoftKneeTable &table,
                                                       double *envelopes, int n) {
    softKneeGains<Lanes4>(table, envelopes, n);
  }
  template <bool SoftKnee>
  __attribute__((target("avx2"))) static void gains(const LimiterSettings &s, const double *e,
                                                    const double *l, const double *r, float *outL,
                                                    float *outR, double *m, int n) {
    applyGains<Lanes4, SoftKnee>(s, e, l, r, outL, outR, m, n);
  }
};

} // namespace

template <bool SoftKnee>
void LimiterProcessor::run(const LimiterSettings &s, const float *inLeft, const float *inRight,
                           float *outLeft, float *outRight, int frames) {
  if (wideLanes)
    runWith<WidePasses, SoftKnee>(s, inLeft, inRight, outLeft, outRight, frames);
  else
    runWith<NarrowPasses, SoftKnee>(s, inLeft, inRight, outLeft, outRight, frames);
}

template <class Passes, bool SoftKnee>
void LimiterProcessor::runWith(const LimiterSettings &s, const float *inLeft, const float *inRight,
                               float *outLeft, float *outRight, int frames) {
  LimiterDetector d{hold.cursor(), activePair, envelope};

  // Only the detector is a chain from frame to frame; the rest runs over short blocks, several
  // frames per instruction. Both inputs of a block are read before any output is written: the
  // host may pass the same buffers.
  alignas(32) double sL[kChunk], sR[kChunk], dL[kChunk], dR[kChunk];
  alignas(32) double levels[kChunk], envelopes[kChunk];
  alignas(32) double inputMagnitude[kChunk], outputMagnitude[kChunk];
  // No frame of a block may be read back from the delay lines within that block.
  const int chunk = std::min(kChunk, delay.length() - 1);
  for (int start = 0; start < frames; start += chunk) {
    const int n = std::min(chunk, frames - start);
    Passes::scale(s, inLeft + start, inRight + start, sL, sR, inputMagnitude, n);
    delay.writeAndTapBlock(sL, sR, dL, dR, n);
    if (s.lookAhead)
      Passes::levels(sL, sR, levels, n);
    else
      Passes::levels(dL, dR, levels, n);
    detectEnvelope(d, s.releasePair, levels, envelopes, n);
    if (SoftKnee)
      Passes::softKnee(softKnee, envelopes, n);
    Passes::template gains<SoftKnee>(s, envelopes, dL, dR, outLeft + start, outRight + start,
                                     outputMagnitude, n);
    Passes::meter(meterWindow, inputMagnitude, outputMagnitude, n, s.meterLength, shownInput,
                  shownOutput);
  }

  hold.store(d.held);
  activePair = d.active;
  envelope = d.envelope;
  // Both knees light above the ceiling, the soft one from there through its bend.
  lamp = envelope > 1.0 ? 1.0f : 0.0f;
}
