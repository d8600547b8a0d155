// What H3R's `main` creates: the limiter with its editor, kept in step with every parameter
// change, whether it comes from the host, a program change or the editor itself. Its identity
// answers are the effect's own.
#pragma once

#include "limiter_effect.h"

class LimiterEditEffect : public LimiterEffect {
public:
  explicit LimiterEditEffect(audioMasterCallback host);

  // The effect's setter, then the editor is told (it moves its controls at its next idle).
  void setParameter(VstInt32 index, float value) override;
};
