// The toolkit's pixel geometry and colours, shared by every view, context and bitmap.
#pragma once

#include <cstdint>

struct Point {
  std::int32_t h = 0;
  std::int32_t v = 0;

  Point() = default;
  Point(std::int32_t h, std::int32_t v) : h(h), v(v) {}
  Point &offset(std::int32_t dx, std::int32_t dy) {
    h += dx;
    v += dy;
    return *this;
  }
  bool operator==(const Point &other) const { return h == other.h && v == other.v; }
  bool operator!=(const Point &other) const { return !(*this == other); }
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  Rect() = default;
  Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
      : left(left), top(top), right(right), bottom(bottom) {}
  // Orders each pair, so that left <= right and top <= bottom.
  static Rect normalised(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom);

  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  Rect &offset(std::int32_t dx, std::int32_t dy);
  // Half-open: the right and bottom edges are outside.
  bool pointInside(const Point &p) const;
  bool isEmpty() const { return right <= left || bottom <= top; }
  // Shrinks to the intersection; collapses to zero width or height when they do not meet.
  Rect &clipTo(const Rect &other);

  // The views' tests count the right and bottom edges as inside, and touching as overlapping.
  bool containsInclusive(const Point &p) const;
  bool overlapsInclusive(const Rect &other) const;

  bool operator==(const Rect &o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const Rect &o) const { return !(*this == o); }
};

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t unused = 0; // drawing ignores it

  // The value the system takes: red | green << 8 | blue << 16.
  std::uint32_t native() const {
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
  }
  static Color fromNative(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value & 0xff), static_cast<std::uint8_t>(value >> 8 & 0xff),
            static_cast<std::uint8_t>(value >> 16 & 0xff), 0};
  }
  bool sameRgb(const Color &o) const { return red == o.red && green == o.green && blue == o.blue; }
  bool operator==(const Color &o) const { return sameRgb(o) && unused == o.unused; }
  bool operator!=(const Color &o) const { return !(*this == o); }
};

inline constexpr Color colorBlack{0, 0, 0, 0};
inline constexpr Color colorWhite{255, 255, 255, 0};
inline constexpr Color colorGrey{127, 127, 127, 0};
inline constexpr Color colorRed{255, 0, 0, 0};
inline constexpr Color colorGreen{0, 255, 0, 0};
inline constexpr Color colorBlue{0, 0, 255, 0};
inline constexpr Color colorYellow{255, 255, 0, 0};
inline constexpr Color colorMagenta{255, 0, 255, 0};
inline constexpr Color colorCyan{0, 255, 255, 0};
// The bitmaps' default transparent colour; a constant of its own although it equals white.
inline constexpr Color colorTransparent{255, 255, 255, 0};

// Mouse-button and modifier bits, as the contexts report them.
enum MouseButtonBits : std::int32_t {
  kLeftButton = 1,
  kMiddleButton = 2,
  kRightButton = 4,
  kShift = 8,
  kControl = 16,
  kAlt = 32,
};
