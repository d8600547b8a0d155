#pragma once

#include "canvas.h"

#include <algorithm>
#include <cmath>

// Shapes are signed distance functions of the pixel centre (negative inside); the distance
// gives each edge pixel its coverage, which is all the anti-aliasing the artwork needs.

inline double coverage(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

inline double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

inline double circleDistance(double x, double y, double cx, double cy, double radius) {
  return std::hypot(x - cx, y - cy) - radius;
}

// Rectangle given by its outer edges in continuous coordinates, corners rounded by `radius`.
inline double roundRectDistance(double x, double y, double left, double top, double right,
                                double bottom, double radius) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Paints colour(x, y) wherever distance(x, y) covers a pixel of `area`.
template <typename Distance, typename Colour>
void paintShape(Canvas &canvas, PixelRect area, Distance distance, Colour colour,
                double opacity = 1.0) {
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, canvas.width());
  area.bottom = std::min(area.bottom, canvas.height());
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double a = coverage(distance(px, py));
      if (a > 0)
        canvas.blend(x, y, colour(px, py), a * opacity);
    }
}

// A blurred silhouette: full strength `blur` pixels inside the edge, nothing `blur` outside.
template <typename Distance>
void paintShadow(Canvas &canvas, PixelRect area, Distance distance, double blur, double opacity,
                 Rgb colour = {}) {
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, canvas.width());
  area.bottom = std::min(area.bottom, canvas.height());
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const double a = 1.0 - smoothstep(-blur, blur, distance(x + 0.5, y + 0.5));
      canvas.blend(x, y, colour, a * opacity);
    }
}

inline PixelRect boundsAround(double cx, double cy, double radius) {
  return {int(std::floor(cx - radius - 1)), int(std::floor(cy - radius - 1)),
          int(std::ceil(cx + radius + 2)), int(std::ceil(cy + radius + 2))};
}

// Repeatable grain in -1..1 for brushed-metal textures.
inline double grain(int x, int y, unsigned seed) {
  unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 32767.5 - 1.0;
}
