// What a plug-in's panel editor shows besides its knobs, as plain values: the two displays'
// values after a parameter change, and the bars and lamps for the effect's meter readings.
#pragma once

#include <cmath>
#include <cstring>

#include "level_scale.h"

struct PanelDisplayValues {
  float label; // the label display's code for the parameter's name
  float value; // the value display's value, in the parameter's unit or a text code
};

struct PanelMeterReadings {
  MeterLevel input;
  MeterLevel output;
  float gainReductionLamp;
};

// The value display's codes for the two switches, which it shows as words.
constexpr float kKneeHardCode = 19999.0f;
constexpr float kKneeSoftCode = 20000.0f;
constexpr float kAheadOffCode = 9999.0f;
constexpr float kAheadOnCode = 10000.0f;

// A display value as a code: truncated towards zero; values far outside any code count as none.
inline long displayCodeOf(float value) {
  return std::fabs(value) < 1e9f ? static_cast<long>(value) : 0;
}

// The word for a switch's code into `text`; false, and nothing written, for any other value.
inline bool switchCodeText(float value, char *text) {
  const long code = displayCodeOf(value);
  const char *word = code == static_cast<long>(kKneeHardCode)   ? "hard"
                     : code == static_cast<long>(kKneeSoftCode) ? "soft"
                     : code == static_cast<long>(kAheadOffCode) ? "off"
                     : code == static_cast<long>(kAheadOnCode)  ? "on"
                                                                : nullptr;
  if (word)
    std::strcpy(text, word);
  return word != nullptr;
}
