#include "compressor_processor.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>

#include "dsp/sample_guards.h"
#include "dsp/switched_smoother.h"
#include "gain_computer.h"

namespace {

// Keeps every value that follows away from denormals, on the samples and on the mean square.
constexpr double kDenormalGuard = 1e-18;

// The input frames as guarded doubles (a non-finite sample counts as silence), and the louder
// magnitude of each pair.
template <class L>
LANES_INLINE void guardInputs(const float *inLeft, const float *inRight, double *left,
                              double *right, double *magnitude, int frames) {
  using D = typename L::Doubles;
  const auto guarded = [](const float *p) LANES_LAMBDA_INLINE {
    return finiteOrSilenceLanes<L>(loadFloats<L>(p)) + kDenormalGuard;
  };
  int i = 0;
  for (; i + L::size <= frames; i += L::size) {
    const D l = guarded(inLeft + i);
    const D r = guarded(inRight + i);
    storeLanes(left + i, l);
    storeLanes(right + i, r);
    storeLanes(magnitude + i, largerMagnitude<L>(l, r));
  }
  for (; i < frames; ++i) {
    left[i] = finiteOrSilence(inLeft[i]) + kDenormalGuard;
    right[i] = finiteOrSilence(inRight[i]) + kDenormalGuard;
    magnitude[i] = largerMagnitude(left[i], right[i]);
  }
}

// The louder magnitude of each pair of frames.
template <class L>
LANES_INLINE void louderOf(const double *left, const double *right, double *magnitude, int frames) {
  using D = typename L::Doubles;
  int i = 0;
  for (; i + L::size <= frames; i += L::size)
    storeLanes(magnitude + i, largerMagnitude<L>(loadLanes<D>(left + i), loadLanes<D>(right + i)));
  for (; i < frames; ++i)
    magnitude[i] = largerMagnitude(left[i], right[i]);
}

// Delayed frames times gain and output gain, for `count` frames from `i` on (a multiple of the
// width); the louder magnitude of each output pair.
template <class L, bool SoftKnee>
LANES_INLINE void gainsOver(const CompressorSettings &s, const double *envelope,
                            const double *delayedLeft, const double *delayedRight, float *outLeft,
                            float *outRight, double *magnitude, int from, int to) {
  using D = typename L::Doubles;
  // Logarithms, gains and outputs come in passes of their own: each pass then has a short chain
  // of dependent instructions per vector, and the processor keeps many vectors in flight.
  alignas(32) double logEnvelope[kProcessingChunk];
  for (int i = from; i < to; i += L::size)
    storeLanes(logEnvelope + i, logLanes<L>(loadLanes<D>(envelope + i)));
  const GainLanes<L> k(s);
  alignas(32) double gains[kProcessingChunk];
  for (int i = from; i < to; i += L::size)
    storeLanes(gains + i,
               gainsFor<L, SoftKnee>(loadLanes<D>(envelope + i), loadLanes<D>(logEnvelope + i), k));
  for (int i = from; i < to; i += L::size) {
    const D g = loadLanes<D>(gains + i) * s.outputGain;
    const D l = saturated<L>(loadLanes<D>(delayedLeft + i) * g);
    const D r = saturated<L>(loadLanes<D>(delayedRight + i) * g);
    storeFloats<L>(outLeft + i, l);
    storeFloats<L>(outRight + i, r);
    storeLanes(magnitude + i, largerMagnitude<L>(l, r));
  }
}

template <class L, bool SoftKnee>
LANES_INLINE void applyGains(const CompressorSettings &s, const double *envelope,
                             const double *delayedLeft, const double *delayedRight, float *outLeft,
                             float *outRight, double *magnitude, int frames) {
  const int wide = frames / L::size * L::size;
  gainsOver<L, SoftKnee>(s, envelope, delayedLeft, delayedRight, outLeft, outRight, magnitude, 0,
                         wide);
  const int pairs = frames / 2 * 2;
  gainsOver<Lanes2, SoftKnee>(s, envelope, delayedLeft, delayedRight, outLeft, outRight, magnitude,
                              wide, pairs);
  if (pairs < frames) {
    // A last frame on its own: both lanes carry it, one is kept.
    const int i = pairs;
    double e[2] = {envelope[i], envelope[i]};
    double l[2] = {delayedLeft[i], delayedLeft[i]};
    double r[2] = {delayedRight[i], delayedRight[i]};
    float outL[2], outR[2];
    double m[2];
    gainsOver<Lanes2, SoftKnee>(s, e, l, r, outL, outR, m, 0, 2);
    outLeft[i] = outL[0];
    outRight[i] = outR[0];
    magnitude[i] = m[0];
  }
}

// The detector over a block of frames: the one chain from frame to frame.
template <class Choice>
LANES_INLINE void detectEnvelope(CompressorDetector &state, const TimeConstantPair &rmsPair,
                                 const TimeConstantPair &attackPair,
                                 const TimeConstantPair &releasePair, const double *levels,
                                 double *envelope, int n) {
  const SmootherLanes rmsInput = bothLanes(rmsPair.input), rmsState = bothLanes(rmsPair.state);
  SmootherLanes meanSquare = bothLanes(state.meanSquare), rms = bothLanes(state.rms);
  SwitchedSmoother<Choice> smoother(attackPair, releasePair, state.activePair, state.envelope);
  // Attack while the level rises above the envelope, release while it falls below it.
  const auto frame = [&](int i, auto step) LANES_LAMBDA_INLINE {
    const SmootherLanes t = bothLanes(levels[i]);
    meanSquare = (rmsInput * (t * t) + rmsState * meanSquare) + kDenormalGuard;
    const SmootherLanes nextRms = (SmootherLanes)_mm_sqrt_pd((__m128d)meanSquare);
    envelope[i] = step(nextRms, rms);
    rms = nextRms;
  };
  int i = 0;
  for (; i < n && !smoother.settled(); ++i)
    frame(i, [&](SmootherLanes in, SmootherLanes previous)
                 LANES_LAMBDA_INLINE { return smoother.stepFromOtherWeights(in, previous); });
  for (; i < n; ++i)
    frame(i, [&](SmootherLanes in, SmootherLanes previous)
                 LANES_LAMBDA_INLINE { return smoother.step(in, previous); });
  state.meanSquare = meanSquare[0];
  state.rms = rms[0];
  state.envelope = smoother.envelope();
  state.activePair = smoother.activePair();
}

// The vector passes at both widths. The four-lane ones are compiled for AVX2 and only called
// where the processor has it; both widths compute the same bits.
struct NarrowPasses : NarrowMeterPass {
  static void detect(CompressorDetector &d, const TimeConstantPair &rms,
                     const TimeConstantPair &attack, const TimeConstantPair &release,
                     const double *levels, double *envelope, int n) {
    detectEnvelope<ChooseByBits>(d, rms, attack, release, levels, envelope, n);
  }
  static void louder(const double *l, const double *r, double *m, int n) {
    louderOf<Lanes2>(l, r, m, n);
  }
  static void guard(const float *inL, const float *inR, double *l, double *r, double *m, int n) {
    guardInputs<Lanes2>(inL, inR, l, r, m, n);
  }
  template <bool SoftKnee>
  static void gains(const CompressorSettings &s, const double *e, const double *l, const double *r,
                    float *outL, float *outR, double *m, int n) {
    applyGains<Lanes2, SoftKnee>(s, e, l, r, outL, outR, m, n);
  }
};
struct WidePasses : WideMeterPass {
  __attribute__((target("avx2"))) static void
  detect(CompressorDetector &d, const TimeConstantPair &rms, const TimeConstantPair &attack,
         const TimeConstantPair &release, const double *levels, double *envelope, int n) {
    detectEnvelope<ChooseByConditional>(d, rms, attack, release, levels, envelope, n);
  }
  __attribute__((target("avx2"))) static void louder(const double *l, const double *r, double *m,
                                                     int n) {
    louderOf<Lanes4>(l, r, m, n);
  }
  __attribute__((target("avx2"))) static void guard(const float *inL, const float *inR, double *l,
                                                    double *r, double *m, int n) {
    guardInputs<Lanes4>(inL, inR, l, r, m, n);
  }
  template <bool SoftKnee>
  __attribute__((target("avx2"))) static void gains(const CompressorSettings &s, const double *e,
                                                    const double *l, const double *r, float *outL,
                                                    float *outR, double *m, int n) {
    applyGains<Lanes4, SoftKnee>(s, e, l, r, outL, outR, m, n);
  }
};

} // namespace

