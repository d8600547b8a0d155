// Knobs under real mouse and key input: linear and circular drags, control-click, edit gestures
// reaching the host, wheel, arrow keys, and values written by the editor drawn at the next idle.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "control_test_bed.h"
#include "gui/bitmap.h"
#include "gui/knob_drag.h"
#include "gui/rotary_knob.h"

namespace {

constexpr Color kFace{30, 30, 30, 0};
// Low enough and far enough from the edges that every drag stays over the window: keys change
// state only while the pointer is over it.
const Rect kFirstKnob(120, 150, 160, 190);
const Rect kSecondKnob(220, 150, 260, 190);
const Point kFirstCentre(140, 170);

// Two 40-pixel knobs with a plain face and a line handle; the second is added last.
struct KnobBed {
  RotaryKnob *first = nullptr;
  RotaryKnob *second = nullptr;
  ControlTestBed bed{400, 300, [this](Frame &frame) {
                       Bitmap *face = makeBitmap(40, 40, kFace);
                       first = new RotaryKnob(kFirstKnob, bed.editor, 0, face, nullptr, Point());
                       second = new RotaryKnob(kSecondKnob, bed.editor, 1, face, nullptr, Point());
                       face->release();
                       frame.addChild(first);
                       frame.addChild(second);
                     }};

  void setKnobMode(int mode) { bed.dispatch(effSetEditKnobMode, 0, mode); }
  // Press at `at`, move to each point in turn, release; `held` keys are down throughout.
  bool drag(Point at, std::vector<Point> path, std::vector<unsigned short> held = {}) {
    return bed.perform([&] {
      input::moveTo(at);
      input::pause(40);
      input::holdKeys(held);
      input::pressLeft();
      input::waitFor([&] { return !bed.host.callsWith(audioMasterBeginEdit).empty(); }, 3000);
      Point from = at;
      for (const Point &to : path) {
        input::glide(from, to);
        from = to;
      }
      input::pause(60);
      input::releaseLeft();
      input::releaseKeys(held);
      input::pause(30);
    });
  }
  void click(Point at, std::vector<unsigned short> held = {}) {
    ASSERT_TRUE(bed.perform([&] { input::click(at, held); }));
  }
  void reset(float firstValue) {
    first->setValue(firstValue);
    bed.idle();
    bed.host.clearCalls();
    bed.editor->notifications.clear();
  }
};

Point above(Point p, int pixels) { return Point(p.h, p.v - pixels); }

// A point `reach` pixels from the first knob's centre at `degrees` counter-clockwise from right.
Point aroundFirst(double degrees, double reach = 60.0) {
  const double a = degrees * 3.14159265358979 / 180.0;
  return Point(kFirstCentre.h + static_cast<int>(std::lround(std::cos(a) * reach)),
               kFirstCentre.v - static_cast<int>(std::lround(std::sin(a) * reach)));
}

std::vector<Point> arc(double fromDegrees, double toDegrees) {
  std::vector<Point> points;
  const double step = toDegrees > fromDegrees ? 10.0 : -10.0;
  for (double d = fromDegrees + step; step > 0 ? d <= toDegrees : d >= toDegrees; d += step)
    points.push_back(aroundFirst(d));
  return points;
}

} // namespace

