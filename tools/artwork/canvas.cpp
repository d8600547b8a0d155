#include "canvas.h"

#include <algorithm>
#include <cmath>

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

Rgb rgb(int r, int g, int b) { return {double(r), double(g), double(b)}; }

Canvas::Canvas(int width, int height, Rgb fill)
    : w(width), h(height), pixels(std::size_t(width) * std::size_t(height), fill) {}

void Canvas::set(int x, int y, Rgb c) {
  if (x >= 0 && y >= 0 && x < w && y < h)
    pixels[index(x, y)] = c;
}

void Canvas::blend(int x, int y, Rgb c, double alpha) {
  if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0)
    return;
  Rgb &p = pixels[index(x, y)];
  p = mix(p, c, std::min(alpha, 1.0));
}

Canvas Canvas::crop(const PixelRect &area) const {
  Canvas out(area.width(), area.height());
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x)
      out.set(x, y, get(area.left + x, area.top + y));
  return out;
}

void Canvas::paste(const Canvas &image, int x, int y) {
  for (int j = 0; j < image.h; ++j)
    for (int i = 0; i < image.w; ++i)
      set(x + i, y + j, image.get(i, j));
}

static std::uint8_t channel(double v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

std::vector<std::uint8_t> Canvas::toBytes() const {
  std::vector<std::uint8_t> out;
  out.reserve(pixels.size() * 3);
  for (const Rgb &p : pixels) {
    out.push_back(channel(p.r));
    out.push_back(channel(p.g));
    out.push_back(channel(p.b));
  }
  return out;
}

Canvas Canvas::fromBytes(int width, int height, const std::vector<std::uint8_t> &bytes) {
  Canvas out(width, height);
  for (std::size_t i = 0; i < out.pixels.size(); ++i)
    out.pixels[i] = rgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
  return out;
}
