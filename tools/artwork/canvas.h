#pragma once

#include <cstdint>
#include <vector>

// Colour channels in 0..255 kept as doubles, so that layered shading does not band before the
// final rounding.
struct Rgb {
  double r = 0, g = 0, b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double factor);
Rgb rgb(int r, int g, int b);

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class Canvas {
public:
  Canvas(int width, int height, Rgb fill = {});

  int width() const { return w; }
  int height() const { return h; }
  Rgb get(int x, int y) const { return pixels[index(x, y)]; }
  void set(int x, int y, Rgb c);
  // Coverage-weighted paint; pixels outside the canvas are ignored.
  void blend(int x, int y, Rgb c, double alpha);

  Canvas crop(const PixelRect &area) const;
  void paste(const Canvas &image, int x, int y);
  // 8-bit channels, rounded and clamped, row-major top-down, r g b order.
  std::vector<std::uint8_t> toBytes() const;
  static Canvas fromBytes(int width, int height, const std::vector<std::uint8_t> &bytes);

private:
  int index(int x, int y) const { return y * w + x; }
  int w, h;
  std::vector<Rgb> pixels;
};
