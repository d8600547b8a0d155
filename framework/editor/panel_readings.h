// What a plug-in's panel editor shows besides its knobs, as plain values: the two displays'
// values after a parameter change, and the bars and lamps for the effect's meter readings.
#pragma once

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
