// Writing a screenshot: 24-bit BMP, or PNG (8-bit RGB, stored deflate blocks: no compression
// library needed, every viewer reads it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb; // rows top first, three bytes per pixel
};

std::vector<std::uint8_t> encodeBmp(const RgbImage &image);
std::vector<std::uint8_t> encodePng(const RgbImage &image);
// PNG unless the name ends in ".bmp" (any case). False with a reason when the file cannot be
// written.
bool writeImageFile(const std::string &path, const RgbImage &image, std::string &error);
