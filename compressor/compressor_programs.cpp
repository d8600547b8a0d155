#include "compressor_programs.h"

namespace {

struct FactoryEntry {
  const char *name;
  float attack, release, threshold, ratio, level, type, ahead;
};

constexpr FactoryEntry kFactory[kCompressorProgramCount] = {
    {"00 - Default", 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f},
    {"01 - Peak suppressor", 0.0f, 0.0f, 0.757856f, 1.0f, 0.5f, 0.0f, 1.0f},
    {"02 - Transient", 0.65f, 0.0f, 0.15f, 0.4f, 0.5f, 0.0f, 0.0f},
    {"03 - Leveller", 0.0f, 0.5f, 0.19201f, 0.703207f, 0.66f, 1.0f, 1.0f},
    {"04 - Expander", 0.0f, 0.60917f, 0.412039f, 0.0f, 0.5f, 1.0f, 1.0f},
    {"05 - Smooth", 0.051986f, 0.656065f, 0.75f, 0.793184f, 0.5f, 1.0f, 1.0f},
    {"06 - Classic comp", 0.051986f, 0.150375f, 0.5f, 0.715311f, 0.657028f, 0.0f, 1.0f},
    {"07 - Vocal", 0.0761335f, 0.0f, 0.5f, 0.347945f, 0.5f, 0.0f, 1.0f},
};

} // namespace

CompressorProgramBank factoryCompressorPrograms() {
  CompressorProgramBank bank;
  for (int i = 0; i < kCompressorProgramCount; ++i) {
    const FactoryEntry &e = kFactory[i];
    bank[i].parameters = {{e.attack, e.release, e.threshold, e.ratio, e.level, e.type, e.ahead}};
    storeProgramName(bank[i].name, e.name);
  }
  return bank;
}
