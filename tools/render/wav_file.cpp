#include "wav_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t read32(const std::uint8_t *p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t read16(const std::uint8_t *p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void put(std::vector<std::uint8_t> &out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool fail(std::string &error, const std::string &reason) {
  error = reason;
  return false;
}

double integerSample(const std::uint8_t *p, int bytes) {
  std::uint32_t raw = 0;
  for (int i = 0; i < bytes; ++i)
    raw |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  const int shift = 32 - 8 * bytes;
  const std::int32_t value = static_cast<std::int32_t>(raw << shift) >> shift;
  return value / std::ldexp(1.0, 8 * bytes - 1);
}

std::int64_t toInteger(double sample, int bytes) {
  const double full = std::ldexp(1.0, 8 * bytes - 1);
  const double scaled = std::nearbyint(sample * full);
  if (!(scaled > -full))
    return static_cast<std::int64_t>(-full);
  if (scaled > full - 1)
    return static_cast<std::int64_t>(full - 1);
  return static_cast<std::int64_t>(scaled);
}

} // namespace

int bitsPerSample(SampleFormat format) {
  switch (format) {
  case SampleFormat::pcm16:
    return 16;
  case SampleFormat::pcm24:
    return 24;
  case SampleFormat::pcm32:
  case SampleFormat::float32:
    return 32;
  case SampleFormat::float64:
    return 64;
  }
  return 0;
}

std::string formatName(SampleFormat format) {
  const bool isFloat = format == SampleFormat::float32 || format == SampleFormat::float64;
  return std::string(isFloat ? "float " : "PCM ") + std::to_string(bitsPerSample(format)) + " bit";
}

bool parseWav(const std::vector<std::uint8_t> &bytes, WavAudio &audio, std::string &error) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return fail(error, "not a WAV file (no RIFF/WAVE header)");
  bool haveFormat = false;
  std::uint16_t tag = 0, channels = 0, bits = 0, blockAlign = 0;
  std::uint32_t rate = 0;
  std::size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const std::uint8_t *chunk = bytes.data() + pos;
    const std::uint32_t size = read32(chunk + 4);
    const std::size_t body = pos + 8;
    // Compared with what is left rather than added to `body`, which a 32-bit size_t would wrap.
    const bool complete = size <= bytes.size() - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16 || !complete)
        return fail(error, "truncated format chunk");
      const std::uint8_t *f = bytes.data() + body;
      tag = read16(f);
      channels = read16(f + 2);
      rate = read32(f + 4);
      blockAlign = read16(f + 12);
      bits = read16(f + 14);
      if (tag == kFormatExtensible) {
        if (size < 40)
          return fail(error, "truncated extensible format chunk");
        tag = read16(f + 24); // the sub-format GUID starts with the plain format tag
      }
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat)
        return fail(error, "data chunk before the format chunk");
      if (tag != kFormatPcm && tag != kFormatFloat)
        return fail(error, "unsupported sample encoding (format tag " + std::to_string(tag) + ")");
      if (tag == kFormatPcm && bits == 16)
        audio.format = SampleFormat::pcm16;
      else if (tag == kFormatPcm && bits == 24)
        audio.format = SampleFormat::pcm24;
      else if (tag == kFormatPcm && bits == 32)
        audio.format = SampleFormat::pcm32;
      else if (tag == kFormatFloat && bits == 32)
        audio.format = SampleFormat::float32;
      else if (tag == kFormatFloat && bits == 64)
        audio.format = SampleFormat::float64;
      else
        return fail(error, std::string("unsupported sample size: ") +
                               (tag == kFormatFloat ? "float " : "PCM ") + std::to_string(bits) +
                               " bit");
      if (channels != 1 && channels != 2)
        return fail(error, "unsupported channel count " + std::to_string(channels) +
                               " (mono or stereo only)");
      const int sampleBytes = bits / 8;
      if (blockAlign != channels * sampleBytes)
        return fail(error, "inconsistent block alignment " + std::to_string(blockAlign));
      if (rate == 0)
        return fail(error, "sample rate 0");
      if (!complete)
        return fail(error, "truncated data chunk (" + std::to_string(size) + " bytes announced, " +
                               std::to_string(bytes.size() - body) + " present)");
      const std::size_t count = size / sampleBytes / channels * channels;
      std::vector<double> samples(count);
      const std::uint8_t *p = bytes.data() + body;
      for (std::size_t i = 0; i < count; ++i, p += sampleBytes) {
        if (audio.format == SampleFormat::float32) {
          float v;
          std::memcpy(&v, p, 4);
          samples[i] = v;
        } else if (audio.format == SampleFormat::float64) {
          std::memcpy(&samples[i], p, 8);
        } else {
          samples[i] = integerSample(p, sampleBytes);
        }
        // No processing or level means anything for such a sample: the file is damaged.
        if (!std::isfinite(samples[i]))
          return fail(error, "sample " + std::to_string(i) + " is not a finite number");
      }
      audio.channels = channels;
      audio.sampleRate = rate;
      audio.samples = std::move(samples);
      return true;
    }
    if (!complete)
      break; // nothing can follow a chunk that runs past the end
    pos = body + size + (size & 1);
  }
  return fail(error, haveFormat ? "no data chunk" : "no format chunk");
}

bool readWavFile(const std::string &path, WavAudio &audio, std::string &error) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return fail(error, "cannot open " + path);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (!parseWav(bytes, audio, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

std::vector<std::uint8_t> encodeWav(const WavAudio &audio) {
  const bool isFloat =
      audio.format == SampleFormat::float32 || audio.format == SampleFormat::float64;
  const int sampleBytes = bitsPerSample(audio.format) / 8;
  const std::uint64_t dataSize = audio.samples.size() * sampleBytes;
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataSize);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  put(out, 36 + dataSize, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(out, 16, 4);
  put(out, isFloat ? kFormatFloat : kFormatPcm, 2);
  put(out, audio.channels, 2);
  put(out, audio.sampleRate, 4);
  put(out, static_cast<std::uint64_t>(audio.sampleRate) * audio.channels * sampleBytes, 4);
  put(out, audio.channels * sampleBytes, 2);
  put(out, bitsPerSample(audio.format), 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put(out, dataSize, 4);
  for (double sample : audio.samples) {
    if (audio.format == SampleFormat::float32) {
      const float v = static_cast<float>(sample);
      std::uint32_t bits;
      std::memcpy(&bits, &v, 4);
      put(out, bits, 4);
    } else if (audio.format == SampleFormat::float64) {
      std::uint64_t bits;
      std::memcpy(&bits, &sample, 8);
      put(out, bits, 8);
    } else {
      put(out, static_cast<std::uint64_t>(toInteger(sample, sampleBytes)), sampleBytes);
    }
  }
  return out;
}

bool writeWavFile(const std::string &path, const WavAudio &audio, std::string &error) {
  const std::string temporary = path + ".partial";
  const std::vector<std::uint8_t> bytes = encodeWav(audio);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return fail(error, "cannot write " + path);
    }
  }
#ifdef _WIN32
  const bool renamed = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  const bool renamed = std::rename(temporary.c_str(), path.c_str()) == 0;
#endif
  if (!renamed) {
    std::remove(temporary.c_str());
    return fail(error, "cannot write " + path);
  }
  return true;
}
