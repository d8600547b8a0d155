#include "meter_law.h"

namespace {

// Part of `extent` for `steps` of `ledCount`; kept inside the image whatever the level.
std::int32_t quantisedExtent(std::int32_t ledCount, float level, std::int32_t extent) {
  if (ledCount <= 0)
    return 0;
  const float leds = static_cast<float>(ledCount);
  float raw = leds * level + 0.5f;
  if (raw < 0.0f)
    raw = 0.0f;
  if (raw > leds)
    raw = leds;
  const auto steps = static_cast<std::int32_t>(raw);
  return static_cast<std::int32_t>(static_cast<float>(extent) * (static_cast<float>(steps) / leds));
}

} // namespace

float decayedMeterLevel(float shown, float value, float decayStep) {
  const float fallen = shown - decayStep;
  return fallen < value ? value : fallen;
}

std::int32_t meterOnWidth(std::int32_t ledCount, float shown, std::int32_t extent) {
  return quantisedExtent(ledCount, shown, extent);
}

std::int32_t meterOffHeight(std::int32_t ledCount, float maximum, float shown,
                            std::int32_t extent) {
  return quantisedExtent(ledCount, maximum - shown, extent);
}
