// The editor interface the dispatcher drives, with empty default behaviour, and the update flag
// through which an effect schedules a redraw at the next idle.
#pragma once

#include <atomic>
#include <cstdint>

#include "effect/plugin_interface.h"

class EffectBase;

class EditorBase {
public:
  explicit EditorBase(EffectBase *effect);
  virtual ~EditorBase();

  EditorBase(const EditorBase &) = delete;
  EditorBase &operator=(const EditorBase &) = delete;

  virtual VstInt32 getRect(ERect **rect);
  virtual VstInt32 open(void *parentWindow);
  virtual void close();
  virtual void idle();
  virtual void update();
  virtual void postUpdate();
  virtual VstInt32 onKeyDown(VstKeyCode &keyCode);
  virtual VstInt32 onKeyUp(VstKeyCode &keyCode);
  virtual VstInt32 setKnobMode(VstInt32 mode);
  virtual bool onWheel(float distance);

  EffectBase *getEffect() const { return effect; }
  void *getSystemWindow() const { return systemWindow; }

protected:
  EffectBase *effect;
  void *systemWindow;
  // Set from the parameter thread, cleared on the editor thread.
  std::atomic<std::int32_t> updateFlag;
};
