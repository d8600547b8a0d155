#include "wav_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "sample_codes.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatALaw = 6;
constexpr std::uint16_t kFormatMuLaw = 7;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// What follows the format tag in the sub-format GUID of an extensible header.
constexpr std::uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                             0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::uint32_t kSpeakerFrontLeftRight = 0x3;
constexpr std::uint32_t kSpeakerFrontCentre = 0x4;

std::uint32_t read32(const std::uint8_t *p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t read16(const std::uint8_t *p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void put(std::vector<std::uint8_t> &out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putId(std::vector<std::uint8_t> &out, const char *id) { out.insert(out.end(), id, id + 4); }

bool fail(std::string &error, const std::string &reason) {
  error = reason;
  return false;
}

bool isFloat(SampleFormat format) {
  return format == SampleFormat::float32 || format == SampleFormat::float64;
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

std::uint32_t usualSpeakers(int channels) {
  return channels == 1 ? kSpeakerFrontCentre : kSpeakerFrontLeftRight;
}

struct FormatChunk {
  std::uint16_t tag = 0; // the sub-format's tag for an extensible header
  std::uint16_t channels = 0, blockAlign = 0, bits = 0;
  std::uint32_t rate = 0;
  bool extensible = false;
  std::uint32_t channelMask = 0;
};

bool readFormatChunk(const std::uint8_t *f, std::uint32_t size, FormatChunk &format,
                     std::string &error) {
  format.tag = read16(f);
  format.channels = read16(f + 2);
  format.rate = read32(f + 4);
  format.blockAlign = read16(f + 12);
  format.bits = read16(f + 14);
  if (format.tag == kFormatExtensible) {
    if (size < 40)
      return fail(error, "truncated extensible format chunk");
    format.extensible = true;
    format.channelMask = read32(f + 20);
    format.tag = read16(f + 24); // the sub-format GUID starts with the plain format tag
  }
  return true;
}

// Which of the sample encodings the chunk names, in `audio`.
bool resolveEncoding(const FormatChunk &format, WavAudio &audio, std::string &error) {
  struct Known {
    std::uint16_t tag, bits;
    SampleFormat format;
    StoredEncoding stored;
  };
  static constexpr Known known[] = {
      {kFormatPcm, 8, SampleFormat::pcm16, StoredEncoding::unsigned8},
      {kFormatPcm, 16, SampleFormat::pcm16, StoredEncoding::asFormat},
      {kFormatPcm, 24, SampleFormat::pcm24, StoredEncoding::asFormat},
      {kFormatPcm, 32, SampleFormat::pcm32, StoredEncoding::asFormat},
      {kFormatFloat, 32, SampleFormat::float32, StoredEncoding::asFormat},
      {kFormatFloat, 64, SampleFormat::float64, StoredEncoding::asFormat},
      {kFormatALaw, 8, SampleFormat::pcm16, StoredEncoding::aLaw},
      {kFormatMuLaw, 8, SampleFormat::pcm16, StoredEncoding::muLaw},
  };
  for (const Known &k : known)
    if (k.tag == format.tag && k.bits == format.bits) {
      audio.format = k.format;
      audio.stored = k.stored;
      return true;
    }
  const char *names[] = {"", "PCM", "", "float", "", "", "A-law", "mu-law"};
  if (format.tag >= std::size(names) || !*names[format.tag])
    return fail(error,
                "unsupported sample encoding (format tag " + std::to_string(format.tag) + ")");
  return fail(error, std::string("unsupported sample size: ") + names[format.tag] + " " +
                         std::to_string(format.bits) + " bit");
}

double decodeSample(const std::uint8_t *p, const WavAudio &audio, int sampleBytes) {
  switch (audio.stored) {
  case StoredEncoding::unsigned8:
    return decodeUnsigned8(*p) / 32768.0;
  case StoredEncoding::aLaw:
    return decodeALaw(*p) / 32768.0;
  case StoredEncoding::muLaw:
    return decodeMuLaw(*p) / 32768.0;
  case StoredEncoding::asFormat:
    break;
  }
  if (audio.format == SampleFormat::float32) {
    float v;
    std::memcpy(&v, p, 4);
    return v;
  }
  if (audio.format == SampleFormat::float64) {
    double v;
    std::memcpy(&v, p, 8);
    return v;
  }
  return integerSample(p, sampleBytes);
}

bool readData(const std::uint8_t *p, std::size_t size, const FormatChunk &format, WavAudio &audio,
              std::string &error) {
  const int sampleBytes = format.bits / 8;
  const std::size_t count = size / sampleBytes / format.channels * format.channels;
  std::vector<double> samples(count);
  for (std::size_t i = 0; i < count; ++i, p += sampleBytes) {
    samples[i] = decodeSample(p, audio, sampleBytes);
    // No processing or level means anything for such a sample: the file is damaged.
    if (!std::isfinite(samples[i]))
      return fail(error, "sample " + std::to_string(i) + " is not a finite number");
  }
  audio.channels = format.channels;
  audio.sampleRate = format.rate;
  audio.extensible = format.extensible;
  audio.channelMask = format.channelMask;
  audio.samples = std::move(samples);
  return true;
}

// The format chunk: 16 bytes for plain PCM; 18 (an empty extension) for float, which is not PCM;
// 40 for the extensible kind.
void putFormatChunk(std::vector<std::uint8_t> &out, const WavAudio &audio) {
  const int bits = bitsPerSample(audio.format);
  const std::uint16_t tag = isFloat(audio.format) ? kFormatFloat : kFormatPcm;
  const bool extensible = audio.extensible || (tag == kFormatPcm && bits > 16);
  putId(out, "fmt ");
  put(out, extensible ? 40 : tag == kFormatPcm ? 16 : 18, 4);
  put(out, extensible ? kFormatExtensible : tag, 2);
  put(out, audio.channels, 2);
  put(out, audio.sampleRate, 4);
  put(out, static_cast<std::uint64_t>(audio.sampleRate) * audio.channels * (bits / 8), 4);
  put(out, audio.channels * (bits / 8), 2);
  put(out, bits, 2);
  if (extensible) {
    put(out, 22, 2);   // the extension's size
    put(out, bits, 2); // every bit of the container is valid
    put(out, audio.extensible ? audio.channelMask : usualSpeakers(audio.channels), 4);
    put(out, tag, 2);
    out.insert(out.end(), std::begin(kSubFormatTail), std::end(kSubFormatTail));
  } else if (tag != kFormatPcm) {
    put(out, 0, 2); // an empty extension
  }
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
  return std::string(isFloat(format) ? "float " : "PCM ") + std::to_string(bitsPerSample(format)) +
         " bit";
}

std::string encodingName(const WavAudio &audio) {
  switch (audio.stored) {
  case StoredEncoding::unsigned8:
    return "PCM 8 bit";
  case StoredEncoding::aLaw:
    return "A-law 8 bit";
  case StoredEncoding::muLaw:
    return "mu-law 8 bit";
  case StoredEncoding::asFormat:
    break;
  }
  return formatName(audio.format);
}

void keepHeaderOf(const WavAudio &input, WavAudio &output) {
  output.extensible = input.extensible;
  output.channelMask =
      output.channels == input.channels ? input.channelMask : usualSpeakers(output.channels);
}

bool parseWav(const std::vector<std::uint8_t> &bytes, WavAudio &audio, std::string &error) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return fail(error, "not a WAV file (no RIFF/WAVE header)");
  bool haveFormat = false;
  FormatChunk format;
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
      if (!readFormatChunk(bytes.data() + body, size, format, error))
        return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat)
        return fail(error, "data chunk before the format chunk");
      if (!resolveEncoding(format, audio, error))
        return false;
      if (format.channels != 1 && format.channels != 2)
        return fail(error, "unsupported channel count " + std::to_string(format.channels) +
                               " (mono or stereo only)");
      if (format.blockAlign != format.channels * (format.bits / 8))
        return fail(error, "inconsistent block alignment " + std::to_string(format.blockAlign));
      if (format.rate == 0)
        return fail(error, "sample rate 0");
      if (!complete)
        return fail(error, "truncated data chunk (" + std::to_string(size) + " bytes announced, " +
                               std::to_string(bytes.size() - body) + " present)");
      return readData(bytes.data() + body, size, format, audio, error);
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
  const int sampleBytes = bitsPerSample(audio.format) / 8;
  const std::uint64_t dataSize = audio.samples.size() * sampleBytes;
  std::vector<std::uint8_t> out;
  out.reserve(80 + dataSize);
  putId(out, "RIFF");
  put(out, 0, 4); // the size, once known
  putId(out, "WAVE");
  putFormatChunk(out, audio);
  if (isFloat(audio.format)) {
    // Files that are not PCM say how many frames they hold.
    putId(out, "fact");
    put(out, 4, 4);
    put(out, audio.frames(), 4);
  }
  putId(out, "data");
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
  if (dataSize & 1)
    out.push_back(0); // chunks start at even offsets
  const std::uint64_t riffSize = out.size() - 8;
  for (int i = 0; i < 4; ++i)
    out[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
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
