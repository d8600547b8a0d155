#include "wav_seeds.h"

#include <cmath>

#include "wav_file.h"

namespace {

// The writer's layout: RIFF header, a 16-byte format chunk, then the data chunk.
constexpr std::size_t kFormatChunk = 12;
constexpr std::size_t kDataChunk = 36;

WavAudio shortAudio(SampleFormat format, int channels) {
  WavAudio audio;
  audio.format = format;
  audio.channels = channels;
  audio.sampleRate = 44100;
  for (int i = 0; i < 6 * channels; ++i)
    audio.samples.push_back(i == 0 ? -1.0 : std::sin(i * 0.9) * 0.75);
  return audio;
}

void put(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void insertChunk(std::vector<std::uint8_t> &bytes, std::size_t at, const char *id,
                 std::vector<std::uint8_t> body) {
  std::vector<std::uint8_t> chunk(id, id + 4);
  for (int i = 0; i < 4; ++i)
    chunk.push_back(static_cast<std::uint8_t>(body.size() >> (8 * i)));
  chunk.insert(chunk.end(), body.begin(), body.end());
  if (body.size() % 2)
    chunk.push_back(0);
  bytes.insert(bytes.begin() + at, chunk.begin(), chunk.end());
}

// The same audio with the extensible form of the format chunk.
std::vector<std::uint8_t> extensible(const WavAudio &audio) {
  std::vector<std::uint8_t> bytes = encodeWav(audio);
  std::vector<std::uint8_t> format(bytes.begin() + kFormatChunk + 8, bytes.begin() + kDataChunk);
  const std::uint8_t plainTag = format[0];
  format[0] = 0xFE;
  format[1] = 0xFF;
  format.resize(40, 0);
  format[16] = 22; // the extension's size
  format[18] = static_cast<std::uint8_t>(bitsPerSample(audio.format));
  format[24] = plainTag;
  bytes.erase(bytes.begin() + kFormatChunk, bytes.begin() + kDataChunk);
  insertChunk(bytes, kFormatChunk, "fmt ", format);
  put(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8), 4);
  return bytes;
}

// A chunk of odd size before the audio, padded as the format wants.
std::vector<std::uint8_t> withListChunk(const WavAudio &audio) {
  std::vector<std::uint8_t> bytes = encodeWav(audio);
  insertChunk(bytes, kDataChunk, "LIST", {'I', 'N', 'F', 'O', 'x'});
  put(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8), 4);
  return bytes;
}

} // namespace

SeedCorpus wavSeeds() {
  SeedCorpus seeds;
  for (SampleFormat format : {SampleFormat::pcm16, SampleFormat::pcm24, SampleFormat::pcm32,
                              SampleFormat::float32, SampleFormat::float64})
    for (int channels : {1, 2})
      seeds.push_back(encodeWav(shortAudio(format, channels)));
  seeds.push_back(extensible(shortAudio(SampleFormat::pcm24, 2)));
  seeds.push_back(extensible(shortAudio(SampleFormat::float32, 1)));
  seeds.push_back(withListChunk(shortAudio(SampleFormat::pcm16, 2)));
  return seeds;
}
