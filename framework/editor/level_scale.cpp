#include "level_scale.h"

#include <cmath>

MeterLevel meterLevelFromDecibels(double decibels) {
  if (!(decibels >= kMeterFloorDb))
    return {0.0f, false};
  if (decibels > 0.0)
    return {1.0f, true};
  return {static_cast<float>(decibels / -kMeterFloorDb + 1.0), false};
}

MeterLevel meterLevelFromPeak(double peak) {
  if (!(peak > 0.0))
    return {0.0f, false};
  return meterLevelFromDecibels(20.0 * std::log10(peak));
}
