// Which image of a vertical strip a control shows, and how an animation steps through a strip.
// Window-free, so the rules are tested natively.
#pragma once

#include <cstdint>

// The image for a value with `count` images: rounded, (count - 1) * value + 0.5 truncated, and
// kept inside the strip so a value out of range never reads past its ends.
std::int32_t stripIndexForValue(float value, std::int32_t count);

// The film-strip knob truncates instead of rounding: the source offset of the image the value
// falls in (a multiple of frameHeight), image 0 for negative values, the last for values above 1.
std::int32_t filmStripOffset(float value, std::int32_t frameCount, std::int32_t frameHeight,
                             bool inverted);

// A display-only strip: values above 1 count as 1, values at or below 0 show image 0.
std::int32_t imageStripIndex(float value, std::int32_t frameCount);

// An animation's value is a pixel offset into the strip. Both directions reach every image, the
// last one included, and wrap to the image at the other end.
std::int32_t nextAnimationOffset(std::int32_t offset, std::int32_t frameHeight,
                                 std::int32_t totalHeight);
std::int32_t previousAnimationOffset(std::int32_t offset, std::int32_t frameHeight,
                                     std::int32_t totalHeight);
