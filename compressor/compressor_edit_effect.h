// What DW5K's `main` creates: the compressor with its editor, kept in step with every parameter
// change, whether it comes from the host, a program change or the editor itself. Its identity
// answers are the effect's own.
#pragma once

#include "compressor_effect.h"

class CompressorEditEffect : public CompressorEffect {
public:
  explicit CompressorEditEffect(audioMasterCallback host);

  // The effect's setter, then the editor is told (it moves its controls at its next idle).
  void setParameter(VstInt32 index, float value) override;
};
