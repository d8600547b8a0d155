// The splash panel under real clicks: modal over its display rectangle, closed by a click on it,
// other controls deaf to the mouse but not to keys meanwhile, and the path taken when another
// modal view is already set.
#include <gtest/gtest.h>
#include <windows.h>

#include "control_test_bed.h"
#include "gui/bitmap.h"
#include "gui/knob_drag.h"
#include "gui/rotary_knob.h"
#include "gui/splash_panel.h"
#include "gui/toggle_button.h"

namespace {

constexpr Color kSplash{180, 0, 180, 0};
const Rect kPanel(300, 10, 340, 30);
const Rect kDisplay(50, 50, 250, 200);

// Stands in for another modal view; hands its clicks on to the panel, so that the panel is
// clicked for real while it cannot become modal.
class ForwardingView : public View {
public:
  ForwardingView(const Rect &bounds, View *target) : View(bounds), target(target) {}
  void onMouseDown(DrawContext *context, Point &where) override {
    target->onMouseDown(context, where);
  }

private:
  View *target;
};

struct SplashBed {
  SplashPanel *splash = nullptr;
  ToggleButton *toggle = nullptr;
  RotaryKnob *knob = nullptr;
  ControlTestBed bed{400, 300, [this](Frame &frame) {
                       Bitmap *image = makeBitmap(200, 150, kSplash);
                       splash = new SplashPanel(kPanel, bed.editor, 99, image, kDisplay, Point());
                       image->release();
                       Bitmap *strip = makeBitmap(20, 40, colorBlack);
                       toggle = new ToggleButton(Rect(260, 220, 280, 240), bed.editor, 3, strip);
                       strip->release();
                       knob = new RotaryKnob(Rect(300, 100, 340, 140), bed.editor, 4, nullptr,
                                             nullptr, Point());
                       frame.addChild(splash);
                       frame.addChild(toggle);
                       frame.addChild(knob);
                     }};

  void click(Point at) {
    ASSERT_TRUE(bed.perform([at] { input::click(at); }));
  }
  Rect panelBounds() const { return splash->getBounds(); }
};

} // namespace

TEST(SplashGui, OpensModalOverItsDisplayAndAClickAnywhereOnItClosesIt) {
  SplashBed s;
  s.knob->setValue(0.5f);
  s.bed.idle();
  EXPECT_EQ(s.bed.pixel(60, 60), kTestBackground);

  s.click(Point(320, 20));
  EXPECT_EQ(s.splash->getValue(), 1.0f);
  EXPECT_EQ(s.bed.frame().getModalView(), s.splash);
  EXPECT_EQ(s.panelBounds(), kDisplay);
  s.bed.idle();
  EXPECT_EQ(s.bed.pixel(kDisplay.left, kDisplay.top), kSplash);
  EXPECT_EQ(s.bed.pixel(kDisplay.right - 1, kDisplay.bottom - 1), kSplash);
  EXPECT_EQ(s.bed.pixel(kDisplay.right, kDisplay.bottom), kTestBackground);

  // Other controls ignore clicks while it is open, but keys still reach them.
  s.click(Point(270, 230));
  EXPECT_EQ(s.toggle->getValue(), 0.0f);
  EXPECT_EQ(s.bed.frame().getModalView(), s.splash);
  EXPECT_EQ(s.bed.dispatch(effEditKeyDown, 0, VKEY_UP), 1);
  EXPECT_NEAR(s.knob->getValue(), 0.6f, 1e-6);

  // A click on the image, far from the panel's own small area, closes it and redraws the frame.
  s.click(Point(100, 150));
  EXPECT_EQ(s.splash->getValue(), 0.0f);
  EXPECT_EQ(s.bed.frame().getModalView(), nullptr);
  EXPECT_EQ(s.panelBounds(), kPanel);
  EXPECT_EQ(s.bed.pixel(60, 60), kTestBackground);
  EXPECT_EQ(s.bed.pixel(kDisplay.right - 1, kDisplay.bottom - 1), kTestBackground);

  const auto &seen = s.bed.editor->notifications;
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].tag, 99);
  EXPECT_EQ(seen[0].value, 1.0f);
  EXPECT_EQ(seen[1].tag, 4); // the key
  EXPECT_EQ(seen[2].tag, 99);
  EXPECT_EQ(seen[2].value, 0.0f);

  // Now the toggle hears clicks again.
  s.click(Point(270, 230));
  EXPECT_EQ(s.toggle->getValue(), 1.0f);
}

TEST(SplashGui, OpeningWhileAnotherModalViewIsSetShowsTheImageWithoutTakingOver) {
  SplashBed s;
  ForwardingView other(kPanel, s.splash);
  ASSERT_TRUE(s.bed.frame().setModalView(&other));

  s.click(Point(320, 20));
  EXPECT_EQ(s.splash->getValue(), 1.0f);
  EXPECT_EQ(s.bed.frame().getModalView(), &other);
  EXPECT_EQ(s.panelBounds(), kPanel);
  EXPECT_TRUE(s.bed.editor->notifications.empty());

  // Once the other view is gone the next idle shows the image, but the panel is not modal:
  // a click on the image is not the panel's, a click on its own area closes it.
  ASSERT_TRUE(s.bed.frame().setModalView(nullptr));
  s.bed.idle();
  EXPECT_EQ(s.bed.pixel(60, 60), kSplash);
  s.click(Point(100, 150));
  EXPECT_EQ(s.splash->getValue(), 1.0f);
  s.click(Point(320, 20));
  EXPECT_EQ(s.splash->getValue(), 0.0f);
  EXPECT_EQ(s.panelBounds(), kPanel);
  EXPECT_EQ(s.bed.pixel(60, 60), kTestBackground);
  ASSERT_EQ(s.bed.editor->notifications.size(), 1u);
  EXPECT_EQ(s.bed.editor->notifications[0].value, 0.0f);

  // And it opens normally afterwards.
  s.click(Point(320, 20));
  EXPECT_EQ(s.bed.frame().getModalView(), s.splash);
  s.splash->close();
  EXPECT_EQ(s.splash->getValue(), 0.0f);
  EXPECT_EQ(s.bed.frame().getModalView(), nullptr);
  EXPECT_EQ(s.panelBounds(), kPanel);
  EXPECT_EQ(s.bed.pixel(60, 60), kTestBackground);
}
