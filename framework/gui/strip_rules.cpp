#include "strip_rules.h"

#include <algorithm>

namespace {

std::int32_t clampIndex(std::int32_t index, std::int32_t count) {
  return std::clamp(index, 0, std::max(count - 1, 0));
}

} // namespace

std::int32_t stripIndexForValue(float value, std::int32_t count) {
  return clampIndex(static_cast<std::int32_t>(static_cast<float>(count - 1) * value + 0.5f), count);
}

std::int32_t filmStripOffset(float value, std::int32_t frameCount, std::int32_t frameHeight,
                             bool inverted) {
  if (frameHeight <= 0 || frameCount <= 0)
    return 0;
  const float shown = inverted ? 1.0f - value : value;
  if (shown < 0.0f)
    return 0;
  const auto y = static_cast<std::int32_t>(shown * static_cast<float>(frameCount - 1) *
                                           static_cast<float>(frameHeight));
  return clampIndex(y / frameHeight, frameCount) * frameHeight;
}

std::int32_t imageStripIndex(float value, std::int32_t frameCount) {
  const float limited = std::min(value, 1.0f);
  if (!(limited > 0.0f))
    return 0;
  return stripIndexForValue(limited, frameCount);
}

std::int32_t nextAnimationOffset(std::int32_t offset, std::int32_t frameHeight,
                                 std::int32_t totalHeight) {
  const std::int32_t next = offset + frameHeight;
  return next >= totalHeight || next < 0 ? 0 : next;
}

std::int32_t previousAnimationOffset(std::int32_t offset, std::int32_t frameHeight,
                                     std::int32_t totalHeight) {
  const std::int32_t previous = offset - frameHeight;
  const std::int32_t last = std::max(totalHeight - frameHeight, 0);
  return previous < 0 || previous > last ? last : previous;
}
