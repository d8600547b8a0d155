#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

#include "plain_wav_bytes.h"
#include "sample_codes.h"
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
  for (int i = 0; i < 1001 * channels; ++i) {
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

constexpr SampleFormat kAllFormats[] = {SampleFormat::pcm16, SampleFormat::pcm24,
                                        SampleFormat::pcm32, SampleFormat::float32,
                                        SampleFormat::float64};

// Every layout the writer has: plain and extensible, mono and stereo, an odd-sized data chunk.
TEST(WavFile, EveryFormatRoundTripsBitExactly) {
  for (SampleFormat format : kAllFormats)
    for (int channels : {1, 2})
      for (bool extensible : {false, true}) {
        SCOPED_TRACE(formatName(format) + ", " + std::to_string(channels) + " channels" +
                     (extensible ? ", extensible" : ""));
        WavAudio audio = sampleAudio(format, channels);
        audio.extensible = extensible;
        audio.channelMask = !extensible ? 0 : channels == 1 ? 0x100u : 0x30u;
        const std::vector<std::uint8_t> bytes = encodeWav(audio);
        WavAudio back;
        std::string error;
        ASSERT_TRUE(parseWav(bytes, back, error)) << error;
        EXPECT_EQ(back.format, format);
        EXPECT_EQ(back.stored, StoredEncoding::asFormat);
        EXPECT_EQ(back.channels, channels);
        EXPECT_EQ(back.sampleRate, 48000u);
        EXPECT_EQ(back.samples, audio.samples);
        EXPECT_EQ(back.extensible,
                  extensible || format == SampleFormat::pcm24 || format == SampleFormat::pcm32);
        if (extensible) {
          EXPECT_EQ(back.channelMask, audio.channelMask);
        }
        EXPECT_EQ(encodeWav(back), bytes);
      }
}

// The chunks of a RIFF file by name, after checking the sizes add up to the file's.
std::map<std::string, std::vector<std::uint8_t>> chunksOf(const std::vector<std::uint8_t> &bytes) {
  const auto read32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                      bytes[at + 3] << 24);
  };
  std::map<std::string, std::vector<std::uint8_t>> chunks;
  EXPECT_EQ(read32(4), bytes.size() - 8);
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::uint32_t size = read32(at + 4);
    const auto body = bytes.begin() + static_cast<std::ptrdiff_t>(at + 8);
    chunks[std::string(body - 8, body - 4)].assign(body, body + size);
    at += 8 + size + (size & 1);
  }
  EXPECT_EQ(at, bytes.size()) << "the last chunk ends the file";
  return chunks;
}

std::uint32_t field(const std::vector<std::uint8_t> &chunk, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value |= static_cast<std::uint32_t>(chunk.at(at + i)) << (8 * i);
  return value;
}

