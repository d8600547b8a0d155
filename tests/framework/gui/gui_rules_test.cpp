// The toolkit's window-free rules: geometry, the font table and the idle cycle's timing.
#include <gtest/gtest.h>

#include "editor/idle_cycle.h"
#include "gui/font_table.h"
#include "gui/gui_types.h"

TEST(RectRules, HalfOpenAndInclusiveTestsDifferOnlyAtTheFarEdges) {
  const Rect r(10, 20, 30, 40);
  EXPECT_TRUE(r.pointInside({10, 20}));
  EXPECT_FALSE(r.pointInside({30, 25}));
  EXPECT_FALSE(r.pointInside({15, 40}));
  EXPECT_TRUE(r.containsInclusive({30, 40}));
  EXPECT_FALSE(r.containsInclusive({31, 40}));
  EXPECT_FALSE(r.containsInclusive({9, 20}));
  EXPECT_TRUE(r.overlapsInclusive(Rect(30, 40, 50, 50))); // touching corners overlap
  EXPECT_FALSE(r.overlapsInclusive(Rect(31, 0, 50, 50)));
  EXPECT_FALSE(r.overlapsInclusive(Rect(0, 0, 50, 19)));
}

TEST(RectRules, NormalisingOffsetAndClipping) {
  EXPECT_EQ(Rect::normalised(30, 40, 10, 20), Rect(10, 20, 30, 40));
  Rect moved(0, 0, 10, 10);
  moved.offset(5, -3);
  EXPECT_EQ(moved, Rect(5, -3, 15, 7));
  Rect clipped(0, 0, 100, 100);
  clipped.clipTo(Rect(50, -10, 200, 60));
  EXPECT_EQ(clipped, Rect(50, 0, 100, 60));
  Rect apart(0, 0, 10, 10);
  apart.clipTo(Rect(20, 30, 40, 50)); // no intersection: collapses, never inverted
  EXPECT_EQ(apart.width(), 0);
  EXPECT_EQ(apart.height(), 0);
  EXPECT_TRUE(apart.isEmpty());
  EXPECT_EQ((Color{1, 2, 3, 9}.native()), 0x030201u);
}

TEST(FontTable, LookupRules) {
  FontDescription f = describeFont(9, 0, 0); // unknown id: font 0, always bold
  EXPECT_EQ(f.fontId, 0);
  EXPECT_STREQ(f.face, "Arial");
  EXPECT_EQ(f.height, 12);
  EXPECT_EQ(f.weight, 700);
  f = describeFont(7, 0, kFontBold);
  EXPECT_STREQ(f.face, "Symbol");
  EXPECT_EQ(f.height, 13);
  EXPECT_EQ(f.weight, 700);
  EXPECT_TRUE(f.decorative);
  f = describeFont(3, 20, kFontItalic | kFontUnderline);
  EXPECT_EQ(f.height, 20);
  EXPECT_EQ(f.weight, 400);
  EXPECT_TRUE(f.italic);
  EXPECT_TRUE(f.underline);
  EXPECT_FALSE(f.decorative);
  EXPECT_EQ(describeFont(-1, 0, 0).fontId, 0);
  EXPECT_EQ(describeFont(4, 0, 0).height, 11);
}

TEST(IdleCycleTiming, EarlyCallsSleepAndRunOnlyNearTheDeadline) {
  const std::uint32_t next = 1000 + kIdleCycleInterval; // a cycle ran at 1000
  IdleCycleDecision d = decideIdleCycle(1010, next);    // 10 ms later: 86 ms remain
  EXPECT_TRUE(d.sleepFirst);
  EXPECT_FALSE(d.runCycle);
  d = decideIdleCycle(1060, next); // 60 ms later: 36 ms remain after the sleep
  EXPECT_TRUE(d.sleepFirst);
  EXPECT_TRUE(d.runCycle);
  EXPECT_EQ(d.now, 1064u);
  d = decideIdleCycle(1045, next); // 51 ms remain after the sleep: still too early
  EXPECT_FALSE(d.runCycle);
  d = decideIdleCycle(1100, next);
  EXPECT_FALSE(d.sleepFirst);
  EXPECT_TRUE(d.runCycle);
  EXPECT_EQ(d.now, 1100u);
}

TEST(IdleCycleTiming, TheTickWrapIsJudgedLikeAnyOtherInterval) {
  const std::uint32_t last = 0xFFFFFFF0u; // 16 ms before the wrap
  const std::uint32_t next = last + kIdleCycleInterval;
  EXPECT_FALSE(decideIdleCycle(last + 10, next).runCycle); // after the wrap, still early
  EXPECT_TRUE(decideIdleCycle(last + 60, next).runCycle);
  EXPECT_TRUE(decideIdleCycle(last + 150, next).runCycle);
  EXPECT_FALSE(decideIdleCycle(last + 150, next).sleepFirst);
}
