// H3R's window: a 430 x 120 panel with the Level, Ceil and Release knobs, the knee and
// look-ahead switches, the parameter readout, level bars and lamps.
#pragma once

#include "editor/panel_editor.h"

class LimiterEffect;

class LimiterEditor : public PanelEditor {
public:
  explicit LimiterEditor(LimiterEffect *effect);

  // Resource ids of the panel's images.
  static constexpr std::int32_t kBackgroundId = 128;
  static constexpr std::int32_t kLastImageId = 147;

protected:
  void createControls() override;
  bool displayValuesFor(std::int32_t index, float v, PanelDisplayValues &values) const override;
  PanelMeterReadings readMeters() const override;
  std::int32_t parameterShownAtOpen() const override;

private:
  LimiterEffect *limiter;
};
