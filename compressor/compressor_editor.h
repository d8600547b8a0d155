// DW5K's window: a 430 x 180 panel with the Threshold, Attack, Ratio, Release and Level knobs,
// the soft-knee and look-ahead switches, the parameter readout, level bars and lamps.
#pragma once

#include "editor/panel_editor.h"

class CompressorEffect;

class CompressorEditor : public PanelEditor {
public:
  explicit CompressorEditor(CompressorEffect *effect);

  // Resource ids of the panel's images.
  static constexpr std::int32_t kBackgroundId = 128;
  static constexpr std::int32_t kLastImageId = 149;

protected:
  void createControls() override;
  bool displayValuesFor(std::int32_t index, float v, PanelDisplayValues &values) const override;
  PanelMeterReadings readMeters() const override;
  std::int32_t parameterShownAtOpen() const override;

private:
  CompressorEffect *compressor;
};
