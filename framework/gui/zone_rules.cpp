#include "zone_rules.h"

#include <algorithm>

float selectorValueAt(std::int32_t offset, std::int32_t span, std::int32_t positions) {
  if (positions < 2)
    return 0.0f;
  const std::int32_t zone = std::max(span / positions, 1);
  const float value = static_cast<float>(offset / zone) / static_cast<float>(positions - 1);
  return std::clamp(value, 0.0f, 1.0f);
}

float rockerValueAt(std::int32_t offset, std::int32_t length, bool inside, float pressValue) {
  if (!inside)
    return pressValue;
  return offset < length / 2 ? -1.0f : 1.0f;
}

float stripButtonValueAt(bool inside, float pressValue) {
  if (!inside)
    return pressValue;
  return pressValue == 0.0f ? 1.0f : 0.0f;
}
