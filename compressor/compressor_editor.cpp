#include "compressor_editor.h"

#include "compressor_editor_model.h"
#include "compressor_effect.h"
#include "compressor_parameters.h"
#include "gui/bitmap.h"

namespace {

using P = CompressorParameters;

enum ImageId : std::int32_t {
  kKnobHandle = 129,
  kThresholdFace,
  kAttackFace,
  kRatioFace,
  kReleaseFace,
  kLevelFace,
  kTypeButton,
  kAheadButton,
  kLabelBackground,
  kValueBackground,
  kInputBarOff,
  kInputBarOn,
  kOutputBarOff,
  kOutputBarOn,
  kCompressionLampOff,
  kCompressionLampOn,
  kInputOverOff,
  kInputOverOn,
  kOutputOverOff,
  kOutputOverOn,
  kSplashImage,
};

} // namespace

CompressorEditor::CompressorEditor(CompressorEffect *effect)
    : PanelEditor(effect, P::count, kBackgroundId, kLastImageId), compressor(effect) {}

void CompressorEditor::createControls() {
  inputBar = addBar({35, 142}, kInputBarOn, kInputBarOff);
  // The output bar and its lamp reach one pixel below their images.
  outputBar = addBar({35, 149}, kOutputBarOn, kOutputBarOff, 1);
  inputOverLamp = addLamp({324, 142}, kInputOverOn, kInputOverOff);
  outputOverLamp = addLamp({324, 149}, kOutputOverOn, kOutputOverOff, 1);
  gainReductionLamp = addLamp({77, 25}, kCompressionLampOn, kCompressionLampOff);
  addKnob({37, 35}, kThresholdFace, kKnobHandle, P::threshold);
  addKnob({113, 65}, kAttackFace, kKnobHandle, P::attack);
  addKnob({180, 23}, kRatioFace, kKnobHandle, P::ratio);
  addKnob({270, 66}, kReleaseFace, kKnobHandle, P::release);
  addKnob({346, 35}, kLevelFace, kKnobHandle, P::level);
  // Look-ahead sits directly above the soft-knee switch, whose top is at 21.
  addButton({268, 21}, kTypeButton, P::type);
  const Bitmap *ahead = image(kAheadButton);
  addButton({268, 21 - (ahead ? ahead->getHeight() / 2 : 0)}, kAheadButton, P::ahead);
  label = addDisplay({334, 136}, kLabelBackground, compressor_editor::labelText);
  value = addDisplay({390, 136}, kValueBackground, compressor_editor::valueText);
  addSplash(Rect(14, 3, 115, 11), kSplashImage);
}

bool CompressorEditor::displayValuesFor(std::int32_t index, float v,
                                        PanelDisplayValues &values) const {
  return compressor_editor::displayValuesFor(index, v, values);
}

PanelMeterReadings CompressorEditor::readMeters() const {
  return compressor_editor::meterReadings(compressor->inputMeter(), compressor->outputMeter(),
                                          compressor->compressing(), compressor->outputGain());
}

std::int32_t CompressorEditor::parameterShownAtOpen() const { return P::level; }
