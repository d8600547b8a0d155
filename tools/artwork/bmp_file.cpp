#include "bmp_file.h"

#include <fstream>

namespace {

void put16(std::vector<std::uint8_t> &out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Canvas &image) {
  const std::uint32_t w = std::uint32_t(image.width());
  const std::uint32_t h = std::uint32_t(image.height());
  const std::uint32_t stride = (w * 3 + 3) & ~3u;
  const std::uint32_t dataOffset = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(dataOffset + stride * h);
  out.push_back('B');
  out.push_back('M');
  put32(out, dataOffset + stride * h);
  put32(out, 0);
  put32(out, dataOffset);
  put32(out, 40);
  put32(out, w);
  put32(out, h); // positive height: bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0); // uncompressed
  put32(out, stride * h);
  put32(out, 2835); // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  const std::vector<std::uint8_t> rgbBytes = image.toBytes();
  for (std::uint32_t row = h; row-- > 0;) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::size_t i = (std::size_t(row) * w + x) * 3;
      out.push_back(rgbBytes[i + 2]);
      out.push_back(rgbBytes[i + 1]);
      out.push_back(rgbBytes[i]);
    }
    for (std::uint32_t pad = w * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

bool writeBmp(const std::string &path, const Canvas &image) {
  const std::vector<std::uint8_t> bytes = encodeBmp(image);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}