// What strict readers look for: float files carry an (empty) extension and a frame count, PCM
// deeper than 16 bits the extensible header, whose speakers and sub-format describe the audio.
TEST(WavFile, HeadersHaveTheStandardForm) {
  const std::uint8_t guidTail[] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  struct Case {
    SampleFormat format;
    int channels;
    bool extensible;
    std::uint32_t mask;
    std::uint32_t formatSize, tag, expectedMask;
    bool hasFact;
  };
  const Case cases[] = {
      {SampleFormat::pcm16, 2, false, 0, 16, 1, 0, false},
      {SampleFormat::float32, 2, false, 0, 18, 3, 0, true},
      {SampleFormat::float64, 1, false, 0, 18, 3, 0, true},
      {SampleFormat::pcm24, 2, false, 0, 40, 0xFFFE, 0x3, false},
      {SampleFormat::pcm32, 1, false, 0, 40, 0xFFFE, 0x4, false},
      {SampleFormat::pcm16, 2, true, 0x60, 40, 0xFFFE, 0x60, false},
      {SampleFormat::float32, 1, true, 0x100, 40, 0xFFFE, 0x100, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(formatName(c.format) + ", " + std::to_string(c.channels) + " channels" +
                 (c.extensible ? ", extensible" : ""));
    WavAudio audio = sampleAudio(c.format, c.channels);
    audio.extensible = c.extensible;
    audio.channelMask = c.mask;
    const auto chunks = chunksOf(encodeWav(audio));
    const std::vector<std::uint8_t> &fmt = chunks.at("fmt ");
    ASSERT_EQ(fmt.size(), c.formatSize);
    EXPECT_EQ(field(fmt, 0, 2), c.tag);
    const int bits = bitsPerSample(c.format);
    EXPECT_EQ(field(fmt, 8, 4), 48000u * c.channels * bits / 8) << "bytes per second";
    EXPECT_EQ(field(fmt, 12, 2), static_cast<std::uint32_t>(c.channels * bits / 8));
    if (c.formatSize >= 18) {
      EXPECT_EQ(field(fmt, 16, 2), c.formatSize - 18) << "the extension's size";
    }
    if (c.formatSize == 40) {
      EXPECT_EQ(field(fmt, 18, 2), static_cast<std::uint32_t>(bits)) << "valid bits";
      EXPECT_EQ(field(fmt, 20, 4), c.expectedMask);
      const bool isFloat = c.format == SampleFormat::float32 || c.format == SampleFormat::float64;
      EXPECT_EQ(field(fmt, 24, 2), isFloat ? 3u : 1u) << "sub-format";
      EXPECT_TRUE(std::equal(fmt.begin() + 26, fmt.end(), guidTail));
    }
    EXPECT_EQ(chunks.count("fact"), c.hasFact ? 1u : 0u);
    if (c.hasFact) {
      ASSERT_EQ(chunks.at("fact").size(), 4u);
      EXPECT_EQ(field(chunks.at("fact"), 0, 4), 1001u);
    }
    EXPECT_EQ(chunks.at("data").size(), 1001u * c.channels * bits / 8);
  }
}

// Every code of the 8-bit encodings is read at its value, and written out again as PCM 16,
// which reads back to the same samples.
TEST(WavFile, EightBitEncodingsAreReadExactlyAsPcm16) {
  std::vector<std::uint8_t> codes(256);
  for (int i = 0; i < 256; ++i)
    codes[i] = static_cast<std::uint8_t>(i);
  struct Case {
    std::uint16_t tag;
    StoredEncoding stored;
    const char *name;
    int (*decode)(std::uint8_t);
  };
  const Case cases[] = {{1, StoredEncoding::unsigned8, "PCM 8 bit", decodeUnsigned8},
                        {6, StoredEncoding::aLaw, "A-law 8 bit", decodeALaw},
                        {7, StoredEncoding::muLaw, "mu-law 8 bit", decodeMuLaw}};
  for (const Case &c : cases)
    for (int channels : {1, 2}) {
      SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(channels) + " channels");
      WavAudio audio;
      std::string error;
      ASSERT_TRUE(parseWav(plainWavBytes(c.tag, channels, 8, codes), audio, error)) << error;
      EXPECT_EQ(audio.format, SampleFormat::pcm16);
      EXPECT_EQ(audio.stored, c.stored);
      EXPECT_EQ(encodingName(audio), c.name);
      EXPECT_EQ(audio.channels, channels);
      EXPECT_EQ(audio.sampleRate, 8000u);
      ASSERT_EQ(audio.samples.size(), 256u);
      for (int i = 0; i < 256; ++i)
        EXPECT_EQ(audio.samples[i] * 32768, c.decode(codes[i])) << "code " << i;
      WavAudio back;
      ASSERT_TRUE(parseWav(encodeWav(audio), back, error)) << error;
      EXPECT_EQ(back.stored, StoredEncoding::asFormat);
      EXPECT_EQ(back.samples, audio.samples);
    }
  WavAudio silence;
  std::string error;
  ASSERT_TRUE(parseWav(plainWavBytes(1, 1, 8, {128, 128}), silence, error)) << error;
  EXPECT_EQ(silence.samples, (std::vector<double>{0.0, 0.0}));
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

TEST(WavFile, OtherChunksAreSkipped) {
  const WavAudio audio = sampleAudio(SampleFormat::pcm24, 2);
  std::vector<std::uint8_t> bytes = encodeWav(audio);
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
  bytes[34] = 12; // 12-bit, in 16-bit containers
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("PCM 12 bit"), std::string::npos) << error;

  bytes = good;
  bytes[20] = 6; // A-law, which has 8-bit codes only
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("A-law 16 bit"), std::string::npos) << error;

  bytes = good;
  bytes[22] = 3; // three channels
  bytes[32] = 6;
  EXPECT_FALSE(parseWav(bytes, audio, error));
  EXPECT_NE(error.find("channel count 3"), std::string::npos) << error;

  for (std::uint8_t tag : {2, 0x11}) { // ADPCM, IMA ADPCM
    bytes = good;
    bytes[20] = tag;
    EXPECT_FALSE(parseWav(bytes, audio, error));
    EXPECT_NE(error.find("unsupported sample encoding (format tag " + std::to_string(tag) + ")"),
              std::string::npos)
        << error;
  }

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
