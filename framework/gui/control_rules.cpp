#include "control_rules.h"

#include <cstdio>

#include "value_display.h"

float previousValueForcingRedraw(float value) { return value == -1.0f ? 0.0f : -1.0f; }

bool controlNeedsRedraw(float value, float previousValue, bool dirty) {
  return value != previousValue || dirty;
}

float clampToRange(float value, float minimum, float maximum) {
  if (value > maximum)
    return maximum;
  if (value < minimum)
    return minimum;
  return value;
}

DoubleClickDecision decideDoubleClick(std::int32_t lastClickTime, std::int32_t now,
                                      std::int32_t interval) {
  // Compared by difference so a tick count near the top of its range does not overflow.
  if (lastClickTime > 0 && now - lastClickTime < interval)
    return {true, 0};
  return {false, now};
}

std::int32_t doubleClickIntervalFrom(std::int32_t systemTime) {
  return systemTime < kMinimumDoubleClickInterval ? kMinimumDoubleClickInterval : systemTime;
}

float toggledValue(float value) { return static_cast<std::int32_t>(value) == 0 ? 1.0f : 0.0f; }

void formatDefaultValueText(float value, char *text) {
  std::snprintf(text, kDisplayTextCapacity, "%2.2f", static_cast<double>(value));
}
