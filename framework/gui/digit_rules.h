// Splitting a number into the digits a digit display draws. Window-free, tested natively.
#pragma once

#include <cstdint>

constexpr std::int32_t kMaxDigits = 7;

// The largest number `digitCount` digits show: 10^digitCount - 1 (count limited to 1..7).
std::int32_t largestForDigits(std::int32_t digitCount);

// Writes `digitCount` digits, most significant first, of the value truncated and limited to
// 0..largestForDigits(digitCount).
void splitDigits(float value, std::int32_t digitCount, std::int32_t *digits);
