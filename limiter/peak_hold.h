// The detector's peak hold: a new maximum is taken at once and held for the length of the
// history; when the hold runs out, the largest value still in the history takes its place.
#pragma once

#include <algorithm>
#include <emmintrin.h>
#include <vector>

#include "dsp/peak_meters.h"

class PeakHold {
public:
  // The history is allocated once for the largest length it will be given.
  explicit PeakHold(int capacity) : history(std::max(capacity, 1), 0.0) {}

  int capacity() const { return static_cast<int>(history.size()); }
  int length() const { return slots; }
  double peak() const { return held; }
  // Every slot, used or not.
  const std::vector<double> &values() const { return history; }

  // A new length: the history starts empty and the countdown is kept within it.
  void resize(int newLength) {
    slots = std::clamp(newLength, 1, capacity());
    std::fill(history.begin(), history.begin() + slots, 0.0);
    position = 0;
    holdCount = std::min(holdCount, slots);
  }

  // Forget the held peak but keep the history's values, which are overwritten as processing goes.
  void restart() {
    held = 0.0;
    position = 0;
    holdCount = slots;
  }

  // The per-frame step with its state in locals; see cursor() and store().
  struct Cursor {
    double *history;
    int length;
    int position;
    int holdCount;
    double peak;

    // One detector value in; the held peak after it out. A new maximum is a selection, not a
    // jump: levels of noise turn too often for a jump to be guessed right.
    double step(double value) {
      history[position] = value;
      if (__builtin_expect(holdCount == 0, 0)) {
        // The history includes the new value, so this also covers a new maximum.
        peak = largest();
        holdCount = length;
      } else {
        holdCount = value > peak ? length : holdCount - 1;
        // maxsd picks the first operand only when it is larger, as a new maximum is taken.
        peak = _mm_cvtsd_f64(_mm_max_sd(_mm_set_sd(value), _mm_set_sd(peak)));
      }
      position = position + 1 == length ? 0 : position + 1;
      return peak;
    }

    // Runs at most once per length + 1 frames.
    double largest() const { return largestOf(history, length, 0.0); }
  };

  Cursor cursor() { return {history.data(), slots, position, holdCount, held}; }
  void store(const Cursor &c) {
    position = c.position;
    holdCount = c.holdCount;
    held = c.peak;
  }

private:
  std::vector<double> history;
  int slots = 1;
  int position = 0;
  int holdCount = 0;
  double held = 0.0;
};
