#include "text_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kBudget = 8;

char digitOf(double x) {
  return static_cast<char>('0' + static_cast<int>(std::trunc(std::fmod(x, 10.0))));
}

} // namespace

void formatFloat(float value, char *text) {
  double v = value;
  if (std::isnan(v)) {
    std::strcpy(text, "NaN");
    return;
  }
  int count = 0;
  const bool negative = v < 0;
  if (negative) {
    v = -v;
    count = 1;
  }
  if ((negative && v > 9999999.0) || (!negative && v > 99999999.0)) {
    std::strcpy(text, "Huge!");
    return;
  }

  double integ = std::floor(v);
  // More integer digits than the budget leaves room for: show them all and drop the point
  // rather than lose the leading ones.
  if (integ >= std::pow(10.0, kBudget - count - 1)) {
    std::snprintf(text, kBudget + 1, "%s%.0f", negative ? "-" : "", integ);
    return;
  }

  char scratch[32];
  int pos = sizeof scratch - 1;
  scratch[pos] = '\0';
  scratch[--pos] = '.';
  scratch[--pos] = digitOf(integ);
  integ *= 0.1;
  count += 2;
  while (integ >= 1.0 && count < kBudget) {
    scratch[--pos] = digitOf(integ);
    integ *= 0.1;
    count += 1;
  }
  if (negative)
    scratch[--pos] = '-';
  std::strcpy(text, scratch + pos);
  if (count >= kBudget)
    return;

  const int k = kBudget - count;
  double m = std::fmod(v, 1.0) * std::pow(10.0, k);
  char fraction[kBudget + 1];
  fraction[k] = '\0';
  for (int i = k - 1; i >= 0; --i) {
    if (m > 0) {
      fraction[i] = digitOf(m);
      m *= 0.1;
    } else {
      fraction[i] = '0';
    }
  }
  std::strcat(text, fraction);
}

void formatLong(std::int32_t value, char *text) {
  if (value >= 100000000) {
    std::strcpy(text, "Huge!");
    return;
  }
  char scratch[16];
  std::snprintf(scratch, sizeof scratch, "%7d", static_cast<int>(value));
  scratch[kBudget] = '\0';
  std::strcpy(text, scratch);
}
