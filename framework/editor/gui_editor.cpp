#include "gui_editor.h"

#include "effect/effect_extended.h"
#include "gui/frame.h"
#include "gui/window_system.h"
#include "idle_cycle.h"

VstInt32 GuiEditor::knobMode = 0;

GuiEditor::GuiEditor(EffectBase *effect) : EditorBase(effect), nextIdleTicks(0) {
  if (effect)
    effect->setEditor(this);
  systemWindow = nullptr;
  nextIdleTicks = getTicks();
  windowSystem::initializeOle();
}

GuiEditor::~GuiEditor() {
  // A host may close the effect with the editor still open: the window must not outlive the
  // editor its frame points to.
  delete frame;
  frame = nullptr;
  windowSystem::uninitializeOle();
}

VstInt32 GuiEditor::getRect(ERect **where) {
  *where = &rect;
  return 1;
}

VstInt32 GuiEditor::open(void *parentWindow) {
  postUpdate();
  return EditorBase::open(parentWindow);
}

void GuiEditor::idle() {
  if (inIdleCycle)
    return; // the host called back from inside the cycle's own host idle call
  EditorBase::idle();
  if (frame)
    frame->idle();
}

VstInt32 GuiEditor::onKeyDown(VstKeyCode &keyCode) {
  return frame ? frame->onKeyDown(keyCode) : -1;
}

VstInt32 GuiEditor::onKeyUp(VstKeyCode &keyCode) { return frame ? frame->onKeyUp(keyCode) : -1; }

VstInt32 GuiEditor::setKnobMode(VstInt32 mode) {
  knobMode = mode;
  return 1;
}

bool GuiEditor::onWheel(float distance) {
  return frame ? frame->onWheel(nullptr, Point(0, 0), distance) : false;
}

void GuiEditor::setParameter(VstInt32, float) { postUpdate(); }

void GuiEditor::draw(ERect *) {
  if (frame)
    frame->drawViewNow(nullptr);
}

void GuiEditor::runIdleCycle() {
  const IdleCycleDecision decision = decideIdleCycle(getTicks(), nextIdleTicks);
  if (decision.sleepFirst)
    wait(kIdleCycleSleep);
  if (!decision.runCycle)
    return;
  idle();
  windowSystem::dispatchOnePaintMessage();
  nextIdleTicks = decision.now + kIdleCycleInterval;
  inIdleCycle = true;
  if (effect)
    effect->masterIdle();
  inIdleCycle = false;
}

void GuiEditor::wait(std::uint32_t milliseconds) { windowSystem::sleep(milliseconds); }

std::uint32_t GuiEditor::getTicks() { return windowSystem::ticks(); }

EffectExtended *GuiEditor::hostServices() const { return dynamic_cast<EffectExtended *>(effect); }
