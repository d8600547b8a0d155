#include "meter_scale.h"

int meterScaleOffset(double levelDb, int barWidth, int steps) {
  // The same arithmetic the meter uses when drawing, so the ticks match the lit edge exactly.
  const float value = float(levelDb / 60.0 + 1.0);
  const int k = int(float(steps) * value + 0.5f);
  return int(float(barWidth) * (float(k) / float(steps)));
}
