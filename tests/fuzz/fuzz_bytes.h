// Reads typed values from a fuzzer's input. Past the end every read gives zeros, so any input,
// however short, decodes to something.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzBytes {
public:
  FuzzBytes(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}

  bool empty() const { return position >= size; }

  std::uint8_t byte() { return position < size ? data[position++] : 0; }

  // Little-endian, as the encoder writes them.
  std::uint64_t unsignedOf(int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
      value |= static_cast<std::uint64_t>(byte()) << (8 * i);
    return value;
  }
  std::uint16_t u16() { return static_cast<std::uint16_t>(unsignedOf(2)); }
  std::uint32_t u32() { return static_cast<std::uint32_t>(unsignedOf(4)); }

  float rawFloat() {
    const std::uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // Copies up to `count` bytes into `out`, zeros past the end of the input.
  void copy(void *out, std::size_t count) {
    auto *bytes = static_cast<std::uint8_t *>(out);
    for (std::size_t i = 0; i < count; ++i)
      bytes[i] = byte();
  }

private:
  const std::uint8_t *data;
  std::size_t size;
  std::size_t position = 0;
};
