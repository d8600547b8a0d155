#include "editor_base.h"

EditorBase::EditorBase(EffectBase *effect) : effect(effect), systemWindow(nullptr), updateFlag(0) {}

EditorBase::~EditorBase() = default;

VstInt32 EditorBase::getRect(ERect **rect) {
  *rect = nullptr;
  return 0;
}

VstInt32 EditorBase::open(void *parentWindow) {
  systemWindow = parentWindow;
  return 0;
}

void EditorBase::close() {}

void EditorBase::idle() {
  if (updateFlag.exchange(0, std::memory_order_relaxed) != 0)
    update();
}

void EditorBase::update() {}

void EditorBase::postUpdate() { updateFlag.store(1, std::memory_order_relaxed); }

VstInt32 EditorBase::onKeyDown(VstKeyCode &) { return -1; }

VstInt32 EditorBase::onKeyUp(VstKeyCode &) { return -1; }

VstInt32 EditorBase::setKnobMode(VstInt32) { return 0; }

bool EditorBase::onWheel(float) { return false; }