CompressorProcessor::CompressorProcessor(int delayLength)
    : delay(samplesFor(kDelayMs, kMaxSampleRate)), wideLanes(processorHasAvx2()) {
  delay.reset(delayLength);
}

void CompressorProcessor::useWideLanes(bool wide) { wideLanes = wide && processorHasAvx2(); }

void CompressorProcessor::reset(int delayLength) {
  state = CompressorDetector{};
  delay.reset(delayLength);
  shownInput = 0.0;
  shownOutput = 0.0;
  lamp = 0.0f;
}

void CompressorProcessor::clearDelay(int delayLength) { delay.reset(delayLength); }

void CompressorProcessor::process(const CompressorSettings &settings, const float *inLeft,
                                  const float *inRight, float *outLeft, float *outRight,
                                  int frames) {
  if (frames <= 0)
    return;
  if (settings.delayLength != delay.length())
    delay.reset(settings.delayLength);
  // One loop per knee and detector source keeps both choices out of the frame.
  if (settings.softKnee) {
    if (settings.lookAhead)
      run<true, true>(settings, inLeft, inRight, outLeft, outRight, frames);
    else
      run<true, false>(settings, inLeft, inRight, outLeft, outRight, frames);
  } else {
    if (settings.lookAhead)
      run<false, true>(settings, inLeft, inRight, outLeft, outRight, frames);
    else
      run<false, false>(settings, inLeft, inRight, outLeft, outRight, frames);
  }
}

