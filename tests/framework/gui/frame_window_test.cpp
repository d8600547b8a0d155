// The frame in a real child window on the virtual display, driven with the real mouse: paint,
// click routing, idle redraw, wheel, sizing, the window class and a host that destroys its
// window first. Smoke.* is the short check the 32-bit build runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "editor/gui_editor.h"
#include "effect/effect_extended.h"
#include "effect/plugin_entry.h"
#include "fixture/fixture_protocol.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui_test_support.h"
#include "recording_host.h"
#include "recording_view.h"

namespace {

// A recording view that paints itself in one colour.
class PaintedView : public RecordingView {
public:
  PaintedView(const char *name, const Rect &bounds, std::vector<std::string> &log, Color color)
      : RecordingView(name, bounds, log), color(color) {}
  void draw(DrawContext *context) override {
    context->setFillColor(color);
    context->fillRect(bounds);
    RecordingView::draw(context);
  }
  Color color;
};

class FrameWindow : public ::testing::Test {
protected:
  FrameWindow() {
    moduleHandle = GetModuleHandleA(nullptr);
    background = new Bitmap(kFixtureBackgroundId);
  }
  ~FrameWindow() override {
    delete frame;
    background->release();
  }
  void openFrame(GuiEditor *editor = nullptr) {
    frame = new Frame(Rect(0, 0, kFixtureEditorWidth, kFixtureEditorHeight), host.handle(), editor);
    frame->setBackgroundBitmap(background);
  }
  HWND child() const { return static_cast<HWND>(frame->getWindow()); }
  bool waitForFirstPaint() {
    return guitest::waitUntil([&] { return !frame->isFirstDrawPending(); }, 8000) &&
           host.waitForPixel(child(), 95, 0, kRight); // no view covers it
  }
  PaintedView *add(const char *name, const Rect &bounds, Color color) {
    auto *view = new PaintedView(name, bounds, log, color);
    frame->addChild(view);
    return view;
  }
  void click(int x, int y) {
    guitest::clickAt(child(), x, y);
    guitest::pumpMessages();
  }

