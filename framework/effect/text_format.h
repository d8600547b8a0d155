// Fixed-width number formatting for parameter displays. Every text fits in 9 bytes with its
// terminator.
#pragma once

#include <cstdint>

// At most 8 characters, digits by truncation, never an exponent; "Huge!" beyond the limits.
void formatFloat(float value, char *text);
// "%7d" cut after 8 characters; "Huge!" from 100000000 on.
void formatLong(std::int32_t value, char *text);
