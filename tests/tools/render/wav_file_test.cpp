#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "wav_file.h"

namespace {

WavAudio sampleAudio(SampleFormat format, int channels) {
  WavAudio audio;
  audio.format = format;
  audio.channels = channels;
  audio.sampleRate = 48000;
  const int bits = bitsPerSample(format);
  const bool isFloat = format == SampleFormat::float32 || format == SampleFormat::float64;
  const double full = std::ldexp(1.0, bits - 1);
  for (int i = 0; i < 1000 * channels; ++i) {
    const double x = std::sin(i * 0.37) * 1.2;
    if (isFloat)
      audio.samples.push_back(format == SampleFormat::float32 ? static_cast<float>(x) : x);
    else // values the format holds exactly, including both extremes
      audio.samples.push_back(i == 0   ? -1.0
                              : i == 1 ? (full - 1) / full
                                       : std::nearbyint(std::clamp(x, -1.0, 0.99) * full) / full);
  }
  return audio;
}

TEST(WavFile, EveryFormatRoundTripsBitExactly) {
  for (SampleFormat format : {SampleFormat::pcm16, SampleFormat::pcm24, SampleFormat::pcm32,
                              SampleFormat::float32, SampleFormat::float64})
    for (int channels : {1, 2}) {
      SCOPED_TRACE(formatName(format) + ", " + std::to_string(channels) + " channels");
      const WavAudio audio = sampleAudio(format, channels);
      const std::vector<std::uint8_t> bytes = encodeWav(audio);
      WavAudio back;
      std::string error;
      ASSERT_TRUE(parseWav(bytes, back, error)) << error;
      EXPECT_EQ(back.format, format);
      EXPECT_EQ(back.channels, channels);
      EXPECT_EQ(back.sampleRate, 48000u);
      EXPECT_EQ(back.samples, audio.samples);
      EXPECT_EQ(encodeWav(back), bytes);
    }
}

TEST(WavFile, IntegerFormatsClipBeyondFullScale) {
  WavAudio audio;
  audio.format = SampleFormat::pcm16;
  audio.channels = 1;
  audio.samples = {2.0, -2.0, 0.5};
  WavAudio back;
  std::string error;
  ASSERT_TRUE(parseWav(encodeWav(audio), back, error));
  EXPECT_EQ(back.samples[0], 32767.0 / 32768.0);
  EXPECT_EQ(back.samples[1], -1.0);
  EXPECT_EQ(back.samples[2], 0.5);
}

// Rewrites the format chunk of a plain file as the extensible kind.
std::vector<std::uint8_t> asExtensible(const std::vector<std::uint8_t> &plain) {
  std::vector<std::uint8_t> out(plain.begin(), plain.begin() + 12);
  const std::uint8_t fmt[] = {'f', 'm', 't', ' ', 40, 0, 0, 0};
  out.insert(out.end(), fmt, fmt + 8);
  out.insert(out.end(), plain.begin() + 20, plain.begin() + 34); // tag .. block align
  out[20] = 0xFE;
  out[21] = 0xFF;
  out.insert(out.end(), plain.begin() + 34, plain.begin() + 36); // bits
  const std::uint8_t extension[] = {22, 0, 24, 0, 3, 0, 0, 0};
  out.insert(out.end(), extension, extension + 8);
  out.push_back(plain[20]); // sub-format: the plain tag, then the rest of the GUID
  out.push_back(plain[21]);
  const std::uint8_t guid[] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  out.insert(out.end(), guid, guid + 14);
  out.insert(out.end(), plain.begin() + 36, plain.end());
  return out;
}

TEST(WavFile, ExtensibleHeadersAndOtherChunksAreRead) {
  const WavAudio audio = sampleAudio(SampleFormat::pcm24, 2);
  std::vector<std::uint8_t> bytes = asExtensible(encodeWav(audio));
  // An odd-sized chunk before the data, padded to an even length.
  const std::uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  bytes.insert(bytes.begin() + 12 + 48, list, list + sizeof list);
  WavAudio back;
  std::string error;
  ASSERT_TRUE(parseWav(bytes, back, error)) << error;
  EXPECT_EQ(back.format, SampleFormat::pcm24);
  EXPECT_EQ(back.samples, audio.samples);
}

TEST(WavFile, MalformedOrUnsupportedFilesAreRefusedWithAReason) {
  const std::vector<std::uint8_t> good = encodeWav(sampleAudio(SampleFormat::pcm16, 2));
  std::string error;
  WavAudio audio;

  std::vector<std::uint8_t> bytes = good;
  bytes[0] = 'X';
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("not a WAV"), std::string::npos) << error;

