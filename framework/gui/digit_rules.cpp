#include "digit_rules.h"

#include <algorithm>

std::int32_t largestForDigits(std::int32_t digitCount) {
  std::int32_t largest = 1;
  for (std::int32_t i = 0; i < std::clamp(digitCount, 1, kMaxDigits); ++i)
    largest *= 10;
  return largest - 1;
}

void splitDigits(float value, std::int32_t digitCount, std::int32_t *digits) {
  const std::int32_t largest = largestForDigits(digitCount);
  // Compared as a float first: a huge value must not overflow the conversion.
  std::int32_t n = value >= static_cast<float>(largest) ? largest
                   : value > 0.0f                       ? static_cast<std::int32_t>(value)
                                                        : 0;
  std::int32_t divisor = (largest + 1) / 10;
  for (std::int32_t i = 0; i < std::clamp(digitCount, 1, kMaxDigits); ++i) {
    const std::int32_t digit = std::min(n / divisor, 9);
    n -= digit * divisor;
    divisor = std::max(divisor / 10, 1);
    digits[i] = digit;
  }
}
