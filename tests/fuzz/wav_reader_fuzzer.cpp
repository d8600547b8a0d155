// The render tool's WAV reader on hostile files: it refuses with a reason or gives audio that is
// sane and survives being written and read again unchanged.
#include <algorithm>
#include <cmath>

#include "fuzz_check.h"
#include "seed_corpus.h"
#include "wav_file.h"
#include "wav_seeds.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  writeSeedsIfAsked(*argc, *argv, wavSeeds);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  WavAudio audio;
  std::string error;
  if (!parseWav(std::vector<std::uint8_t>(data, data + size), audio, error)) {
    fuzzCheck(!error.empty(), "a refused file comes with a reason");
    return 0;
  }
  fuzzCheck(audio.channels == 1 || audio.channels == 2, "audio is mono or stereo");
  fuzzCheck(audio.sampleRate > 0, "audio has a sample rate");
  fuzzCheck(audio.samples.size() == audio.frames() * audio.channels,
            "the samples are whole frames");
  fuzzCheck(std::all_of(audio.samples.begin(), audio.samples.end(),
                        [](double x) { return std::isfinite(x); }),
            "every sample read is finite");
  const bool isFloat =
      audio.format == SampleFormat::float32 || audio.format == SampleFormat::float64;
  if (!isFloat)
    fuzzCheck(std::all_of(audio.samples.begin(), audio.samples.end(),
                          [](double x) { return x >= -1.0 && x < 1.0; }),
              "integer samples are scaled to -1..1");

  WavAudio again;
  fuzzCheck(parseWav(encodeWav(audio), again, error), "what the writer writes the reader reads");
  fuzzCheck(again.format == audio.format && again.channels == audio.channels &&
                again.sampleRate == audio.sampleRate && again.samples == audio.samples,
            "writing and reading again gives the same audio");
  fuzzCheck(!audio.extensible || (again.extensible && again.channelMask == audio.channelMask),
            "an extensible header keeps its speakers");
  return 0;
}
