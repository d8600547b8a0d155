// How a level meter's shown level falls back and how it is quantised into pixels.
#pragma once

#include <cstdint>

// The shown level after one drawing: it follows a rising value at once and falls by at most
// `decayStep`.
float decayedMeterLevel(float shown, float value, float decayStep);

// Pixels of the on image shown by a horizontal bar, `extent` being the image's width.
std::int32_t meterOnWidth(std::int32_t ledCount, float shown, std::int32_t extent);

// Pixels of the off image above a vertical bar, `extent` being the image's height.
std::int32_t meterOffHeight(std::int32_t ledCount, float maximum, float shown, std::int32_t extent);
