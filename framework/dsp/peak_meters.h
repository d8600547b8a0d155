// Input and output peak meters over windows of a fixed number of frames, published for an
// editor that reads them from another thread.
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>

#include "vector_lanes.h"

// The largest of `count` values, at least `floor`. Peaks are positive, so the order of the
// comparisons does not matter: two vectors of lanes run side by side.
template <class L = Lanes2>
LANES_INLINE double largestOf(const double *values, int count, double floor) {
  using D = typename L::Doubles;
  D a = broadcast<L>(floor);
  D b = a;
  int i = 0;
  for (; i + 2 * L::size <= count; i += 2 * L::size) {
    const D x = loadLanes<D>(values + i), y = loadLanes<D>(values + i + L::size);
    a = x > a ? x : a;
    b = y > b ? y : b;
  }
  a = b > a ? b : a;
  double largest = floor;
  for (int k = 0; k < L::size; ++k)
    largest = a[k] > largest ? a[k] : largest;
  for (; i < count; ++i)
    largest = values[i] > largest ? values[i] : largest;
  return largest;
}

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

  // add() for a block of frames; the shown values are those after its last frame. Four lanes
  // wide only inside code compiled for AVX2.
  template <class L = Lanes2>
  LANES_INLINE void addBlock(const double *inputMagnitudes, const double *outputMagnitudes,
                             int frames, int length, double &shownInput, double &shownOutput) {
    for (int done = 0; done < frames;) {
      // Frames up to and including the one that restarts the window.
      const int n = std::min(frames - done, std::max(length + 1 - count, 1));
      inputPeak = largestOf<L>(inputMagnitudes + done, n, inputPeak);
      outputPeak = largestOf<L>(outputMagnitudes + done, n, outputPeak);
      shownInput = inputPeak;
      shownOutput = outputPeak;
      count += n;
      if (count > length) {
        inputPeak = 0.0;
        outputPeak = 0.0;
        count = 0;
      }
      done += n;
    }
  }
};

// The meter windows' pass at both widths, for the block passes of either plug-in: four lanes
// only where the processor has AVX2.
struct NarrowMeterPass {
  static void meter(MeterWindow &window, const double *in, const double *out, int n, int length,
                    double &shownIn, double &shownOut) {
    window.addBlock<Lanes2>(in, out, n, length, shownIn, shownOut);
  }
};
struct WideMeterPass {
  __attribute__((target("avx2"))) static void meter(MeterWindow &window, const double *in,
                                                    const double *out, int n, int length,
                                                    double &shownIn, double &shownOut) {
    window.addBlock<Lanes4>(in, out, n, length, shownIn, shownOut);
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
