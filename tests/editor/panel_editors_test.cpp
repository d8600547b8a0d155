// What both plug-ins' editors do alike, run once for each: clicks of zero length through the
// display server (a tap on a pad, a click while the host is busy) and the readout at open.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "editor_bench.h"

namespace {

struct KnobPlace {
  int tag;
  RECT bounds;
};

struct Panel {
  const char *name;
  const char *path;
  int width;
  int height;
  std::vector<KnobPlace> knobs;
  int typeTag;
  RECT typeButton;
  int aheadTag;
  RECT aheadButton;
  DisplayLayout displays;
  int levelTag;
  const char *levelLabel;
  int splashImage;
};

const Panel kDw5k{"DW5K",
                  DW5K_PLUGIN,
                  430,
                  180,
                  {{2, {37, 35, 82, 80}},
                   {0, {113, 65, 158, 111}},
                   {3, {180, 23, 248, 91}},
                   {1, {270, 66, 315, 111}},
                   {4, {346, 35, 391, 80}}},
                  5,
                  {268, 21, 299, 36},
                  6,
                  {268, 6, 299, 21},
                  {{334, 136, 390, 161}, 137, {390, 136, 418, 161}, 138},
                  4,
                  "LEVEL",
                  149};
const Panel kH3r{"H3R",
                 H3R_PLUGIN,
                 430,
                 120,
                 {{2, {64, 20, 109, 65}}, {1, {149, 20, 194, 65}}, {0, {233, 20, 278, 65}}},
                 3,
                 {335, 37, 363, 53},
                 4,
                 {335, 23, 363, 37},
                 {{334, 79, 390, 104}, 135, {390, 79, 418, 104}, 136},
                 2,
                 "GAIN",
                 147};
constexpr RECT kSplashArea{14, 3, 115, 11};

POINT centre(const RECT &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class PanelEditors : public ::testing::TestWithParam<const Panel *> {
protected:
  void SetUp() override { ASSERT_TRUE(session.loaded()) << session.error(); }
  void TearDown() override {
    if (session.loaded())
      session.closeEditor();
  }
  bool tap(const RECT &area, bool withControl = false) {
    session.plugin.host.clearCalls();
    return session.tap(session.screen(centre(area).x, centre(area).y), withControl);
  }
  // The host's calls of a gesture arrive as the window handles it: wait for its end.
  bool gestureEnded() {
    return pumpUntil(
        *session.effect, [this] { return !session.calls(audioMasterEndEdit).empty(); }, 3000);
  }

  const Panel &panel = *GetParam();
  EditorSession session{panel.path, panel.width, panel.height};
};

TEST_P(PanelEditors, ZeroLengthClicksActOnButtonsKnobsAndSplash) {
  session.effect->dispatch(effSetEditKnobMode, 0,
                           2); // linear: a click without motion moves nothing
  for (const KnobPlace &knob : panel.knobs)
    session.effect->setParameter(knob.tag, 0.2f);
  session.effect->setParameter(panel.typeTag, 0.0f);
  session.effect->setParameter(panel.aheadTag, 0.0f);
  ASSERT_TRUE(session.openEditor());

  for (const auto &[tag, button] :
       {std::pair{panel.typeTag, panel.typeButton}, std::pair{panel.aheadTag, panel.aheadButton}}) {
    ASSERT_TRUE(tap(button));
    ASSERT_TRUE(gestureEnded()) << "button " << tag;
    EXPECT_TRUE(oneGesture(session, tag, 1.0f));
    ASSERT_TRUE(tap(button));
    ASSERT_TRUE(gestureEnded());
    EXPECT_TRUE(oneGesture(session, tag, 0.0f));
  }

  for (const KnobPlace &knob : panel.knobs) {
    ASSERT_TRUE(tap(knob.bounds));
    EXPECT_TRUE(session.calls(audioMasterAutomate).empty()) << "knob " << knob.tag;
    EXPECT_EQ(session.calls(audioMasterBeginEdit).size(), session.calls(audioMasterEndEdit).size());
    EXPECT_EQ(session.effect->getParameter(knob.tag), 0.2f);
    ASSERT_TRUE(tap(knob.bounds, true));
    EXPECT_TRUE(pumpUntil(
        *session.effect, [&] { return session.effect->getParameter(knob.tag) == 0.5f; }, 3000))
        << "control-click on knob " << knob.tag << " returns it to the middle";
  }

  const Pixels splash = resourcePixels(session.module, panel.splashImage);
  const RECT splashPlace{0, 0, splash.width, splash.height};
  const Pixels closed = session.grab(splashPlace);
  ASSERT_TRUE(tap(kSplashArea));
  EXPECT_TRUE(showsPixels(session, splashPlace, splash));
  ASSERT_TRUE(tap(panel.knobs.front().bounds)); // anywhere on the image closes it
  EXPECT_TRUE(showsPixels(session, splashPlace, closed));
  EXPECT_TRUE(session.calls(audioMasterAutomate).empty());
}

// The readout names the level and shows its value from the first drawing on, exactly as after the
// host changed it; this holds again after a close and open.
TEST_P(PanelEditors, ReadoutAtOpenShowsTheLevel) {
  const float plus12dB = 0.8f; // -20 to +20 dB over the range
  session.effect->setParameter(panel.levelTag, plus12dB);
  ASSERT_TRUE(session.openEditor());
  EXPECT_TRUE(displaysShow(session, panel.displays, panel.levelLabel, "12.0"));
  const Pixels atOpen = session.grab(panel.displays.value);

  session.effect->setParameter(panel.levelTag, 0.25f);
  EXPECT_TRUE(displaysShow(session, panel.displays, panel.levelLabel, "-10.0"));
  session.effect->setParameter(panel.levelTag, plus12dB);
  EXPECT_TRUE(showsPixels(session, panel.displays.value, atOpen));

  session.effect->setParameter(panel.typeTag, 1.0f); // the readout now names another parameter
  session.closeEditor();
  session.effect->setParameter(panel.levelTag, 0.25f);
  ASSERT_TRUE(session.openEditor());
  EXPECT_TRUE(displaysShow(session, panel.displays, panel.levelLabel, "-10.0"));
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PanelEditors, ::testing::Values(&kDw5k, &kH3r),
                         [](const auto &info) { return std::string(info.param->name); });

} // namespace
