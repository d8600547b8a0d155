#include "compressor_editor_model.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "compressor_parameters.h"

namespace compressor_editor {

namespace {

constexpr float kRatioCodeBase = -200.0f;

} // namespace

void labelText(float value, char *text) {
  switch (displayCodeOf(value)) {
  case 1:
    std::strcpy(text, "THRESH");
    break;
  case 2:
    std::strcpy(text, "ATTACK");
    break;
  case 3:
    std::strcpy(text, "RATIO");
    break;
  case 4:
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
  if (value < kRatioCodeBase) {
    const float ratio = -(value - kRatioCodeBase);
    std::snprintf(text, 16, ratio < 10.0f ? "%2.1f:1" : "%2.0f:1", ratio);
    return;
  }
  if (!switchCodeText(value, text))
    std::snprintf(text, 16, std::fabs(value) < 100.0f ? "%2.1f" : "%2.0f", value);
}

double attackMsFromValue(double v) { return 200.0L * v; }
double releaseMsFromValue(double v) { return 50.0L * std::exp(v * 4.605170185988092L); }
double thresholdDbFromValue(double v) { return 40.0L * v - 40.0L; }
double ratioCodeFromValue(double v) { return -(0.8L * std::exp(v * 3.218875824868201L) + 200.0L); }
double levelDbFromValue(double v) { return 40.0L * v - 20.0L; }

bool displayValuesFor(int index, float v, PanelDisplayValues &values) {
  using P = CompressorParameters;
  // The switches read as the effect decides, from the middle of their range up.
  const bool on = switchIsOn(v);
  switch (index) {
  case P::attack:
    values = {2.0f, static_cast<float>(attackMsFromValue(v))};
    return true;
  case P::release:
    values = {4.0f, static_cast<float>(releaseMsFromValue(v))};
    return true;
  case P::threshold:
    values = {1.0f, static_cast<float>(thresholdDbFromValue(v))};
    return true;
  case P::ratio:
    values = {3.0f, static_cast<float>(ratioCodeFromValue(v))};
    return true;
  case P::level:
    values = {5.0f, static_cast<float>(levelDbFromValue(v))};
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

PanelMeterReadings meterReadings(double inputMeter, double outputMeter, float compressing,
                                 double outputGain) {
  PanelMeterReadings readings;
  readings.input = meterLevelFromPeak(inputMeter);
  readings.gainReductionLamp = compressing;
  if (compressing == 0.0f)
    readings.output =
        meterLevelFromDecibels(20.0 * (std::log10(outputGain) + std::log10(inputMeter)));
  else
    readings.output = meterLevelFromPeak(outputMeter);
  return readings;
}

} // namespace compressor_editor