  bytes.assign(good.begin(), good.end() - 100);
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("truncated data"), std::string::npos) << error;

  bytes.assign(good.begin(), good.begin() + 36);
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("no data chunk"), std::string::npos) << error;

  bytes = good;
  bytes[34] = 8; // 8-bit
  bytes[32] = 2;
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("PCM 8 bit"), std::string::npos) << error;

  bytes = good;
  bytes[22] = 3; // three channels
  bytes[32] = 6;
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("channel count 3"), std::string::npos) << error;

  bytes = good;
  bytes[20] = 2; // ADPCM
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("format tag 2"), std::string::npos) << error;

  EXPECT_FALSE(parseWav({}, audio, error));
}

TEST(WavFile, FloatSamplesThatAreNotNumbersAreRefused) {
  for (SampleFormat format : {SampleFormat::float32, SampleFormat::float64})
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
      WavAudio audio = sampleAudio(format, 2);
      audio.samples[7] = bad;
      WavAudio back;
      std::string error;
      EXPECT_FALSE(parseWav(encodeWav(audio), back, error));
      EXPECT_NE(error.find("sample 7 is not a finite number"), std::string::npos) << error;
      EXPECT_TRUE(back.samples.empty());
    }
}

// Sizes near 2^32 wrap when added to an offset in a 32-bit build.
TEST(WavFile, ChunkSizesPastTheEndAreRefusedWhateverTheWordSize) {
  const std::vector<std::uint8_t> good = encodeWav(sampleAudio(SampleFormat::pcm16, 1));
  const auto withSize = [](std::vector<std::uint8_t> bytes, std::size_t at, std::uint32_t size) {
    for (int i = 0; i < 4; ++i)
      bytes[at + i] = static_cast<std::uint8_t>(size >> (8 * i));
    return bytes;
  };
  WavAudio audio;
  std::string error;
  for (std::uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFD0u}) {
    EXPECT_FALSE(parseWav(withSize(good, 40, size), audio, error)) << size;
    EXPECT_NE(error.find("truncated data"), std::string::npos) << error;
    EXPECT_FALSE(parseWav(withSize(good, 16, size), audio, error)) << size;
    EXPECT_NE(error.find("truncated format"), std::string::npos) << error;
    // An unknown chunk before the audio that claims the rest of the address space.
    std::vector<std::uint8_t> bytes = good;
    const std::uint8_t junk[] = {'j', 'u', 'n', 'k', 0, 0, 0, 0};
    bytes.insert(bytes.begin() + 36, junk, junk + sizeof junk);
    EXPECT_FALSE(parseWav(withSize(bytes, 40, size), audio, error)) << size;
    EXPECT_NE(error.find("no data chunk"), std::string::npos) << error;
  }
}

TEST(WavFile, AFailedWriteLeavesNoFileAndASuccessfulOneReplacesTheOld) {
  std::string error;
  const WavAudio audio = sampleAudio(SampleFormat::float32, 2);
  EXPECT_FALSE(writeWavFile("no-such-folder/out.wav", audio, error));
  EXPECT_FALSE(std::ifstream("no-such-folder/out.wav.partial").good());

  const std::string path = "wav_file_test_out.wav";
  { std::ofstream(path) << "old content"; }
  ASSERT_TRUE(writeWavFile(path, audio, error)) << error;
  WavAudio back;
  ASSERT_TRUE(readWavFile(path, back, error)) << error;
  EXPECT_EQ(back.samples, audio.samples);
  EXPECT_FALSE(std::ifstream(path + ".partial").good());
  std::remove(path.c_str());
  EXPECT_FALSE(readWavFile(path, back, error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

} // namespace
