// Two ring buffers of doubles, allocated once for the largest supported length, whose output is
// read `length - 1` samples behind the write position.
#pragma once

#include <algorithm>
#include <vector>

class StereoDelayLine {
public:
  explicit StereoDelayLine(int capacity) : left(capacity, 0.0), right(capacity, 0.0) {}

  int capacity() const { return static_cast<int>(left.size()); }
  int length() const { return slots; }
  // The delay in samples between writing a frame and reading it back.
  int tap() const { return slots - 1; }

  // Audio thread only. Clears the lines and restarts at slot 0.
  void reset(int newLength) {
    slots = std::clamp(newLength, 1, capacity());
    std::fill(left.begin(), left.end(), 0.0);
    std::fill(right.begin(), right.end(), 0.0);
    position = 0;
  }

  // The per-frame step: store the frame, read the one `tap()` frames old, advance.
  struct Cursor {
    double *left;
    double *right;
    int length;
    int position;

    void writeAndTap(double inLeft, double inRight, double &outLeft, double &outRight) {
      left[position] = inLeft;
      right[position] = inRight;
      int read = position - (length - 1);
      if (read < 0)
        read += length;
      outLeft = left[read];
      outRight = right[read];
      if (++position == length)
        position = 0;
    }
  };
  Cursor cursor() { return {left.data(), right.data(), slots, position}; }
  void store(const Cursor &c) { position = c.position; }

private:
  std::vector<double> left;
  std::vector<double> right;
  int slots = 1;
  int position = 0;
};
