// Input and output peak meters over windows of a fixed number of frames, published for an
// editor that reads them from another thread.
#pragma once

#include <atomic>
#include <cmath>

struct MeterWindow {
  double inputPeak = 0.0;
  double outputPeak = 0.0;
  int count = 0;

  // One frame: the magnitudes seen, then restart after `length` + 1 frames. Returns the peaks
  // as they stood before any restart, which is what the meters show for this frame.
  void add(double inputMagnitude, double outputMagnitude, int length, double &shownInput,
           double &shownOutput) {
    if (inputMagnitude > inputPeak)
      inputPeak = inputMagnitude;
    if (outputMagnitude > outputPeak)
      outputPeak = outputMagnitude;
    shownInput = inputPeak;
    shownOutput = outputPeak;
    if (++count > length) {
      inputPeak = 0.0;
      outputPeak = 0.0;
      count = 0;
    }
  }
};

// What the editor reads: written once per block by the audio thread.
struct PublishedMeters {
  std::atomic<double> input{0.0};
  std::atomic<double> output{0.0};
  std::atomic<float> lamp{0.0f};

  void publish(double in, double out, float lampValue) {
    input.store(in, std::memory_order_relaxed);
    output.store(out, std::memory_order_relaxed);
    lamp.store(lampValue, std::memory_order_relaxed);
  }
  void clear() { publish(0.0, 0.0, 0.0f); }
};
