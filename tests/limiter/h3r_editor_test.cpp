// H3R's editor as a host drives it through the library's record, with real mouse input on a
// real window and the pixels read back.
#include <gtest/gtest.h>

#include <cmath>

#include "editor_bench.h"

namespace {

constexpr int kWidth = 430;
constexpr int kHeight = 120;

enum Tag { release, ceil, level, type, ahead };

struct KnobPlace {
  int tag;
  RECT bounds;
};
constexpr KnobPlace kKnobs[] = {
    {level, {64, 20, 109, 65}}, {ceil, {149, 20, 194, 65}}, {release, {233, 20, 278, 65}}};
constexpr RECT kTypeButton{335, 37, 363, 53};
constexpr RECT kAheadButton{335, 23, 363, 37};
constexpr DisplayLayout kDisplays{{334, 79, 390, 104}, 135, {390, 79, 418, 104}, 136};
constexpr RECT kInputBar{36, 85, 318, 91};
constexpr RECT kOutputBar{36, 93, 318, 99};
constexpr RECT kInputOver{324, 84, 334, 90};
constexpr RECT kLimitingLamp{180, 0, 213, 24};

POINT centre(const RECT &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class H3rEditor : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(session.loaded()) << session.error();
    session.effect->dispatch(effSetEditKnobMode, 0, 2); // linear drags
    ASSERT_TRUE(session.openEditor());
  }
  void TearDown() override {
    if (session.loaded())
      session.closeEditor();
  }
  bool drag(const RECT &area, int dy) {
    session.plugin.host.clearCalls();
    const POINT from = session.screen(centre(area).x, centre(area).y);
    return session.drag(from, {from.x, from.y + dy});
  }
  bool click(const RECT &area) {
    session.plugin.host.clearCalls();
    return perform(*session.effect, clickSteps(session.screen(centre(area).x, centre(area).y)));
  }
  Pixels resource(int id) { return resourcePixels(session.module, id); }
  int outputBarColumns() {
    return barOnColumns(session.grab(kOutputBar), resource(140), resource(139));
  }

  EditorSession session{H3R_PLUGIN, kWidth, kHeight};
};

TEST(H3rEntry, RecordEditorRectangleAndEveryImage) {
  EditorSession session(H3R_PLUGIN, kWidth, kHeight);
  ASSERT_TRUE(session.loaded()) << session.error();
  EXPECT_EQ(session.effect->record()->flags, 0x15);
  EXPECT_EQ(session.effect->record()->uniqueID, 0x33317835);
  EXPECT_EQ(session.effect->productString(), "TORVEL SOFT H3R");
  ERect *rect = nullptr;
  ASSERT_EQ(session.effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->bottom, kHeight);
  EXPECT_EQ(rect->right, kWidth);
  const SIZE sizes[] = {{430, 120}, {5, 7},   {45, 45}, {45, 45}, {45, 45}, {28, 32}, {28, 28},
                        {56, 25},   {28, 25}, {282, 6}, {282, 6}, {282, 6}, {282, 6}, {33, 24},
                        {33, 24},   {10, 6},  {10, 6},  {10, 6},  {10, 6},  {211, 46}};
  for (int id = 128; id <= 147; ++id) {
    const SIZE size = resourceSize(session.module, id);
    EXPECT_EQ(size.cx, sizes[id - 128].cx) << "bitmap " << id;
    EXPECT_EQ(size.cy, sizes[id - 128].cy) << "bitmap " << id;
  }
}

// What the 32-bit build runs: open, draw, drag one knob, close.
TEST_F(H3rEditor, Smoke) {
  const RECT plain{115, 0, 145, 18}; // background only
  EXPECT_TRUE(showsPixels(session, plain, resource(128).crop(plain)));
  ASSERT_TRUE(drag(kKnobs[1].bounds, -250));
  EXPECT_TRUE(oneGesture(session, ceil, 1.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "CEILING", "0.0"));
}

TEST_F(H3rEditor, KnobsAndButtonsAutomateTheirParameterAndShowIt) {
  for (const KnobPlace &knob : kKnobs) {
    ASSERT_TRUE(drag(knob.bounds, -250)) << "knob " << knob.tag;
    EXPECT_TRUE(oneGesture(session, knob.tag, 1.0f)) << "knob " << knob.tag << " up";
    ASSERT_TRUE(drag(knob.bounds, 250));
    EXPECT_TRUE(oneGesture(session, knob.tag, 0.0f)) << "knob " << knob.tag << " down";
  }
  EXPECT_TRUE(displaysShow(session, kDisplays, "RELEASE", "50"));
  ASSERT_TRUE(drag(kKnobs[1].bounds, -250));
  EXPECT_TRUE(displaysShow(session, kDisplays, "CEILING", "0.0"));
  ASSERT_TRUE(drag(kKnobs[0].bounds, -250));
  EXPECT_TRUE(displaysShow(session, kDisplays, "GAIN", "20.0"));

  ASSERT_TRUE(click(kTypeButton));
  EXPECT_TRUE(oneGesture(session, type, 1.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "KNEE", "soft"));
  ASSERT_TRUE(click(kAheadButton));
  EXPECT_TRUE(oneGesture(session, ahead, 1.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "AHEAD", "on"));
  ASSERT_TRUE(click(kTypeButton));
  EXPECT_TRUE(oneGesture(session, type, 0.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "KNEE", "hard"));
}

