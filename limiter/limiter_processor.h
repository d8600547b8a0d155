// The limiter's signal path and its running state. Audio thread only: the settings arrive whole
// from the parameter side, and nothing here allocates, locks or calls the system.
#pragma once

#include "dsp/peak_meters.h"
#include "dsp/stereo_delay_line.h"
#include "dsp/time_constant_pair.h"
#include "limiter_settings.h"
#include "peak_hold.h"
#include "soft_knee_table.h"

// The detector's state carried from one block to the next.
struct LimiterDetector {
  PeakHold::Cursor held;
  TimeConstantPair active;
  double envelope;
};

class LimiterProcessor {
public:
  // Frames per pass of the signal path.
  static constexpr int kChunk = 64;

  // Buffers for the largest supported sample rate, so a rate change never reallocates.
  LimiterProcessor();

  // Brings the delay lines and the peak history to the settings' lengths; a changed length
  // starts that buffer empty.
  void follow(const LimiterSettings &settings);
  // Running state back to silence; the peak history keeps its values.
  void reset();
  void process(const LimiterSettings &settings, const float *inLeft, const float *inRight,
               float *outLeft, float *outRight, int frames);

  // What the last frame showed: the meter windows' peaks and whether gain was being reduced.
  double inputMeter() const { return shownInput; }
  double outputMeter() const { return shownOutput; }
  float limiting() const { return lamp; }

  // The running state, for tests.
  const StereoDelayLine &delayLine() const { return delay; }
  const PeakHold &peakHold() const { return hold; }
  const MeterWindow &meters() const { return meterWindow; }
  const TimeConstantPair &envelopePair() const { return activePair; }
  double envelopeLevel() const { return envelope; }

  // Whether the block passes run four lanes wide (AVX2) or two (SSE2); the results are the same
  // bits. Chosen from the processor at construction.
  bool usesWideLanes() const { return wideLanes; }
  void useWideLanes(bool wide);

private:
  // The loop once per knee, so that the choice is not made again for every frame.
  template <bool SoftKnee>
  void run(const LimiterSettings &settings, const float *inLeft, const float *inRight,
           float *outLeft, float *outRight, int frames);
  template <class Passes, bool SoftKnee>
  void runWith(const LimiterSettings &settings, const float *inLeft, const float *inRight,
               float *outLeft, float *outRight, int frames);

  StereoDelayLine delay;
  PeakHold hold;
  const SoftKneeTable &softKnee;
  MeterWindow meterWindow;
  TimeConstantPair activePair;
  double envelope = 0.0;
  double shownInput = 0.0;
  double shownOutput = 0.0;
  float lamp = 0.0f;
  bool wideLanes;
};
