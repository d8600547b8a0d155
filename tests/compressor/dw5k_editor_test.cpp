// DW5K's editor as a host drives it through the library's record, with real mouse input on a
// real window and the pixels read back.
#include <gtest/gtest.h>

#include <cmath>

#include "editor_bench.h"

namespace {

constexpr int kWidth = 430;
constexpr int kHeight = 180;

enum Tag { attack, release, threshold, ratio, level, type, ahead };

struct KnobPlace {
  int tag;
  RECT bounds;
};
constexpr KnobPlace kKnobs[] = {{threshold, {37, 35, 82, 80}},
                                {attack, {113, 65, 158, 111}},
                                {ratio, {180, 23, 248, 91}},
                                {release, {270, 66, 315, 111}},
                                {level, {346, 35, 391, 80}}};
constexpr RECT kTypeButton{268, 21, 299, 36};
constexpr RECT kAheadButton{268, 6, 299, 21};
constexpr DisplayLayout kDisplays{{334, 136, 390, 161}, 137, {390, 136, 418, 161}, 138};
constexpr RECT kInputBar{35, 142, 317, 148};
constexpr RECT kOutputBar{35, 149, 317, 155};
constexpr RECT kInputOver{324, 142, 336, 150};
constexpr RECT kOutputOver{324, 149, 336, 157};
constexpr RECT kCompressionLamp{77, 25, 107, 52};
constexpr int kKnobMode = 2; // linear: 100 pixels up is half the range

POINT centre(const RECT &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class Dw5kEditor : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(session.loaded()) << session.error();
    session.effect->dispatch(effSetEditKnobMode, 0, kKnobMode);
    ASSERT_TRUE(session.openEditor());
  }
  void TearDown() override {
    if (session.loaded())
      session.closeEditor();
  }

  // Drags vertically from the centre of `area` by `dy` screen pixels.
  bool drag(const RECT &area, int dy) {
    session.plugin.host.clearCalls();
    const POINT from = session.screen(centre(area).x, centre(area).y);
    return session.drag(from, {from.x, from.y + dy});
  }
  bool click(const RECT &area, bool withControl = false) {
    session.plugin.host.clearCalls();
    const POINT at = session.screen(centre(area).x, centre(area).y);
    return perform(*session.effect, clickSteps(at, withControl));
  }
  Pixels resource(int id) { return resourcePixels(session.module, id); }

  EditorSession session{DW5K_PLUGIN, kWidth, kHeight};
};

TEST(Dw5kEntry, RecordEditorRectangleAndEveryImage) {
  EditorSession session(DW5K_PLUGIN, kWidth, kHeight);
  ASSERT_TRUE(session.loaded()) << session.error();
  const AEffect &record = *session.effect->record();
  EXPECT_EQ(record.flags, 0x15);
  EXPECT_EQ(record.uniqueID, 0x69773639);
  EXPECT_EQ(session.effect->productString(), "TORVEL Soft DW5K");

  ERect *rect = nullptr; // before any open
  ASSERT_EQ(session.effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, kHeight);
  EXPECT_EQ(rect->right, kWidth);

  const SIZE sizes[] = {{430, 180}, {5, 8},   {45, 45}, {45, 46}, {68, 68}, {45, 45},
                        {45, 45},   {31, 30}, {31, 30}, {56, 25}, {28, 25}, {282, 6},
                        {282, 6},   {282, 6}, {282, 6}, {30, 27}, {30, 27}, {12, 8},
                        {12, 8},    {12, 8},  {12, 8},  {211, 46}};
  for (int id = 128; id <= 149; ++id) {
    const SIZE size = resourceSize(session.module, id);
    EXPECT_EQ(size.cx, sizes[id - 128].cx) << "bitmap " << id;
    EXPECT_EQ(size.cy, sizes[id - 128].cy) << "bitmap " << id;
  }
  EXPECT_EQ(resourceSize(session.module, 150).cx, 0) << "no image beyond the table";
}

// What the 32-bit build runs: open, draw, drag one knob, close.
TEST_F(Dw5kEditor, Smoke) {
  const RECT plain{120, 0, 175, 20}; // background only
  EXPECT_TRUE(showsPixels(session, plain, resource(128).crop(plain)));
  ASSERT_TRUE(drag(kKnobs[2].bounds, -250));
  EXPECT_TRUE(oneGesture(session, ratio, 1.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "RATIO", "20:1"));
}