TEST_F(H3rEditor, HostChangesMoveTheControlsAtTheNextIdleAndAfterReopening) {
  const RECT ceilKnob = kKnobs[1].bounds;
  session.effect->setParameter(ceil, 0.0f);
  pumpFor(*session.effect, 100);
  const Pixels atBottom = session.grab(ceilKnob);
  session.effect->setParameter(ceil, 1.0f);
  EXPECT_TRUE(displaysShow(session, kDisplays, "CEILING", "0.0"));
  const Pixels atTop = session.grab(ceilKnob);
  EXPECT_NE(atTop, atBottom);
  session.effect->setProgram(0);
  EXPECT_TRUE(displaysShow(session, kDisplays, "AHEAD", "off")); // the program sets Ahead last
  session.effect->setParameter(type, 0.7f);
  EXPECT_TRUE(displaysShow(session, kDisplays, "KNEE", "soft"));

  session.closeEditor();
  session.effect->setParameter(ceil, 0.0f);
  ASSERT_TRUE(session.openEditor());
  EXPECT_TRUE(showsPixels(session, ceilKnob, atBottom));
}

TEST_F(H3rEditor, OutputBarShowsTheInputUntilTheLimiterActs) {
  const double minus12dB = std::pow(10.0, -12.0 / 20.0);
  session.effect->setParameter(ceil, 1.0f);   // 0 dB
  session.effect->setParameter(level, 0.65f); // +6 dB: -6 dB out, still below the ceiling
  session.playSine(minus12dB, 100);
  EXPECT_TRUE(barShows(session, kInputBar, 138, 137, 225)) << "-12 dB of the 60 dB scale";
  EXPECT_TRUE(barShows(session, kOutputBar, 140, 139, 225)) << "the input, not the output";
  EXPECT_TRUE(showsPixels(session, kLimitingLamp, resource(141)));

  session.effect->setParameter(ceil, 0.0f); // -12 dB: now the limiter reduces gain
  session.playSine(minus12dB, 200);
  EXPECT_TRUE(showsPixels(session, kLimitingLamp, resource(142)));
  const int limited = outputBarColumns();
  EXPECT_GE(limited, 215);
  EXPECT_LE(limited, 225) << "at most the ceiling";

  session.playPeak(1.5f);
  EXPECT_TRUE(showsPixels(session, kInputOver, resource(144)));
  EXPECT_TRUE(barShows(session, kInputBar, 138, 137, 282));
}

TEST_F(H3rEditor, SplashTwoInstancesAndOutOfOrderClosing) {
  const RECT clear{115, 0, 145, 18};
  const Pixels background = session.grab(clear);
  ASSERT_TRUE(click({14, 3, 115, 11}));
  const Pixels splash = resource(147);
  EXPECT_TRUE(showsPixels(session, {0, 0, splash.width, splash.height}, splash));
  ASSERT_TRUE(click(kKnobs[2].bounds));
  EXPECT_TRUE(showsPixels(session, clear, background));
  EXPECT_TRUE(session.calls(audioMasterAutomate).empty());

  EditorSession other(H3R_PLUGIN, kWidth, kHeight, 560, 300);
  ASSERT_TRUE(other.loaded()) << other.error();
  ASSERT_TRUE(other.openEditor());
  const float before = session.effect->getParameter(ceil);
  const POINT from = other.screen(centre(kKnobs[1].bounds).x, centre(kKnobs[1].bounds).y);
  other.effect->setParameter(ceil, 0.0f);
  other.plugin.host.clearCalls();
  ASSERT_TRUE(other.drag(from, {from.x, from.y - 250}));
  EXPECT_TRUE(oneGesture(other, ceil, 1.0f));
  EXPECT_EQ(session.effect->getParameter(ceil), before);

  const HWND otherEditor = other.editorWindow();
  other.effect->close(); // with its editor open
  EXPECT_FALSE(IsWindow(otherEditor));
  session.window.destroy(); // before the editor is closed
  session.closeEditor();
}

} // namespace