template <bool SoftKnee, bool LookAhead>
void CompressorProcessor::run(const CompressorSettings &s, const float *inLeft,
                              const float *inRight, float *outLeft, float *outRight, int frames) {
  if (wideLanes)
    runWith<WidePasses, SoftKnee, LookAhead>(s, inLeft, inRight, outLeft, outRight, frames);
  else
    runWith<NarrowPasses, SoftKnee, LookAhead>(s, inLeft, inRight, outLeft, outRight, frames);
}

template <class Passes, bool SoftKnee, bool LookAhead>
void CompressorProcessor::runWith(const CompressorSettings &s, const float *inLeft,
                                  const float *inRight, float *outLeft, float *outRight,
                                  int frames) {
  CompressorDetector d = state;
  const TimeConstantPair rmsPair = s.rmsPair;
  const TimeConstantPair attackPair = s.attackPair;
  const TimeConstantPair releasePair = s.releasePair;

  // Only the detector is a chain from frame to frame. Everything else runs over short blocks,
  // several frames per instruction, so a frame costs little more than its place in that chain.
  alignas(32) double xL[kProcessingChunk], xR[kProcessingChunk];
  alignas(32) double dL[kProcessingChunk], dR[kProcessingChunk];
  alignas(32) double envelope[kProcessingChunk];
  alignas(32) double inputMagnitude[kProcessingChunk], outputMagnitude[kProcessingChunk];
  alignas(32) double delayedMagnitude[kProcessingChunk];
  // No frame of a block may be read back from the delay lines within that block.
  const int chunk = std::min(kProcessingChunk, delay.length() - 1);
  for (int start = 0; start < frames; start += chunk) {
    const int n = std::min(chunk, frames - start);
    Passes::guard(inLeft + start, inRight + start, xL, xR, inputMagnitude, n);
    delay.writeAndTapBlock(xL, xR, dL, dR, n);

    // The detector hears the louder channel of the input, or of the delayed signal.
    if (!LookAhead)
      Passes::louder(dL, dR, delayedMagnitude, n);
    const double *levels = LookAhead ? inputMagnitude : delayedMagnitude;
    Passes::detect(d, rmsPair, attackPair, releasePair, levels, envelope, n);

    Passes::template gains<SoftKnee>(s, envelope, dL, dR, outLeft + start, outRight + start,
                                     outputMagnitude, n);
    Passes::meter(meters, inputMagnitude, outputMagnitude, n, s.meterLength, shownInput,
                  shownOutput);
  }
  state = d;
  lamp = compressingAt(d.envelope, s);
}