TEST_F(Dw5kEditor, EveryKnobDraggedToBothEndsAutomatesItsParameter) {
  for (const KnobPlace &knob : kKnobs) {
    ASSERT_TRUE(drag(knob.bounds, -250)) << "knob " << knob.tag;
    EXPECT_TRUE(oneGesture(session, knob.tag, 1.0f)) << "knob " << knob.tag << " up";
    ASSERT_TRUE(drag(knob.bounds, 250));
    EXPECT_TRUE(oneGesture(session, knob.tag, 0.0f)) << "knob " << knob.tag << " down";
  }
  // The displays follow the knob moved last: Level at its bottom.
  EXPECT_TRUE(displaysShow(session, kDisplays, "LEVEL", "-20.0"));

  ASSERT_TRUE(drag(kKnobs[2].bounds, -250));
  EXPECT_TRUE(displaysShow(session, kDisplays, "RATIO", "20:1"));
  ASSERT_TRUE(drag(kKnobs[2].bounds, 250));
  EXPECT_TRUE(displaysShow(session, kDisplays, "RATIO", "0.8:1"));
  ASSERT_TRUE(click(kKnobs[2].bounds, true)); // control-click: the default value
  EXPECT_EQ(session.effect->getParameter(ratio), 0.5f);
  EXPECT_EQ(session.calls(audioMasterBeginEdit).size(), 0u);
  EXPECT_TRUE(displaysShow(session, kDisplays, "RATIO", "4.0:1"));

  ASSERT_TRUE(drag(kKnobs[3].bounds, -100)); // half way up from the bottom
  EXPECT_TRUE(displaysShow(session, kDisplays, "RELEASE", "500"));
  ASSERT_TRUE(drag(kKnobs[3].bounds, 250));
  EXPECT_TRUE(displaysShow(session, kDisplays, "RELEASE", "50.0"));
  ASSERT_TRUE(drag(kKnobs[0].bounds, -50)); // a quarter of the range up from the bottom
  EXPECT_NEAR(session.effect->getParameter(threshold), 0.25f, 0.02f);
  ASSERT_TRUE(drag(kKnobs[0].bounds, 250));
  EXPECT_TRUE(displaysShow(session, kDisplays, "THRESH", "-40.0"));
}

TEST_F(Dw5kEditor, ButtonsToggleTheirSwitchAndShowIt) {
  const Pixels typeOff = session.grab(kTypeButton);
  ASSERT_TRUE(click(kTypeButton));
  EXPECT_TRUE(oneGesture(session, type, 1.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "KNEE", "soft"));
  EXPECT_NE(session.grab(kTypeButton), typeOff);
  ASSERT_TRUE(click(kTypeButton));
  EXPECT_TRUE(oneGesture(session, type, 0.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "KNEE", "hard"));
  EXPECT_TRUE(showsPixels(session, kTypeButton, typeOff));

  ASSERT_TRUE(click(kAheadButton));
  EXPECT_TRUE(oneGesture(session, ahead, 1.0f));
  EXPECT_TRUE(displaysShow(session, kDisplays, "AHEAD", "on"));
  EXPECT_EQ(session.effect->getParameter(type), 0.0f) << "the other switch stayed";
}

TEST_F(Dw5kEditor, HostAutomationAndProgramsMoveTheControlsAtTheNextIdle) {
  const RECT ratioKnob = kKnobs[2].bounds;
  session.effect->setParameter(ratio, 0.0f);
  pumpFor(*session.effect, 100);
  const Pixels atBottom = session.grab(ratioKnob);
  EXPECT_TRUE(displaysShow(session, kDisplays, "RATIO", "0.8:1"));
  session.effect->setParameter(ratio, 1.0f);
  pumpFor(*session.effect, 100);
  const Pixels atTop = session.grab(ratioKnob);
  EXPECT_NE(atTop, atBottom) << "the handle moved";
  session.effect->setParameter(ratio, 0.0f);
  EXPECT_TRUE(showsPixels(session, ratioKnob, atBottom));

  // A switch the host sets from its middle up reads as the effect uses it.
  session.effect->setParameter(type, 0.7f);
  EXPECT_TRUE(displaysShow(session, kDisplays, "KNEE", "soft"));

  // A program change moves every control; the displays show the parameter it set last.
  session.effect->setProgram(2);
  pumpFor(*session.effect, 100);
  Pixels program2[5];
  for (int i = 0; i < 5; ++i)
    program2[i] = session.grab(kKnobs[i].bounds);
  session.effect->setProgram(0);
  EXPECT_TRUE(displaysShow(session, kDisplays, "AHEAD", "off"));
  EXPECT_NE(session.grab(ratioKnob), program2[2]);
  session.effect->setProgram(2);
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(showsPixels(session, kKnobs[i].bounds, program2[i])) << "knob " << kKnobs[i].tag;

  // Changes while the editor is closed show when it opens again.
  session.closeEditor();
  session.effect->setParameter(ratio, 1.0f);
  ASSERT_TRUE(session.openEditor());
  EXPECT_TRUE(showsPixels(session, ratioKnob, atTop));
}

