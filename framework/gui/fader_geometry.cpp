#include "fader_geometry.h"

#include <algorithm>

std::int32_t FaderTravel::handlePosition(float value, std::int32_t style) const {
  const float v = (style & (kFaderMinimumLeft | kFaderMinimumTop)) ? value : 1.0f - value;
  const auto position = start + static_cast<std::int32_t>(static_cast<float>(range) * v);
  return std::clamp(position, std::min(start, start + range), std::max(start, start + range));
}

float FaderTravel::valueAt(std::int32_t position, std::int32_t grab, std::int32_t style) const {
  if (range == 0)
    return 0.0f;
  const float v = static_cast<float>(position - start - grab) / static_cast<float>(range);
  return (style & (kFaderMinimumRight | kFaderMinimumBottom)) ? 1.0f - v : v;
}

bool FaderTravel::onHandle(std::int32_t position, float value, std::int32_t style) const {
  const std::int32_t leading = handlePosition(value, style);
  return position >= leading && position < leading + handleSize;
}

float FaderZoom::apply(float rawValue, float currentValue, bool shiftHeld, float zoomFactor) {
  if (!shiftHeld) {
    shiftWasHeld = false;
    return rawValue;
  }
  if (!shiftWasHeld) {
    shiftWasHeld = true;
    referenceRaw = rawValue;
    referenceValue = currentValue;
  }
  const float zoom = zoomFactor != 0.0f ? zoomFactor : 1.0f;
  return referenceValue + (rawValue - referenceRaw) / zoom;
}
