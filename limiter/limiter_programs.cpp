#include "limiter_programs.h"

namespace {

struct FactoryRow {
  const char *name;
  float release, ceil, level, type, ahead;
};

// The shortest decimal forms of the stored floats; each literal rounds to the intended bits.
constexpr FactoryRow kFactoryRows[kLimiterProgramCount] = {
    {"00 - Default", 0.5f, 0.5f, 0.5f, 0.0f, 0.0f},
    {"01 - Peak Limiting", 0.0f, 0.757856f, 0.5f, 0.0f, 1.0f},
    {"02 - Pumping", 0.0f, 0.0f, 0.8f, 1.0f, 0.0f},
    {"03 - Squash it!", 0.5f, 0.19201f, 0.66f, 1.0f, 1.0f},
    {"04 - Hard limiter @-3dB", 0.60917f, 0.75f, 0.5f, 0.0f, 1.0f},
    {"05 - Hard limiter @-1dB", 0.656065f, 0.9166667f, 0.5f, 0.0f, 1.0f},
    {"06 - The razor's edge", 0.5f, 1.0f, 0.657028f, 0.0f, 1.0f},
    {"07 - Level maximizer", 0.7f, 1.0f, 1.0f, 1.0f, 1.0f},
};

} // namespace

LimiterProgramBank factoryLimiterPrograms() {
  LimiterProgramBank bank;
  for (int i = 0; i < kLimiterProgramCount; ++i) {
    const FactoryRow &row = kFactoryRows[i];
    bank[i].parameters.values[LimiterParameters::release] = row.release;
    bank[i].parameters.values[LimiterParameters::ceil] = row.ceil;
    bank[i].parameters.values[LimiterParameters::level] = row.level;
    bank[i].parameters.values[LimiterParameters::type] = row.type;
    bank[i].parameters.values[LimiterParameters::ahead] = row.ahead;
    storeProgramName(bank[i].name, row.name);
  }
  return bank;
}