TEST_F(Dw5kEditor, MetersAndLampsFollowTheAudio) {
  const double minus6dB = std::pow(10.0, -6.0 / 20.0);
  session.effect->setParameter(threshold, 1.0f); // 0 dB: a -6 dB sine is not compressed
  session.effect->setParameter(level, 0.5f);
  session.playSine(minus6dB, 100);
  EXPECT_TRUE(barShows(session, kInputBar, 140, 139, 253)) << "-6 dB of the 60 dB scale";
  EXPECT_TRUE(barShows(session, kOutputBar, 142, 141, 253));
  EXPECT_TRUE(showsPixels(session, kCompressionLamp, resource(143)));
  EXPECT_TRUE(showsPixels(session, kInputOver, resource(145)));

  // Not compressing: the output bar is the input raised by the output gain, at once.
  session.effect->setParameter(level, 0.575f); // +3 dB
  EXPECT_TRUE(barShows(session, kOutputBar, 142, 141, 267));
  EXPECT_TRUE(barShows(session, kInputBar, 140, 139, 253));

  // Compressing: the lamp lights.
  session.effect->setParameter(threshold, 0.0f);
  session.effect->setParameter(ratio, 1.0f);
  session.playSine(minus6dB, 200);
  EXPECT_TRUE(showsPixels(session, kCompressionLamp, resource(144)));

  // Above full scale: the over lamp and a full bar.
  session.playPeak(1.5f);
  EXPECT_TRUE(showsPixels(session, kInputOver, resource(146)));
  EXPECT_TRUE(barShows(session, kInputBar, 140, 139, 282));

  // Silence: the bar falls back, the lamps go out.
  session.playSine(0.0, 3000);
  EXPECT_TRUE(barShows(session, kInputBar, 140, 139, 0));
  EXPECT_TRUE(showsPixels(session, kInputOver, resource(145)));
  EXPECT_TRUE(showsPixels(session, kCompressionLamp, resource(143)));
  EXPECT_TRUE(showsPixels(session, kOutputOver, resource(147)));
}

TEST_F(Dw5kEditor, SplashOpensOnItsAreaAndClosesOnTheNextClick) {
  const float before[] = {session.effect->getParameter(ratio),
                          session.effect->getParameter(threshold)};
  const RECT clear{120, 0, 175, 20}; // background only, under the splash image
  const Pixels background = session.grab(clear);
  ASSERT_TRUE(click({14, 3, 115, 11}));
  const Pixels splash = resource(149);
  EXPECT_TRUE(showsPixels(session, {0, 0, splash.width, splash.height}, splash));
  ASSERT_TRUE(click(kKnobs[2].bounds)); // anywhere: the ratio knob is under the panel
  EXPECT_TRUE(showsPixels(session, clear, background));
  EXPECT_EQ(session.calls(audioMasterAutomate).size(), 0u);
  EXPECT_EQ(session.calls(audioMasterBeginEdit).size(), 0u);
  EXPECT_EQ(session.effect->getParameter(ratio), before[0]);
  EXPECT_EQ(session.effect->getParameter(threshold), before[1]);
}

TEST_F(Dw5kEditor, ReopenTwoInstancesAndHostsThatCloseOutOfOrder) {
  // Close and reopen shows the same panel.
  const RECT whole{0, 0, kWidth, kHeight};
  pumpFor(*session.effect, 200);
  const Pixels first = session.grab(whole);
  session.closeEditor();
  EXPECT_EQ(session.editorWindow(), nullptr);
  ASSERT_TRUE(session.openEditor());
  EXPECT_TRUE(showsPixels(session, whole, first));

  // A second instance in the same process, open at the same time, is independent.
  EditorSession other(DW5K_PLUGIN, kWidth, kHeight, 560, 300);
  ASSERT_TRUE(other.loaded()) << other.error();
  ASSERT_TRUE(other.openEditor());
  const POINT from = other.screen(centre(kKnobs[2].bounds).x, centre(kKnobs[2].bounds).y);
  other.effect->setParameter(ratio, 0.5f);
  session.effect->setParameter(ratio, 0.5f);
  other.plugin.host.clearCalls();
  session.plugin.host.clearCalls();
  ASSERT_TRUE(other.drag(from, {from.x, from.y - 250}));
  EXPECT_TRUE(oneGesture(other, ratio, 1.0f));
  EXPECT_EQ(session.effect->getParameter(ratio), 0.5f);
  EXPECT_TRUE(session.calls(audioMasterAutomate).empty());
  EXPECT_TRUE(displaysShow(other, kDisplays, "RATIO", "20:1"));

  // effClose with the editor open takes the editor's window with it.
  const HWND otherEditor = other.editorWindow();
  ASSERT_NE(otherEditor, nullptr);
  other.effect->close();
  EXPECT_FALSE(IsWindow(otherEditor));

  // The host's window goes first; closing the editor afterwards is harmless, and it opens
  // again in a new window.
  session.window.destroy();
  session.closeEditor();
  guitest::HostWindow again(100, 300, kWidth, kHeight);
  ASSERT_EQ(session.effect->dispatch(effEditOpen, 0, 0, again.handle()), 1);
  EXPECT_NE(GetWindow(again.handle(), GW_CHILD), nullptr);
  session.closeEditor();
}

} // namespace
