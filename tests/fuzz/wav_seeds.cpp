#include "wav_seeds.h"

#include <cmath>

#include "wav_file.h"

namespace {

// The writer's layout for PCM 16: RIFF header, a 16-byte format chunk, then the data chunk.
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

// A file of 8-bit codes (unsigned PCM, A-law or mu-law) in the plain layout.
std::vector<std::uint8_t> eightBit(std::uint16_t tag, int channels) {
  std::vector<std::uint8_t> bytes = encodeWav(shortAudio(SampleFormat::pcm16, channels));
  bytes.resize(kDataChunk + 8);
  for (int i = 0; i < 6 * channels; ++i)
    bytes.push_back(static_cast<std::uint8_t>(i * 41));
  put(bytes, kFormatChunk + 8, tag, 2);
  put(bytes, kFormatChunk + 16, 44100 * channels, 4); // bytes per second
  put(bytes, kFormatChunk + 20, channels, 2);         // block alignment
  put(bytes, kFormatChunk + 22, 8, 2);
  put(bytes, kDataChunk + 4, 6 * channels, 4);
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
  for (SampleFormat format : {SampleFormat::pcm16, SampleFormat::float32}) {
    WavAudio audio = shortAudio(format, 1);
    audio.extensible = true;
    audio.channelMask = 0x4;
    seeds.push_back(encodeWav(audio));
  }
  for (std::uint16_t tag : {1, 6, 7})
    seeds.push_back(eightBit(tag, 2));
  seeds.push_back(withListChunk(shortAudio(SampleFormat::pcm16, 2)));
  return seeds;
}
