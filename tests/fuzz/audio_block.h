// One block of stereo audio as a host hands it to a processing entry, decoded from the fuzz
// input: exactly sized channel buffers, separate from the outputs or shared with them.
#pragma once

#include <memory>

#include "fuzz_bytes.h"
#include "host_script.h"

class AudioBlock {
public:
  // Reads frames, layout and both signals. `largest` is the block size the host announced.
  AudioBlock(FuzzBytes &in, int largest, bool replacing);

  int frames() const { return count; }
  float **inputs() { return in; }
  float **outputs() { return out; }

  // Aborts when a block of finite samples gave a sample that is not finite, or left an output
  // unwritten (the outputs of a replacing call start as NaN).
  void checkOutputs() const;
  // The block's size, layout and input range on stderr.
  void trace(const char *entry) const;

private:
  void readSignal(FuzzBytes &bytes, float *samples);

  int count;
  std::unique_ptr<float[]> buffers[4];
  float *in[2];
  float *out[2];
  bool finiteInput = true;
};
