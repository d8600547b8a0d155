#include "image_file.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>

namespace {

void put16(std::vector<std::uint8_t> &out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

void put32BigEndian(std::vector<std::uint8_t> &out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t crc32(const std::uint8_t *data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void putChunk(std::vector<std::uint8_t> &out, const char *type,
              const std::vector<std::uint8_t> &data) {
  put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32BigEndian(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t> &raw) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(raw.size() - at, 65535);
    const bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);
    put16(out, static_cast<std::uint32_t>(length));
    put16(out, static_cast<std::uint32_t>(~length & 0xffff));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32BigEndian(out, b << 16 | a);
  return out;
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const RgbImage &image) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
  std::vector<std::uint8_t> out = {'B', 'M'};
  put32(out, 54 + dataBytes);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(image.width));
  put32(out, static_cast<std::uint32_t>(image.height)); // bottom row first
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);
  put32(out, dataBytes);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const std::uint8_t *row = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
    for (int x = 0; x < image.width; ++x) {
      out.push_back(row[x * 3 + 2]);
      out.push_back(row[x * 3 + 1]);
      out.push_back(row[x * 3]);
    }
    out.insert(out.end(), rowBytes - static_cast<std::uint32_t>(image.width) * 3, 0);
  }
  return out;
}

std::vector<std::uint8_t> encodePng(const RgbImage &image) {
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<std::uint8_t> header;
  put32BigEndian(header, static_cast<std::uint32_t>(image.width));
  put32BigEndian(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter, no interlace
  putChunk(out, "IHDR", header);
  std::vector<std::uint8_t> raw;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0); // no filter on this row
    const auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
  }
  putChunk(out, "IDAT", storedZlib(raw));
  putChunk(out, "IEND", {});
  return out;
}

bool writeImageFile(const std::string &path, const RgbImage &image, std::string &error) {
  std::string lower;
  for (char c : path)
    lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  const bool bmp = lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".bmp") == 0;
  const std::vector<std::uint8_t> bytes = bmp ? encodeBmp(image) : encodePng(image);
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
