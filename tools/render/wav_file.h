// Reading and writing the WAV files the render tool works on: PCM 16, 24 and 32 bit, float 32 and
// 64 bit, plain or extensible headers, one or two channels. The reader also takes 8-bit unsigned
// PCM, A-law and mu-law, which the writer does not produce.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SampleFormat { pcm16, pcm24, pcm32, float32, float64 };

// How a file that was read stored its samples, when the writer cannot store them that way. Such
// files are read as pcm16, which holds every value these encodings have exactly.
enum class StoredEncoding { asFormat, unsigned8, aLaw, muLaw };

struct WavAudio {
  SampleFormat format = SampleFormat::float32;
  int channels = 2;
  std::uint32_t sampleRate = 44100;
  StoredEncoding stored = StoredEncoding::asFormat;
  // The extensible header, which also names the speaker of each channel. The writer uses it when
  // this is set, and for PCM deeper than 16 bits in any case (with the usual speakers).
  bool extensible = false;
  std::uint32_t channelMask = 0;
  // Interleaved samples; integer formats are scaled to -1..1 (full scale 2^(bits-1)).
  std::vector<double> samples;

  std::size_t frames() const { return channels ? samples.size() / channels : 0; }
};

int bitsPerSample(SampleFormat format);
std::string formatName(SampleFormat format);
// "A-law 8 bit" and so on; formatName's for asFormat.
std::string encodingName(const WavAudio &audio);

// Gives `output` the header `input` came with, so that an extensible input gives an extensible
// output. The speakers are kept while the channel count is the same.
void keepHeaderOf(const WavAudio &input, WavAudio &output);

// False with a one-line reason in `error` for anything that is not a supported WAV file.
bool parseWav(const std::vector<std::uint8_t> &bytes, WavAudio &audio, std::string &error);
bool readWavFile(const std::string &path, WavAudio &audio, std::string &error);

// Samples beyond full scale are clipped in the integer formats.
std::vector<std::uint8_t> encodeWav(const WavAudio &audio);
// Writes to a temporary file beside `path` and renames it only when everything was written, so a
// failure never leaves a partial or overwritten file.
bool writeWavFile(const std::string &path, const WavAudio &audio, std::string &error);
