// How a peak level becomes what the editors' bars and over lamps show: a linear dB scale from
// -60 dBFS (empty) to 0 dBFS (full), with the lamp lit above full scale.
#pragma once

struct MeterLevel {
  float bar; // 0 empty .. 1 full
  bool over; // above 0 dBFS
};

constexpr double kMeterFloorDb = -60.0;

// NaN (a meter that never ran, or a broken reading) shows as silence.
MeterLevel meterLevelFromDecibels(double decibels);
// `peak` is linear; 0 shows an empty bar.
MeterLevel meterLevelFromPeak(double peak);
