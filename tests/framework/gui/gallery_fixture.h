// The gallery plug-in loaded as a host loads it, its editor open in a real window: what the
// GUI tests of the further controls share.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gallery_protocol.h"
#include "real_input.h"
#include "recording_host.h"

class GalleryTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(plugin.open(GALLERY_PLUGIN, error)) << error;
    module = GetModuleHandleA(GALLERY_PLUGIN);
    ASSERT_NE(module, nullptr);
    window = std::make_unique<guitest::HostWindow>(0, 0, kGalleryWidth, kGalleryHeight);
    dispatch(effEditOpen, 0, 0, window->handle());
    frameWindow = FindWindowExA(window->handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(frameWindow, nullptr);
    InvalidateRect(frameWindow, nullptr, FALSE);
    idleFor(300);
    host().clearCalls();
  }
  void TearDown() override {
    dispatch(effEditClose);
    window.reset();
    plugin.effect.reset();
  }

  RecordingHost &host() { return plugin.host; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr,
                     float opt = 0.0f) {
    return plugin.effect->dispatch(opcode, index, value, ptr, opt);
  }
  void hostIdle() { dispatch(effEditIdle); }
  void idleFor(int milliseconds) {
    pumpFor(milliseconds, [this] { hostIdle(); });
  }
  bool play(InputScript &script) {
    return script.play([this] { hostIdle(); });
  }
  void setParameter(VstInt32 tag, float value) {
    plugin.effect->setParameter(tag, value);
    idleFor(120);
  }
  float parameter(VstInt32 tag) { return plugin.effect->getParameter(tag); }
  std::string display(VstInt32 tag) { return plugin.effect->paramDisplay(tag); }

  std::vector<float> automations(VstInt32 tag) {
    std::vector<float> values;
    for (const HostCall &call : host().callsWith(audioMasterAutomate))
      if (call.index == tag)
        values.push_back(call.opt);
    return values;
  }
  // Begin and end gestures for a tag, in order, as a string: "be" is one pair.
  std::string gestures(VstInt32 tag) {
    std::string text;
    for (const HostCall &call : host().calls())
      if (call.index == tag &&
          (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit))
        text += call.opcode == audioMasterBeginEdit ? 'b' : 'e';
    return text;
  }
  // How many pixels of `where` differ from image `index` of a strip (frames `frameHeight` high).
  int differencesFromImage(const Rect &where, int bitmap, int index, int frameHeight) {
    const Rect source(0, index * frameHeight, where.width(), index * frameHeight + where.height());
    return countDifferences(guitest::windowPixels(frameWindow, where),
                            resourcePixels(module, bitmap, source));
  }
  Point centre(const Rect &r) { return Point((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

  LoadedPlugin plugin;
  HMODULE module = nullptr;
  std::unique_ptr<guitest::HostWindow> window;
  HWND frameWindow = nullptr;
};

inline Rect inside(const Rect &container, const Rect &child) {
  Rect moved = child;
  moved.offset(container.left, container.top);
  return moved;
}
