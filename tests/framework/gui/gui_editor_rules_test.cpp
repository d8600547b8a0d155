// The GUI editor on the headless window system, with a clock stepped by hand: registration,
// the throttled idle cycle, the re-entry guard, key and wheel forwarding and the knob mode.
#include <gtest/gtest.h>

#include "editor/gui_editor.h"
#include "effect/effect_extended.h"
#include "gui/frame.h"
#include "gui/headless_input.h"
#include "mouse_state_cases.h"
#include "recording_host.h"
#include "recording_view.h"

namespace {

int parentToken;

class PlainEffect : public EffectExtended {
public:
  explicit PlainEffect(audioMasterCallback host) : EffectExtended(host, 1, 1) {}
  void process(float **, float **, VstInt32) override {}
};

class CountingEditor : public GuiEditor {
public:
  explicit CountingEditor(EffectBase *effect) : GuiEditor(effect) { rect = ERect{0, 0, 40, 90}; }
  VstInt32 open(void *parent) override {
    GuiEditor::open(parent);
    frame = new Frame(Rect(0, 0, 90, 40), parent, this);
    return 1;
  }
  void close() override {
    delete frame;
    frame = nullptr;
  }
  void update() override { ++updates; }
  void idle() override {
    ++idles;
    GuiEditor::idle();
  }
  int updates = 0;
  int idles = 0;
};

class EditorRules : public ::testing::Test {
protected:
  EditorRules() {
    headless::useManualClock(1000);
    host.adopt(effect.getAeffect());
    editor = new CountingEditor(&effect);
  }
  ~EditorRules() override {
    host.release(effect.getAeffect());
    headless::useRealClock();
  }
  std::size_t hostIdles() const { return host.callsWith(audioMasterIdle).size(); }

  RecordingHost host;
  PlainEffect effect{RecordingHost::callback()};
  CountingEditor *editor;
};

TEST_F(EditorRules, RegistersWithItsEffectAndAnswersItsSizeBeforeOpening) {
  EXPECT_EQ(effect.editorPointer(), editor);
  EXPECT_NE(effect.getAeffect()->flags & effFlagsHasEditor, 0);
  ERect *rect = nullptr;
  EXPECT_EQ(editor->getRect(&rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right, 90);
  EXPECT_EQ(rect->bottom, 40);
  VstKeyCode key{0, 0, 0, {0, 0}};
  EXPECT_EQ(editor->onKeyDown(key), -1); // no frame yet
  EXPECT_EQ(editor->onKeyUp(key), -1);
  EXPECT_FALSE(editor->onWheel(1.0f));
  editor->draw(nullptr); // nothing to draw into; must not fail
}

TEST_F(EditorRules, IdleCycleRunsAtMostEveryHundredMillisecondsWithAFourMillisecondNap) {
  editor->runIdleCycle(); // the first cycle is due at once
  EXPECT_EQ(editor->idles, 1);
  EXPECT_EQ(hostIdles(), 1u);
  EXPECT_EQ(GuiEditor::getTicks(), 1000u); // no nap when due

  headless::advanceClock(10);
  editor->runIdleCycle(); // 90 ms early: naps 4 ms and gives up
  EXPECT_EQ(GuiEditor::getTicks(), 1014u);
  EXPECT_EQ(editor->idles, 1);
  EXPECT_EQ(hostIdles(), 1u);

  headless::advanceClock(1060 - 1014);
  editor->runIdleCycle(); // 40 ms early: naps, then 36 ms remain, within the 50 ms window
  EXPECT_EQ(GuiEditor::getTicks(), 1064u);
  EXPECT_EQ(editor->idles, 2);
  EXPECT_EQ(hostIdles(), 2u);

  headless::advanceClock(1164 - 1064 - 60); // next due at 1164 (counted from after the nap)
  editor->runIdleCycle();
  EXPECT_EQ(editor->idles, 2);
}

TEST_F(EditorRules, IdleFromInsideTheHostsIdleCallDoesNothing) {
  editor->postUpdate();
  host.setHook(audioMasterIdle, [&](const HostCall &) {
    editor->postUpdate();
    editor->idle(); // the host answers with an editor idle of its own
  });
  editor->runIdleCycle();
  EXPECT_EQ(editor->updates, 1); // the cycle's own idle ran the first update only
  host.setHook(audioMasterIdle, nullptr);
  editor->idle();
  EXPECT_EQ(editor->updates, 2);
}

TEST_F(EditorRules, ParameterChangesScheduleOneUpdateAndOpenRequestsOne) {
  editor->setParameter(0, 0.5f);
  editor->setParameter(0, 0.7f);
  editor->idle();
  editor->idle();
  EXPECT_EQ(editor->updates, 1);
  editor->open(&parentToken);
  EXPECT_EQ(editor->getSystemWindow(), &parentToken);
  editor->idle();
  EXPECT_EQ(editor->updates, 2);
  editor->close();
}

TEST_F(EditorRules, KeysAndWheelReachTheFrameWhileOpen) {
  editor->open(&parentToken);
  std::vector<std::string> log;
  auto *view = new RecordingView("v", Rect(0, 0, 90, 40), log);
  view->keyAnswer = 5;
  editor->getFrame()->addChild(view);
  VstKeyCode key{0, 0, 0, {0, 0}};
  EXPECT_EQ(editor->onKeyDown(key), 5);
  headless::setWindowOrigin(Point(0, 0));
  headless::setMouse(Point(10, 10), 0);
  EXPECT_TRUE(editor->onWheel(2.0f));
  EXPECT_EQ(log.back(), "v:wheel 10,10 2");
  editor->close();
  EXPECT_EQ(editor->onKeyDown(key), -1);
}

TEST_F(EditorRules, KnobModeIsSharedByEveryEditorAndSeenByFrames) {
  PlainEffect other(nullptr);
  auto *second = new CountingEditor(&other);
  EXPECT_EQ(editor->setKnobMode(2), 1);
  second->open(&parentToken);
  EXPECT_EQ(second->getFrame()->knobMode(), 2);
  second->setKnobMode(0);
  editor->open(&parentToken);
  EXPECT_EQ(editor->getFrame()->knobMode(), 0);
  editor->close();
  second->close();
}

TEST_F(EditorRules, ClosingTheEffectWithTheEditorOpenTakesTheWindowAlong) {
  const int windows = headless::openWindowCount();
  {
    PlainEffect other(nullptr);
    auto *second = new CountingEditor(&other);
    second->open(&parentToken);
    EXPECT_EQ(headless::openWindowCount(), windows + 1);
  }
  EXPECT_EQ(headless::openWindowCount(), windows);
}

TEST(InputRules, ButtonBitsFollowThePhysicalKeysAndTheSwap) {
  for (const MouseStateCase &c : mouseStateCases())
    EXPECT_EQ(mouseButtonBits(c.input, c.swapped), c.bits) << c.name;
}

} // namespace
