// The knob's window-free rules: handle geometry, the value of a point, linear and circular drags,
// wheel and arrow keys.
#include <gtest/gtest.h>

#include <cmath>

#include "gui/knob_drag.h"
#include "gui/knob_geometry.h"

namespace {

const KnobAngles kDefault =
    deriveKnobAngles(kKnobDefaultStartAngle, kKnobDefaultRangeAngle, 0.0f, 1.0f);

// A point on the circle of `radius` around a knob of that radius, at `degrees` counter-clockwise
// from the positive x axis, relative to the knob's top-left corner.
Point atAngle(float radius, double degrees, double reach) {
  const double a = degrees * 3.14159265358979 / 180.0;
  return Point(static_cast<int>(std::lround(radius + std::cos(a) * reach)),
               static_cast<int>(std::lround(radius - std::sin(a) * reach)));
}

} // namespace

TEST(KnobGeometry, DerivedFieldsOfTheDefaultAngles) {
  EXPECT_FLOAT_EQ(kDefault.halfGap, 0.7853982f); // 45°
  EXPECT_FLOAT_EQ(kDefault.slope, -1.0f / 4.712389f);
  // Value 0 at 225°, so the line through (225°, 0) with that slope meets angle 0 at 5/6.
  EXPECT_NEAR(kDefault.intercept, 225.0 / 270.0, 1e-6);
  const KnobAngles ranged = deriveKnobAngles(kKnobDefaultStartAngle, 3.0f, 2.0f, 8.0f);
  EXPECT_FLOAT_EQ(ranged.slope, 2.0f);
  EXPECT_FLOAT_EQ(ranged.intercept, 2.0f - 2.0f * kKnobDefaultStartAngle);
  EXPECT_FLOAT_EQ(ranged.halfGap, (kKnobTwoPi - 3.0f) / 2.0f);
}

TEST(KnobGeometry, HandleSitsOnTheInsetCircleClockwiseFromLowerLeft) {
  const float radius = 20.0f; // a 40-pixel knob
  const int inset = 7;
  EXPECT_EQ(knobValueToPoint(kDefault, 0.5f, radius, inset), Point(20, 7));  // top
  EXPECT_EQ(knobValueToPoint(kDefault, 0.0f, radius, inset), Point(11, 29)); // 225°
  EXPECT_EQ(knobValueToPoint(kDefault, 1.0f, radius, inset), Point(29, 29)); // -45°
  // A sixth of the range from the top is 45° clockwise: upper right.
  EXPECT_EQ(knobValueToPoint(kDefault, 0.5f + 1.0f / 6.0f, radius, inset), Point(29, 11));
  EXPECT_EQ(knobValueToPoint(kDefault, 0.5f, radius, 3), Point(20, 3));
}

TEST(KnobGeometry, PointsInTheRangeGiveTheirAngleValue) {
  const float radius = 20.0f;
  for (int degrees = -40; degrees <= 220; degrees += 20) {
    const float expected = static_cast<float>((225.0 - degrees) / 270.0);
    const float got =
        knobValueFromPoint(kDefault, 0.0f, 1.0f, radius, atAngle(radius, degrees, 200));
    EXPECT_NEAR(got, expected, 0.002) << degrees << "°";
  }
  // The handle position of a value maps back onto that value.
  for (float v = 0.05f; v < 1.0f; v += 0.15f) {
    const Point p = knobValueToPoint(kDefault, v, 200.0f, 0);
    EXPECT_NEAR(knobValueFromPoint(kDefault, 0.0f, 1.0f, 200.0f, p), v, 0.004);
  }
}

TEST(KnobGeometry, TheDeadArcSplitsBetweenTheEnds) {
  const float radius = 20.0f;
  // Bottom-right half of the gap (between -45° and -90°) belongs to the maximum...
  EXPECT_EQ(knobValueFromPoint(kDefault, 0.0f, 1.0f, radius, atAngle(radius, -60, 15)), 1.0f);
  EXPECT_EQ(knobValueFromPoint(kDefault, 0.0f, 1.0f, radius, atAngle(radius, -88, 15)), 1.0f);
  // ...the bottom-left half to the minimum.
  EXPECT_EQ(knobValueFromPoint(kDefault, 0.0f, 1.0f, radius, atAngle(radius, -92, 15)), 0.0f);
  EXPECT_EQ(knobValueFromPoint(kDefault, 0.0f, 1.0f, radius, atAngle(radius, 240, 15)), 0.0f);

  // A counter-clockwise range of 180° from the right: the upper half is the range, the lower
  // half's right part (next to the start) the minimum, its left part the maximum.
  const KnobAngles upper = deriveKnobAngles(0.0f, 3.1415927f, 0.0f, 1.0f);
  EXPECT_NEAR(knobValueFromPoint(upper, 0.0f, 1.0f, radius, atAngle(radius, 90, 15)), 0.5f, 0.01);
  EXPECT_NEAR(knobValueFromPoint(upper, 0.0f, 1.0f, radius, atAngle(radius, 45, 15)), 0.25f, 0.01);
  EXPECT_EQ(knobValueFromPoint(upper, 0.0f, 1.0f, radius, atAngle(radius, -30, 15)), 0.0f);
  EXPECT_EQ(knobValueFromPoint(upper, 0.0f, 1.0f, radius, atAngle(radius, 210, 15)), 1.0f);
}

