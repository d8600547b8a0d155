// The compressor's audio path: look-ahead delay, RMS detector, attack/release envelope, gain
// and meters. Everything here belongs to the audio thread.
#pragma once

#include "compressor_settings.h"
#include "dsp/peak_meters.h"
#include "dsp/stereo_delay_line.h"
#include "dsp/time_constant_pair.h"

// Detector state carried from one block to the next.
struct CompressorDetector {
  double meanSquare = 0.0;
  double rms = 0.0;
  double envelope = 0.0;
  TimeConstantPair activePair; // (0, 0) after a reset, so the first frame picks attack
};

class CompressorProcessor {
public:
  explicit CompressorProcessor(int delayLength);

  // Clears the detector, the delay lines and the shown readings; the meter windows run on.
  void reset(int delayLength);
  // Empties the delay lines, as after a change of sample rate.
  void clearDelay(int delayLength);

  // Frames <= 0 process nothing. Outputs may be the inputs.
  void process(const CompressorSettings &settings, const float *inLeft, const float *inRight,
               float *outLeft, float *outRight, int frames);

  double inputMeter() const { return shownInput; }
  double outputMeter() const { return shownOutput; }
  float compressing() const { return lamp; }
  const CompressorDetector &detector() const { return state; }
  int delayLength() const { return delay.length(); }
  const StereoDelayLine &delayLine() const { return delay; }
  const MeterWindow &meterWindow() const { return meters; }

  // Whether the vector passes run four lanes wide (AVX2) or two (SSE2); the results are the
  // same bits. Chosen from the processor at construction.
  bool usesWideLanes() const { return wideLanes; }
  void useWideLanes(bool wide);

private:
  template <bool SoftKnee, bool LookAhead>
  void run(const CompressorSettings &settings, const float *inLeft, const float *inRight,
           float *outLeft, float *outRight, int frames);
  template <class Passes, bool SoftKnee, bool LookAhead>
  void runWith(const CompressorSettings &settings, const float *inLeft, const float *inRight,
               float *outLeft, float *outRight, int frames);

  StereoDelayLine delay;
  CompressorDetector state;
  MeterWindow meters;
  double shownInput = 0.0;
  double shownOutput = 0.0;
  float lamp = 0.0f;
  bool wideLanes;
};

// Frames per pass of the audio path.
constexpr int kProcessingChunk = 64;
