#pragma once

// Where a level bar of `barWidth` pixels, quantised to `steps` steps over -60..0 dB, ends when
// it shows `levelDb`: the offset of the first unlit pixel from the bar's left edge.
int meterScaleOffset(double levelDb, int barWidth, int steps = 300);