TEST(KnobGui, LinearDragsOneHundredPixelsMoveHalfTheRangeOrAThirdWithShift) {
  KnobBed k;
  k.setKnobMode(kLinearKnobMode);

  k.reset(0.2f);
  ASSERT_TRUE(k.drag(kFirstCentre, {above(kFirstCentre, 100)}));
  EXPECT_NEAR(k.first->getValue(), 0.7f, 1e-5);
  // Exactly one gesture around the listener's values, all of which reached the host.
  const std::vector<HostCall> calls = k.bed.editCalls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls.front().index, 0);
  EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
  EXPECT_EQ(calls.back().index, 0);
  ASSERT_EQ(calls.size() - 2, k.bed.editor->notifications.size());
  for (std::size_t i = 1; i + 1 < calls.size(); ++i) {
    EXPECT_EQ(calls[i].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[i].index, 0);
    EXPECT_FLOAT_EQ(calls[i].opt, k.bed.editor->notifications[i - 1].value);
    EXPECT_GT(calls[i].opt, i > 1 ? calls[i - 1].opt : 0.2f);
  }
  EXPECT_NEAR(calls[calls.size() - 2].opt, 0.7f, 1e-5);
  EXPECT_EQ(k.bed.effect->getParameter(0), k.first->getValue());
  EXPECT_EQ(k.second->getValue(), 0.0f);

  k.reset(0.2f);
  ASSERT_TRUE(k.drag(kFirstCentre, {above(kFirstCentre, 100)}, {VK_SHIFT}));
  EXPECT_NEAR(k.first->getValue(), 0.2f + 1.0f / 3.0f, 1e-5);

  // Diagonal: 60 right and 40 up are 100 steps together; then far past the top clamps.
  k.reset(0.1f);
  ASSERT_TRUE(k.drag(kFirstCentre, {Point(kFirstCentre.h + 60, kFirstCentre.v - 40)}));
  EXPECT_NEAR(k.first->getValue(), 0.6f, 1e-5);
  k.reset(0.9f);
  ASSERT_TRUE(k.drag(kFirstCentre, {above(kFirstCentre, 40)}));
  EXPECT_EQ(k.first->getValue(), 1.0f);
  EXPECT_EQ(k.bed.host.callsWith(audioMasterBeginEdit).size(), 1u);
  EXPECT_EQ(k.bed.host.callsWith(audioMasterEndEdit).size(), 1u);
}

TEST(KnobGui, ShiftPressedAndReleasedMidDragMakesNoJump) {
  KnobBed k;
  k.setKnobMode(kLinearKnobMode);
  k.reset(0.1f);
  // What the host has been told last, and how often: safe to read from the input thread.
  const auto automated = [&] { return k.bed.host.callsWith(audioMasterAutomate); };
  // After a modifier change, one pixel more; the value the loop reports for it, against the one
  // before the change.
  const auto stepAfter = [&](Point from, unsigned short key, bool down) {
    const std::size_t before = automated().size();
    const float last = automated().back().opt;
    down ? input::keyDown(key) : input::keyUp(key);
    input::pause(40);
    input::glide(from, above(from, 1));
    input::waitFor([&] { return automated().size() > before; }, 3000);
    return automated().back().opt - last;
  };
  float pressStep = 1.0f, releaseStep = 1.0f;
  const bool done = k.bed.perform([&] {
    input::moveTo(kFirstCentre);
    input::pause(40);
    input::pressLeft();
    input::waitFor([&] { return !k.bed.host.callsWith(audioMasterBeginEdit).empty(); }, 3000);
    input::glide(kFirstCentre, above(kFirstCentre, 40), 8);
    input::pause(60);
    pressStep = stepAfter(above(kFirstCentre, 40), VK_SHIFT, true);
    input::glide(above(kFirstCentre, 41), above(kFirstCentre, 100), 8);
    input::pause(60);
    releaseStep = stepAfter(above(kFirstCentre, 100), VK_SHIFT, false);
    input::glide(above(kFirstCentre, 101), above(kFirstCentre, 130), 8);
    input::pause(60);
    input::releaseLeft();
  });
  ASSERT_TRUE(done);
  // The first pixel after each change still counts at the rate before it; without the entry
  // value's correction the value would jump by 40 / 200 - 40 / 300 on the press and by
  // 100 / 300 - 100 / 200 on the release.
  EXPECT_NEAR(pressStep, 1.0f / 200.0f, 1e-4f);
  EXPECT_NEAR(releaseStep, 1.0f / 300.0f, 1e-4f);
  // 40 pixels plain, 60 fine, 30 plain: a jump would end at 0.1 + 130 / 200.
  EXPECT_NEAR(k.first->getValue(), 0.1f + 0.2f + 0.2f + 0.15f, 1e-4f);
}

