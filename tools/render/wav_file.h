// Reading and writing the WAV files the render tool works on: PCM 16, 24 and 32 bit, float 32 and
// 64 bit, plain or extensible headers, one or two channels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SampleFormat { pcm16, pcm24, pcm32, float32, float64 };

struct WavAudio {
  SampleFormat format = SampleFormat::float32;
  int channels = 2;
  std::uint32_t sampleRate = 44100;
  // Interleaved samples; integer formats are scaled to -1..1 (full scale 2^(bits-1)).
  std::vector<double> samples;

  std::size_t frames() const { return channels ? samples.size() / channels : 0; }
};

int bitsPerSample(SampleFormat format);
std::string formatName(SampleFormat format);

// False with a one-line reason in `error` for anything that is not a supported WAV file.
bool parseWav(const std::vector<std::uint8_t> &bytes, WavAudio &audio, std::string &error);
bool readWavFile(const std::string &path, WavAudio &audio, std::string &error);

// Samples beyond full scale are clipped in the integer formats.
std::vector<std::uint8_t> encodeWav(const WavAudio &audio);
// Writes to a temporary file beside `path` and renames it only when everything was written, so a
// failure never leaves a partial or overwritten file.
bool writeWavFile(const std::string &path, const WavAudio &audio, std::string &error);
