#include <gtest/gtest.h>

#include "framework/effect/probe_effect.h"

namespace {

TEST(EditorBase, UpdateRunsOnceAtTheNextIdleHoweverOftenItWasPosted) {
  ProbeEffect effect;
  ProbeEditor editor(&effect);
  editor.postUpdate();
  editor.postUpdate();
  editor.postUpdate();
  editor.idle();
  editor.idle();
  EXPECT_EQ(editor.updates, 1);
  editor.postUpdate();
  editor.idle();
  EXPECT_EQ(editor.updates, 2);
}

TEST(EditorBase, Defaults) {
  ProbeEffect effect;
  EditorBase editor(&effect);
  EXPECT_EQ(editor.getEffect(), &effect);
  EXPECT_EQ(editor.getSystemWindow(), nullptr);
  EXPECT_EQ(effect.editorPointer(), nullptr) << "a plain editor does not register itself";
  ERect *rect = reinterpret_cast<ERect *>(&effect);
  EXPECT_EQ(editor.getRect(&rect), 0);
  EXPECT_EQ(rect, nullptr);
  int window = 0;
  EXPECT_EQ(editor.open(&window), 0);
  EXPECT_EQ(editor.getSystemWindow(), &window);
  VstKeyCode key{65, 0, 0, {0, 0}};
  EXPECT_EQ(editor.onKeyDown(key), -1);
  EXPECT_EQ(editor.onKeyUp(key), -1);
  EXPECT_EQ(editor.setKnobMode(2), 0);
  EXPECT_FALSE(editor.onWheel(1.0f));
}

} // namespace