TEST(KnobGui, CircularDragFollowsTheAngleAndStopsAtTheEndItCameFrom) {
  KnobBed k;
  for (int mode : {0, 1, 3}) {
    // Pressing on the top of the knob already takes the angle's value.
    k.setKnobMode(mode);
    k.reset(0.2f);
    k.click(above(kFirstCentre, 18));
    EXPECT_NEAR(k.first->getValue(), 0.5f, 0.01f) << "mode " << mode;
  }
  k.setKnobMode(2);
  k.reset(0.2f);
  k.click(above(kFirstCentre, 18));
  EXPECT_EQ(k.first->getValue(), 0.2f);

  // From the top clockwise to the right (5/6), on through the dead arc at the bottom to the
  // lower left, where the angle alone would mean the minimum.
  k.setKnobMode(0);
  k.reset(0.2f);
  std::vector<Point> path = {aroundFirst(90)};
  for (const Point &p : arc(90, -150))
    path.push_back(p);
  ASSERT_TRUE(k.drag(above(kFirstCentre, 18), path));
  EXPECT_EQ(k.first->getValue(), 1.0f);
  bool sawRight = false;
  float previous = 0.0f;
  for (const Notification &n : k.bed.editor->notifications) {
    EXPECT_GE(n.value, previous);
    previous = n.value;
    sawRight = sawRight || std::fabs(n.value - 5.0f / 6.0f) < 0.01f;
  }
  EXPECT_TRUE(sawRight);

  // The other way round: from the lower left down through the bottom stays at the minimum.
  k.reset(0.5f);
  path = {aroundFirst(200)};
  for (const Point &p : arc(200, 280))
    path.push_back(p);
  ASSERT_TRUE(k.drag(aroundFirst(200, 18), path));
  EXPECT_EQ(k.first->getValue(), 0.0f);

  // Alt makes the circular modes linear.
  k.reset(0.2f);
  ASSERT_TRUE(k.drag(kFirstCentre, {above(kFirstCentre, 100)}, {VK_MENU}));
  EXPECT_NEAR(k.first->getValue(), 0.7f, 1e-5);
}

TEST(KnobGui, ControlClickRestoresTheDefaultWithoutAGesture) {
  KnobBed k;
  k.setKnobMode(kLinearKnobMode);
  k.reset(0.2f);
  k.click(kFirstCentre, {VK_CONTROL});
  EXPECT_EQ(k.first->getValue(), 0.5f);
  ASSERT_EQ(k.bed.editor->notifications.size(), 1u);
  EXPECT_EQ(k.bed.editor->notifications[0].value, 0.5f);
  EXPECT_TRUE(k.bed.host.callsWith(audioMasterBeginEdit).empty());
  EXPECT_TRUE(k.bed.host.callsWith(audioMasterEndEdit).empty());
  ASSERT_EQ(k.bed.host.callsWith(audioMasterAutomate).size(), 1u);
  EXPECT_EQ(k.bed.effect->getParameter(0), 0.5f);

  // With shift as well it is an ordinary (fine) drag.
  k.reset(0.2f);
  ASSERT_TRUE(k.drag(kFirstCentre, {above(kFirstCentre, 100)}, {VK_CONTROL, VK_SHIFT}));
  EXPECT_NEAR(k.first->getValue(), 0.2f + 1.0f / 3.0f, 1e-5);
  EXPECT_EQ(k.bed.host.callsWith(audioMasterBeginEdit).size(), 1u);
  EXPECT_EQ(k.bed.host.callsWith(audioMasterEndEdit).size(), 1u);
}

