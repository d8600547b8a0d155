// The editor base of the bitmap toolkit: owns the frame between open and close, registers with
// its effect, forwards keys and wheel to the frame, and runs the throttled idle cycle that keeps
// host and display serviced while a control tracks the mouse.
#pragma once

#include <cstdint>

#include "editor_base.h"

class Frame;
class EffectExtended;

class GuiEditor : public EditorBase {
public:
  explicit GuiEditor(EffectBase *effect);
  ~GuiEditor() override;

  VstInt32 getRect(ERect **rect) override;
  VstInt32 open(void *parentWindow) override;
  void idle() override;
  VstInt32 onKeyDown(VstKeyCode &keyCode) override;
  VstInt32 onKeyUp(VstKeyCode &keyCode) override;
  VstInt32 setKnobMode(VstInt32 mode) override;
  bool onWheel(float distance) override;

  virtual void setParameter(VstInt32 index, float value);
  virtual void draw(ERect *rect);
  virtual void runIdleCycle();

  void wait(std::uint32_t milliseconds);
  static std::uint32_t getTicks();
  Frame *getFrame() const { return frame; }
  // The effect's host services (edit gestures, idle, capabilities); null for a plain effect.
  EffectExtended *hostServices() const;

  // Library-wide: the knob mode the host last set, shared by every editor in the process.
  static VstInt32 knobMode;

protected:
  ERect rect{0, 0, 0, 0};
  Frame *frame = nullptr;
  std::uint32_t nextIdleTicks;
  bool inIdleCycle = false;
};
