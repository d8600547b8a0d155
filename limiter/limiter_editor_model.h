// What H3R's editor shows, apart from any window: the texts of its two displays, the values
// behind them, and how the effect's meter readings become bar levels and lamps.
#pragma once

#include "editor/panel_readings.h"

namespace limiter_editor {

// Formatters of the two displays; `text` holds at least 16 characters.
void labelText(float value, char *text);
void valueText(float value, char *text);

// The two displays' values after parameter `index` changed to `v`.
// False for an index that is not a parameter.
bool displayValuesFor(int index, float v, PanelDisplayValues &values);

// While the limiter leaves the gain alone, the output bar shows the input meter.
PanelMeterReadings meterReadings(double inputMeter, double outputMeter, float limiting);

} // namespace limiter_editor
