#include "gui_types.h"

#include <algorithm>

Rect Rect::normalised(std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom) {
  return Rect(std::min(left, right), std::min(top, bottom), std::max(left, right),
              std::max(top, bottom));
}

Rect &Rect::offset(std::int32_t dx, std::int32_t dy) {
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;
  return *this;
}

bool Rect::pointInside(const Point &p) const {
  return left <= p.h && p.h < right && top <= p.v && p.v < bottom;
}

Rect &Rect::clipTo(const Rect &other) {
  left = std::max(left, other.left);
  top = std::max(top, other.top);
  right = std::min(right, other.right);
  bottom = std::min(bottom, other.bottom);
  if (right < left)
    right = left;
  if (bottom < top)
    bottom = top;
  return *this;
}

bool Rect::containsInclusive(const Point &p) const {
  return left <= p.h && p.h <= right && top <= p.v && p.v <= bottom;
}

bool Rect::overlapsInclusive(const Rect &other) const {
  return !(right < other.left || other.right < left || bottom < other.top || other.bottom < top);
}
