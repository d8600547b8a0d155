#include "limiter_editor_model.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "limiter_parameters.h"

namespace limiter_editor {

void labelText(float value, char *text) {
  switch (displayCodeOf(value)) {
  case 1:
    std::strcpy(text, "GAIN");
    break;
  case 2:
    std::strcpy(text, "CEILING");
    break;
  case 3:
    std::strcpy(text, "RELEASE");
    break;
  case 6:
    std::strcpy(text, "KNEE");
    break;
  case 7:
    std::strcpy(text, "AHEAD");
    break;
  default:
    std::strcpy(text, "LEVEL");
  }
}

void valueText(float value, char *text) {
  if (!switchCodeText(value, text))
    std::snprintf(text, 16, value < 50.0f ? "%2.1f" : "%2.0f", value);
}

bool displayValuesFor(int index, float v, PanelDisplayValues &values) {
  using P = LimiterParameters;
  // The switches read as the effect decides, from the middle of their range up.
  const bool on = v >= 0.5f;
  switch (index) {
  case P::release:
    values = {3.0f, static_cast<float>(releaseMsFromValue(v))};
    return true;
  case P::ceil:
    values = {2.0f, static_cast<float>(ceilDbFromValue(v))};
    return true;
  case P::level:
    values = {1.0f, static_cast<float>(levelDbFromValue(v))};
    return true;
  case P::type:
    values = {6.0f, on ? kKneeSoftCode : kKneeHardCode};
    return true;
  case P::ahead:
    values = {7.0f, on ? kAheadOnCode : kAheadOffCode};
    return true;
  default:
    return false;
  }
}

PanelMeterReadings meterReadings(double inputMeter, double outputMeter, float limiting) {
  return {meterLevelFromPeak(inputMeter),
          meterLevelFromPeak(limiting == 0.0f ? inputMeter : outputMeter), limiting};
}

} // namespace limiter_editor