  const Color kLeft{200, 40, 40, 0};
  const Color kRight{40, 40, 200, 0};
  guitest::HostWindow host{50, 60, kFixtureEditorWidth, kFixtureEditorHeight};
  Bitmap *background;
  Frame *frame = nullptr;
  std::vector<std::string> log;
};

TEST_F(FrameWindow, SmokeOpensDrawsAndCloses) {
  openFrame();
  add("patch", Rect(10, 10, 30, 30), colorYellow);
  ASSERT_TRUE(waitForFirstPaint());
  EXPECT_TRUE(guitest::pixelOf(child(), 20, 20).sameRgb(colorYellow));
  EXPECT_TRUE(guitest::pixelOf(child(), 10, 20).sameRgb(kLeft)); // fill starts inside the outline
  EXPECT_TRUE(guitest::pixelOf(child(), 3, 3).sameRgb(Color{0, 160, 0, 0}));
  HWND window = child();
  delete frame;
  frame = nullptr;
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FrameWindow, WindowClassNameCarriesTheWholeModuleHandle) {
  openFrame();
  char name[64] = {};
  GetClassNameA(child(), name, sizeof name);
  char expected[64];
  std::snprintf(expected, sizeof expected, "Plugin%08llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(moduleHandle)));
  EXPECT_STREQ(name, expected);
  EXPECT_EQ(GetParent(child()), host.handle());
  EXPECT_TRUE(frame->isDropEnabled());
}

TEST_F(FrameWindow, RealClicksReachTheRightView) {
  openFrame();
  add("first", Rect(10, 10, 50, 50), colorYellow);
  PaintedView *second = add("second", Rect(30, 30, 70, 60), colorCyan);
  ASSERT_TRUE(waitForFirstPaint());
  log.clear();
  click(40, 40); // the overlap: only the later child
  ASSERT_TRUE(guitest::waitUntil([&] { return !log.empty(); }));
  second->setMouseEnabled(false);
  click(40, 41);
  ASSERT_TRUE(guitest::waitUntil([&] { return log.size() == 2; }));
  auto *modal = new PaintedView("modal", Rect(0, 0, 20, 20), log, colorWhite);
  frame->setModalView(modal);
  click(40, 42); // outside the modal view: swallowed
  click(5, 5);
  ASSERT_TRUE(guitest::waitUntil([&] { return log.size() >= 4; }));
  EXPECT_EQ(log, (std::vector<std::string>{"second:mouseDown 40,40", "first:mouseDown 40,41",
                                           "modal:attached", "modal:mouseDown 5,5"}));
  frame->setModalView(nullptr);
  modal->release();
}

TEST_F(FrameWindow, IdleRepaintsOnlyTheDirtyViewsAfterTheFirstPaint) {
  openFrame();
  PaintedView *a = add("a", Rect(10, 10, 30, 30), colorYellow);
  PaintedView *b = add("b", Rect(50, 10, 70, 30), colorCyan);
  a->setNeedsRedraw(true);
  log.clear();
  frame->idle(); // before the first paint: nothing
  EXPECT_TRUE(log.empty());
  ASSERT_TRUE(waitForFirstPaint());
  log.clear();
  a->color = colorMagenta;
  b->color = colorGreen; // changed but not dirty: must keep its old pixels
  a->setNeedsRedraw(true);
  frame->idle();
  EXPECT_EQ(log, (std::vector<std::string>{"a:draw"}));
  EXPECT_TRUE(guitest::pixelOf(child(), 20, 20).sameRgb(colorMagenta));
  EXPECT_TRUE(guitest::pixelOf(child(), 60, 20).sameRgb(colorCyan));
}

TEST_F(FrameWindow, WheelGoesToTheViewUnderTheRealMouse) {
  openFrame();
  add("left", Rect(0, 0, 40, 64), colorYellow);
  add("right", Rect(50, 0, 96, 64), colorCyan);
  ASSERT_TRUE(waitForFirstPaint());
  const POINT p = guitest::toScreen(child(), 70, 12);
  guitest::moveMouse(p.x, p.y);
  ASSERT_TRUE(guitest::waitUntil([&] {
    Point where;
    frame->getMouseLocation(where);
    return where == Point(70, 12);
  }));
  log.clear();
  EXPECT_TRUE(frame->onWheel(nullptr, Point(0, 0), 2.0f));
  EXPECT_EQ(log, (std::vector<std::string>{"right:wheel 70,12 2"}));
}

// Tracks the mouse after a click the way the controls do: polls buttons and position until the
// left button goes up, running the editor's idle cycle in every round.
class DraggedView : public View {
public:
  explicit DraggedView(const Rect &bounds) : View(bounds) {}
  void onMouseDown(DrawContext *context, Point &) override {
    while (context->getMouseButtons() & kLeftButton) {
      context->getMouseLocation(last);
      ++rounds;
      if (getFrame())
        getFrame()->runEditorIdle();
    }
  }
  Point last;
  int rounds = 0;
};

TEST_F(FrameWindow, DragLoopFollowsMovesMadeWhileItRuns) {
  openFrame();
  auto *dragged = new DraggedView(Rect(0, 0, 96, 64));
  frame->addChild(dragged);
  ASSERT_TRUE(waitForFirstPaint());
  const POINT start = guitest::toScreen(child(), 10, 10);
  guitest::moveMouse(start.x, start.y);
  ASSERT_TRUE(guitest::waitUntil([&] {
    Point where;
    frame->getMouseLocation(where);
    return where == Point(10, 10);
  }));
  {
    using Step = guitest::InputStep;
    guitest::InputThread input({{Step::pressLeft},
                                {Step::pause, 0, 0, 0, 100},
                                {Step::move, start.x + 20, start.y + 5},
                                {Step::move, start.x + 40, start.y + 30},
                                {Step::pause, 0, 0, 0, 100},
                                {Step::releaseLeft}});
    // The button-down message starts the loop inside the window procedure.
    ASSERT_TRUE(guitest::waitUntil([&] { return dragged->rounds > 0; }, 10000));
  }
  EXPECT_EQ(dragged->last, Point(50, 40)); // the context's window origin is the child's corner
  EXPECT_GT(dragged->rounds, 1);
}

class PlainEffect : public EffectExtended {
public:
  explicit PlainEffect(audioMasterCallback host) : EffectExtended(host, 1, 1) {}
  void process(float **, float **, VstInt32) override {}
};

TEST_F(FrameWindow, SetSizeResizesTheWindowsOrLeavesItToTheHost) {
  RecordingHost recorder;
  PlainEffect effect(RecordingHost::callback());
  recorder.adopt(effect.getAeffect());
  auto *editor = new GuiEditor(&effect);
  openFrame(editor);
  auto clientSize = [](HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return Point(r.right, r.bottom);
  };
  EXPECT_FALSE(frame->setSize(kFixtureEditorWidth, kFixtureEditorHeight));
  EXPECT_TRUE(frame->setSize(120, 80)); // no host support: the frame resizes its windows
  EXPECT_EQ(frame->getBounds(), Rect(0, 0, 120, 80));
  EXPECT_EQ(clientSize(child()), Point(120, 80));
  EXPECT_EQ(clientSize(host.handle()), Point(120, 80));
  Rect size;
  ASSERT_TRUE(frame->getSize(size));
  EXPECT_EQ(size, Rect(50, 60, 170, 140));           // the host window, on the screen
  EXPECT_EQ(frame->getOuterWindow(), host.handle()); // the first window without a parent
  std::int32_t x = 0, y = 0;
  ASSERT_TRUE(frame->getPosition(x, y));
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 60);
  recorder.setAnswer(audioMasterCanDo, 1);
  recorder.setAnswer(audioMasterSizeWindow, 1);
  EXPECT_TRUE(frame->setSize(150, 90)); // the host sizes its window; the frame only its own
  EXPECT_EQ(frame->getBounds(), Rect(0, 0, 120, 80));
  EXPECT_EQ(clientSize(child()), Point(150, 90));
  EXPECT_EQ(clientSize(host.handle()), Point(120, 80));
  delete frame;
  frame = nullptr;
  recorder.release(effect.getAeffect());
}

TEST_F(FrameWindow, HostDestroyingItsWindowFirstClosesTheFrame) {
  openFrame();
  PaintedView *a = add("a", Rect(10, 10, 30, 30), colorYellow);
  ASSERT_TRUE(waitForFirstPaint());
  host.destroy();
  EXPECT_FALSE(frame->isOpen());
  log.clear();
  a->setNeedsRedraw(true);
  frame->idle();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(frame->setSize(200, 200));
  delete frame; // its window is gone already
  frame = nullptr;
}

TEST_F(FrameWindow, CursorZeroFirstRestoresTheCursorOfThatMoment) {
  openFrame();
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  frame->setCursor(kCursorDefault);
  EXPECT_EQ(GetCursor(), arrow);
  frame->setCursor(kCursorHorizontalResize);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
  frame->setCursor(kCursorDefault);
  EXPECT_EQ(GetCursor(), arrow);
}

} // namespace
