#include "limiter_editor.h"

#include "limiter_editor_model.h"
#include "limiter_effect.h"
#include "limiter_parameters.h"

namespace {

using P = LimiterParameters;

enum ImageId : std::int32_t {
  kKnobHandle = 129,
  kLevelFace,
  kCeilFace,
  kReleaseFace,
  kTypeButton,
  kAheadButton,
  kLabelBackground,
  kValueBackground,
  kInputBarOff,
  kInputBarOn,
  kOutputBarOff,
  kOutputBarOn,
  kLimitingLampOff,
  kLimitingLampOn,
  kInputOverOff,
  kInputOverOn,
  kOutputOverOff,
  kOutputOverOn,
  kSplashImage,
};

} // namespace

LimiterEditor::LimiterEditor(LimiterEffect *effect)
    : PanelEditor(effect, P::count, kBackgroundId, kLastImageId), limiter(effect) {}

void LimiterEditor::createControls() {
  inputBar = addBar({36, 85}, kInputBarOn, kInputBarOff);
  outputBar = addBar({36, 93}, kOutputBarOn, kOutputBarOff);
  inputOverLamp = addLamp({324, 84}, kInputOverOn, kInputOverOff);
  outputOverLamp = addLamp({324, 92}, kOutputOverOn, kOutputOverOff);
  gainReductionLamp = addLamp({180, 0}, kLimitingLampOn, kLimitingLampOff);
  addKnob({64, 20}, kLevelFace, kKnobHandle, P::level);
  addKnob({149, 20}, kCeilFace, kKnobHandle, P::ceil);
  addKnob({233, 20}, kReleaseFace, kKnobHandle, P::release);
  addButton({335, 37}, kTypeButton, P::type);
  addButton({335, 23}, kAheadButton, P::ahead);
  label = addDisplay({334, 79}, kLabelBackground, limiter_editor::labelText);
  value = addDisplay({390, 79}, kValueBackground, limiter_editor::valueText);
  addSplash(Rect(14, 3, 115, 11), kSplashImage);
}

bool LimiterEditor::displayValuesFor(std::int32_t index, float v,
                                     PanelDisplayValues &values) const {
  return limiter_editor::displayValuesFor(index, v, values);
}

PanelMeterReadings LimiterEditor::readMeters() const {
  return limiter_editor::meterReadings(limiter->inputMeter(), limiter->outputMeter(),
                                       limiter->limiting());
}

std::int32_t LimiterEditor::parameterShownAtOpen() const { return P::level; }
