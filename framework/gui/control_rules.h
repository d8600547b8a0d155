// The rules every control follows that need no window: redraw state, limits, double clicks,
// toggling and the default value text.
#pragma once

#include <cstdint>

// What previousValue becomes when a redraw is requested: anything that differs from the value.
float previousValueForcingRedraw(float value);

// A control must be redrawn when its value moved since the last drawing or it was flagged.
bool controlNeedsRedraw(float value, float previousValue, bool dirty);

// Maximum when above it, else minimum when below it.
float clampToRange(float value, float minimum, float maximum);

struct DoubleClickDecision {
  bool isDoubleClick;
  std::int32_t lastClickTime; // what the control keeps for the next click
};
// A second click within `interval` of a remembered one is a double click and forgets it.
DoubleClickDecision decideDoubleClick(std::int32_t lastClickTime, std::int32_t now,
                                      std::int32_t interval);
// The system's double-click time is honoured, but never shorter than this.
constexpr std::int32_t kMinimumDoubleClickInterval = 250;
std::int32_t doubleClickIntervalFrom(std::int32_t systemTime);

// A toggle goes to 1 when its integer part is 0, else to 0.
float toggledValue(float value);

// The text of a value display without a formatter; `text` holds at least 256 characters.
void formatDefaultValueText(float value, char *text);