TEST(KnobGui, WheelAndArrowKeysReachTheFocusKnobElseTheLastAdded) {
  KnobBed k;
  k.setKnobMode(kLinearKnobMode);
  k.reset(0.5f);
  k.second->setValue(0.5f);

  // The wheel goes to the knob under the mouse; shift makes it ten times finer.
  input::moveTo(kFirstCentre);
  k.bed.pumpFor(30);
  EXPECT_TRUE(k.bed.editor->onWheel(2.0f));
  EXPECT_NEAR(k.first->getValue(), 0.7f, 1e-6);
  input::keyDown(VK_SHIFT);
  EXPECT_TRUE(k.bed.editor->onWheel(-1.0f));
  input::keyUp(VK_SHIFT);
  EXPECT_NEAR(k.first->getValue(), 0.69f, 1e-6);
  ASSERT_EQ(k.bed.editor->notifications.size(), 2u);
  EXPECT_TRUE(k.bed.editor->notifications[1].withContext);
  EXPECT_EQ(k.second->getValue(), 0.5f);

  // Without a focus view the keys reach the last-added knob.
  k.bed.editor->notifications.clear();
  EXPECT_EQ(k.bed.dispatch(effEditKeyDown, 0, VKEY_UP), 1);
  EXPECT_NEAR(k.second->getValue(), 0.6f, 1e-6);
  EXPECT_EQ(k.bed.dispatch(effEditKeyDown, 0, VKEY_LEFT, MODIFIER_SHIFT), 1);
  EXPECT_NEAR(k.second->getValue(), 0.59f, 1e-6);
  ASSERT_EQ(k.bed.editor->notifications.size(), 2u);
  EXPECT_FALSE(k.bed.editor->notifications[0].withContext);
  EXPECT_EQ(k.bed.editor->notifications[0].tag, 1);

  // After a drag the dragged knob holds the focus and takes the keys...
  k.click(kFirstCentre);
  EXPECT_EQ(k.bed.frame().getFocusView(), k.first);
  EXPECT_EQ(k.bed.dispatch(effEditKeyDown, 0, VKEY_DOWN), 1);
  EXPECT_NEAR(k.first->getValue(), 0.59f, 1e-6);
  EXPECT_NEAR(k.second->getValue(), 0.59f, 1e-6);
  // ...until the next click anywhere in the frame.
  k.click(Point(300, 260));
  EXPECT_EQ(k.bed.frame().getFocusView(), nullptr);
  EXPECT_EQ(k.bed.dispatch(effEditKeyDown, 0, VKEY_RIGHT), 1);
  EXPECT_NEAR(k.second->getValue(), 0.69f, 1e-6);

  // Other keys are nobody's.
  EXPECT_EQ(k.bed.dispatch(effEditKeyDown, 'a', 0), -1);
  EXPECT_EQ(k.bed.dispatch(effEditKeyDown, 0, 1 /* backspace */), -1);
  EXPECT_EQ(k.bed.dispatch(effEditKeyUp, 0, VKEY_UP), -1);
}

TEST(KnobGui, AValueWrittenByTheEditorIsDrawnAtTheNextIdle) {
  KnobBed k;
  // The visible line starts one pixel above the handle position, its shadow one pixel left.
  const Point top(kFirstKnob.left + 20, kFirstKnob.top + 3 - 1);
  const Point lowerLeft(kFirstKnob.left + 8, kFirstKnob.top + 32 - 1);
  const Point lowerRight(kFirstKnob.left + 32, kFirstKnob.top + 32 - 1);

  k.first->setValue(0.0f);
  k.bed.idle();
  EXPECT_EQ(k.bed.pixel(lowerLeft.h, lowerLeft.v), colorWhite);
  EXPECT_EQ(k.bed.pixel(top.h, top.v), kFace);

  k.first->setValue(0.5f);
  k.bed.pumpFor(30);
  EXPECT_EQ(k.bed.pixel(top.h, top.v), kFace); // nothing draws before the idle
  k.bed.idle();
  EXPECT_EQ(k.bed.pixel(top.h, top.v), colorWhite);
  EXPECT_EQ(k.bed.pixel(top.h, top.v + 1), colorWhite);
  EXPECT_EQ(k.bed.pixel(top.h - 1, top.v + 1), colorGrey); // shadow
  EXPECT_EQ(k.bed.pixel(top.h + 1, top.v + 1), kFace);
  EXPECT_EQ(k.bed.pixel(lowerLeft.h, lowerLeft.v), kFace); // the face covered the old line

  k.first->setValue(1.0f);
  k.bed.idle();
  EXPECT_EQ(k.bed.pixel(lowerRight.h, lowerRight.v), colorWhite);
  EXPECT_EQ(k.bed.pixel(top.h, top.v), kFace);
  EXPECT_FALSE(k.first->needsRedraw());
}

TEST(KnobGui, ADragEndsWhenTheWindowIsDestroyedUnderIt) {
  KnobBed k;
  k.setKnobMode(kLinearKnobMode);
  k.reset(0.2f);
  guitest::HostWindow &window = k.bed.parentWindow();
  const HWND parent = window.handle();
  k.bed.editor->atNextIdle = [&window] { window.destroy(); };
  bool endedWhileHeld = false;
  const bool done = k.bed.perform([&] {
    input::moveTo(kFirstCentre);
    input::pause(40);
    input::pressLeft();
    endedWhileHeld =
        input::waitFor([&] { return !k.bed.host.callsWith(audioMasterEndEdit).empty(); }, 4000);
    input::releaseLeft();
  });
  ASSERT_TRUE(done);
  EXPECT_TRUE(endedWhileHeld);
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(k.bed.frame().isOpen());
  EXPECT_EQ(k.bed.host.callsWith(audioMasterBeginEdit).size(), 1u);
}