TEST(KnobDrag, ModeTwoIsLinearAndAltSwapsEveryMode) {
  EXPECT_TRUE(isLinearKnobDrag(2, kLeftButton));
  EXPECT_FALSE(isLinearKnobDrag(2, kLeftButton | kAlt));
  for (int mode : {0, 1, 3, -1}) {
    EXPECT_FALSE(isLinearKnobDrag(mode, kLeftButton)) << mode;
    EXPECT_TRUE(isLinearKnobDrag(mode, kLeftButton | kAlt | kShift)) << mode;
  }
}

TEST(KnobDrag, LinearPixelsUpAndRightAddUp) {
  const Point anchor(50, 50);
  LinearKnobDrag plain(0.2f, 0.0f, 1.0f, kLeftButton, 1.5f, anchor);
  EXPECT_NEAR(plain.valueAt(Point(50, -50), kLeftButton), 0.7f, 1e-6); // 100 up: half the range
  EXPECT_NEAR(plain.valueAt(Point(150, 50), kLeftButton), 0.7f, 1e-6); // 100 right
  EXPECT_NEAR(plain.valueAt(Point(80, 10), kLeftButton), 0.55f, 1e-6); // 30 right + 40 up
  EXPECT_NEAR(plain.valueAt(Point(50, 90), kLeftButton), 0.0f, 1e-6);  // down lowers

  LinearKnobDrag fine(0.2f, 0.0f, 1.0f, kLeftButton | kShift, 1.5f, anchor);
  EXPECT_NEAR(fine.valueAt(Point(50, -50), kLeftButton | kShift), 0.2f + 1.0f / 3.0f, 1e-6);

  LinearKnobDrag wide(-10.0f, -10.0f, 10.0f, kLeftButton, 2.0f, anchor);
  EXPECT_NEAR(wide.valueAt(Point(50, -50), kLeftButton), 0.0f, 1e-5);
}

TEST(KnobDrag, ShiftMidDragKeepsTheValueAndChangesOnlyTheRate) {
  const Point anchor(0, 0);
  LinearKnobDrag drag(0.1f, 0.0f, 1.0f, kLeftButton, 1.5f, anchor);
  const float before = drag.valueAt(Point(0, -60), kLeftButton); // 0.1 + 60/200
  EXPECT_NEAR(before, 0.4f, 1e-6);
  // Shift goes down with the mouse still: no jump.
  EXPECT_NEAR(drag.valueAt(Point(0, -60), kLeftButton | kShift), before, 1e-6);
  // 30 more pixels at the fine rate.
  const float fine = drag.valueAt(Point(0, -90), kLeftButton | kShift);
  EXPECT_NEAR(fine, 0.4f + 30.0f / 300.0f, 1e-6);
  // Shift released: again no jump, then the plain rate.
  EXPECT_NEAR(drag.valueAt(Point(0, -90), kLeftButton), fine, 1e-6);
  EXPECT_NEAR(drag.valueAt(Point(0, -110), kLeftButton), fine + 20.0f / 200.0f, 1e-6);
  // Back at the anchor the value does not return to the entry value: the rates differed.
  EXPECT_NEAR(drag.valueAt(Point(0, 0), kLeftButton), 0.1f - 30.0f / 200.0f + 30.0f / 300.0f, 1e-6);
}

TEST(KnobDrag, CircularFollowsButNeverCrossesTheGap) {
  CircularKnobDrag drag(0.9f, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(drag.follow(0.95f), 0.95f);
  EXPECT_FLOAT_EQ(drag.follow(1.0f), 1.0f);
  // Through the gap the angle's value snaps to 0: the drag stays at the maximum...
  EXPECT_FLOAT_EQ(drag.follow(0.0f), 1.0f);
  EXPECT_FLOAT_EQ(drag.follow(0.2f), 1.0f);
  // ...until the mouse comes back within half the range of where it was last followed.
  EXPECT_FLOAT_EQ(drag.follow(0.6f), 0.6f);
  EXPECT_FLOAT_EQ(drag.follow(0.3f), 0.3f);

  CircularKnobDrag low(0.05f, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(low.follow(1.0f), 0.0f);
  EXPECT_FLOAT_EQ(low.follow(0.5f), 0.5f); // exactly half the range away still follows
}

TEST(KnobInput, WheelAndArrowSteps) {
  EXPECT_NEAR(knobWheelValue(0.5f, 0.1f, 2.0f, false), 0.7f, 1e-6);
  EXPECT_NEAR(knobWheelValue(0.5f, 0.1f, 2.0f, true), 0.52f, 1e-6);
  EXPECT_NEAR(knobWheelValue(0.5f, 0.1f, -1.0f, false), 0.4f, 1e-6);

  float step = 0.0f;
  EXPECT_TRUE(knobKeyStep(VKEY_UP, 0, step));
  EXPECT_EQ(step, 1.0f);
  EXPECT_TRUE(knobKeyStep(VKEY_RIGHT, 0, step));
  EXPECT_EQ(step, 1.0f);
  EXPECT_TRUE(knobKeyStep(VKEY_LEFT, 0, step));
  EXPECT_EQ(step, -1.0f);
  EXPECT_TRUE(knobKeyStep(VKEY_DOWN, MODIFIER_SHIFT, step));
  EXPECT_FLOAT_EQ(step, -0.1f);
  step = 7.0f;
  for (std::uint8_t other : {0, 1, 10, 15, 40})
    EXPECT_FALSE(knobKeyStep(other, 0, step)) << int(other);
  EXPECT_EQ(step, 7.0f);
}
