// Where the mouse is, turned into a value, for the controls that split their area into zones.
// Window-free, so the rules are tested natively.
#pragma once

#include <cstdint>

// A selector with `positions` steps over `span` pixels (one image's height, or the image's width
// for the horizontal one): equal zones of span / positions pixels from the start, clamped to 0..1.
float selectorValueAt(std::int32_t offset, std::int32_t span, std::int32_t positions);

// A rocker: -1 in the first half of `length`, +1 in the second; the value at the press while
// the mouse is outside the control.
float rockerValueAt(std::int32_t offset, std::int32_t length, bool inside, float pressValue);

// A strip button shows the opposite of its value at the press while the mouse is inside it.
float stripButtonValueAt(bool inside, float pressValue);
