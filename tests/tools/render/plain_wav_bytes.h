// WAV files built byte by byte, for encodings our writer does not produce.
#pragma once

#include <cstdint>
#include <vector>

// A plain 16-byte format chunk with `tag` and `bits`, at 8000 Hz, and `data` as it is.
inline std::vector<std::uint8_t> plainWavBytes(std::uint16_t tag, int channels, int bits,
                                               const std::vector<std::uint8_t> &data) {
  std::vector<std::uint8_t> out;
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto id = [&](const char *text) { out.insert(out.end(), text, text + 4); };
  id("RIFF");
  put(static_cast<std::uint32_t>(36 + data.size() + data.size() % 2), 4);
  id("WAVE");
  id("fmt ");
  put(16, 4);
  put(tag, 2);
  put(channels, 2);
  put(8000, 4);
  put(8000 * channels * bits / 8, 4);
  put(channels * bits / 8, 2);
  put(bits, 2);
  id("data");
  put(static_cast<std::uint32_t>(data.size()), 4);
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2)
    out.push_back(0);
  return out;
}
