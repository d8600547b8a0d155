// What DW5K's editor shows, apart from any window: the texts of its two displays, the value maps
// behind them, and how the effect's meter readings become bar levels and lamps.
#pragma once

#include "editor/panel_readings.h"

namespace compressor_editor {

// Formatters of the two displays; `text` holds at least 16 characters.
void labelText(float value, char *text);
void valueText(float value, char *text);

double attackMsFromValue(double v);
double releaseMsFromValue(double v);
double thresholdDbFromValue(double v);
// The ratio 0.8 * 25^v, encoded below -200 so that valueText prints it as a ratio.
double ratioCodeFromValue(double v);
double levelDbFromValue(double v);

// The two displays' values after parameter `index` changed to `v`.
// False for an index that is not a parameter.
bool displayValuesFor(int index, float v, PanelDisplayValues &values);

// While it does not compress, the output bar shows the input raised by the output gain, so it
// moves with the Level knob at once instead of after the next meter window.
PanelMeterReadings meterReadings(double inputMeter, double outputMeter, float compressing,
                                 double outputGain);

} // namespace compressor_editor
