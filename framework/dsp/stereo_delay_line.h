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
  // Every slot, used or not, for tests that inspect what the lines hold.
  const std::vector<double> &leftSlots() const { return left; }
  const std::vector<double> &rightSlots() const { return right; }

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

  // Audio thread only. Cursor::writeAndTap for `frames` frames at once, 0 < frames < length():
  // the frames come out before the block is stored, so no frame of the block is read back.
  void writeAndTapBlock(const double *inLeft, const double *inRight, double *outLeft,
                        double *outRight, int frames) {
    // The frame `tap()` behind the write position sits one slot ahead of it.
    const int read = position + 1 == slots ? 0 : position + 1;
    const int firstRead = std::min(frames, slots - read);
    std::copy_n(left.data() + read, firstRead, outLeft);
    std::copy_n(right.data() + read, firstRead, outRight);
    std::copy_n(left.data(), frames - firstRead, outLeft + firstRead);
    std::copy_n(right.data(), frames - firstRead, outRight + firstRead);
    const int firstWrite = std::min(frames, slots - position);
    std::copy_n(inLeft, firstWrite, left.data() + position);
    std::copy_n(inRight, firstWrite, right.data() + position);
    std::copy_n(inLeft + firstWrite, frames - firstWrite, left.data());
    std::copy_n(inRight + firstWrite, frames - firstWrite, right.data());
    position = (position + frames) % slots;
  }
  void store(const Cursor &c) { position = c.position; }

private:
  std::vector<double> left;
  std::vector<double> right;
  int slots = 1;
  int position = 0;
};
