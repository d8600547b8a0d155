// The frame's window-free rules on the headless window system: dispatch order, redraw at idle,
// ownership of children, modal and focus views, sizing and own-window mode.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/gui_editor.h"
#include "effect/effect_extended.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/headless_input.h"
#include "recording_host.h"
#include "recording_view.h"

namespace {

int parentToken; // any non-null parent opens a headless child window
void *const kParent = &parentToken;

class PlainEffect : public EffectExtended {
public:
  explicit PlainEffect(audioMasterCallback host) : EffectExtended(host, 1, 1) {}
  void process(float **, float **, VstInt32) override {}
};

class FrameRules : public ::testing::Test {
protected:
  FrameRules() { headless::setWindowOrigin(Point(100, 200)); }
  std::vector<std::string> log;
  Frame frame{Rect(0, 0, 200, 100), kParent, nullptr};

  RecordingView *add(const char *name, const Rect &bounds) {
    auto *view = new RecordingView(name, bounds, log);
    frame.addChild(view);
    return view;
  }
  void click(int x, int y, std::int32_t buttons = kLeftButton) {
    headless::setMouse(Point(100 + x, 200 + y), buttons);
    DrawContext context(&frame, nullptr, frame.getWindow());
    Point where(x, y);
    frame.onMouseDown(&context, where);
    headless::setMouse(Point(100 + x, 200 + y), 0);
  }
  void paint() {
    DrawContext context(&frame, nullptr, frame.getWindow());
    frame.drawInRect(&context, Rect(0, 0, 200, 100));
  }
};

TEST_F(FrameRules, ClicksGoToTheLastEnabledChildUnderThePointOnly) {
  add("first", Rect(0, 0, 50, 50));
  RecordingView *second = add("second", Rect(40, 40, 90, 90));
  log.clear();
  click(45, 45);
  click(50, 50); // right and bottom edges count as inside
  second->setMouseEnabled(false);
  click(45, 45);
  click(95, 95);
  EXPECT_EQ(log, (std::vector<std::string>{"second:mouseDown 45,45", "second:mouseDown 50,50",
                                           "first:mouseDown 45,45"}));
}

TEST_F(FrameRules, ModalViewTakesEveryClickInsideItAndSwallowsTheRest) {
  add("child", Rect(0, 0, 200, 100));
  auto *modal = new RecordingView("modal", Rect(10, 10, 30, 30), log);
  EXPECT_TRUE(frame.setModalView(modal));
  RecordingView other("other", Rect(0, 0, 5, 5), log);
  EXPECT_FALSE(frame.setModalView(&other)); // a second modal view is refused
  log.clear();
  click(60, 60);
  click(20, 20);
  EXPECT_EQ(log, (std::vector<std::string>{"modal:mouseDown 20,20"}));
  EXPECT_TRUE(frame.setModalView(nullptr));
  EXPECT_EQ(log.back(), "modal:removed");
  delete modal;
}

TEST_F(FrameRules, ClickTakesTheFocusAwayBeforeAnyViewSeesIt) {
  RecordingView *target = add("target", Rect(0, 0, 50, 50));
  RecordingView *focused = add("focused", Rect(100, 0, 150, 50));
  frame.setFocusView(focused);
  frame.setFocusView(target); // the previous one loses the focus at once
  log.clear();
  click(10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"target:focusLost", "target:mouseDown 10,10"}));
  EXPECT_EQ(frame.getFocusView(), nullptr);
}

TEST_F(FrameRules, KeysAskFocusThenModalThenChildrenFromTheLast) {
  RecordingView *a = add("a", Rect(0, 0, 10, 10));
  add("b", Rect(0, 0, 10, 10));
  RecordingView *focus = add("focus", Rect(0, 0, 10, 10));
  RecordingView modal("modal", Rect(0, 0, 10, 10), log);
  frame.setFocusView(focus);
  frame.setModalView(&modal);
  a->keyAnswer = 7;
  VstKeyCode key{65, 0, 0, {0, 0}};
  log.clear();
  EXPECT_EQ(frame.onKeyDown(key), 7);
  EXPECT_EQ(log, (std::vector<std::string>{"focus:keyDown", "modal:keyDown", "focus:keyDown",
                                           "b:keyDown", "a:keyDown"}));
  a->keyAnswer = -1;
  EXPECT_EQ(frame.onKeyUp(key), -1);
  frame.setModalView(nullptr);
}

TEST_F(FrameRules, DropsReachTheLastAcceptingViewAndAreRefusedWhileModalOrFocused) {
  RecordingView *under = add("under", Rect(0, 0, 100, 100));
  RecordingView *over = add("over", Rect(0, 0, 50, 50));
  RecordingView *disabled = add("disabled", Rect(0, 0, 50, 50));
  disabled->setMouseEnabled(false);
  over->dropAnswer = false;
  const char *names[] = {"a.wav", "b.wav"};
  Point where(20, 20);
  log.clear();
  EXPECT_TRUE(frame.onDrop(names, 2, kDropFiles, where));
  EXPECT_EQ(log, (std::vector<std::string>{"over:drop 0 2", "under:drop 0 2"}));

  frame.setFocusView(under);
  log.clear();
  EXPECT_FALSE(frame.onDrop(names, 2, kDropFiles, where));
  frame.setFocusView(nullptr);
  RecordingView modal("modal", Rect(0, 0, 100, 100), log);
  frame.setModalView(&modal);
  EXPECT_FALSE(frame.onDrop(names, 2, kDropFiles, where));
  frame.setModalView(nullptr);
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string &e) { return e.find("drop") != std::string::npos; }),
            0);
}

TEST_F(FrameRules, WheelGoesToTheViewUnderTheMouseWithTheMouseLocation) {
  add("left", Rect(0, 0, 50, 50));
  add("right", Rect(60, 0, 110, 50));
  headless::setMouse(Point(100 + 70, 200 + 10), 0);
  log.clear();
  EXPECT_TRUE(frame.onWheel(nullptr, Point(5, 5), 3.0f)); // the given point is not used
  headless::setMouse(Point(100 + 55, 200 + 10), 0);
  EXPECT_FALSE(frame.onWheel(nullptr, Point(5, 5), 1.0f));
  EXPECT_EQ(log, (std::vector<std::string>{"right:wheel 70,10 3"}));
}

TEST_F(FrameRules, IdleDrawsNothingBeforeTheFirstPaintThenOnlyDirtyViews) {
  RecordingView *a = add("a", Rect(0, 0, 10, 10));
  RecordingView *b = add("b", Rect(20, 0, 30, 10));
  a->setNeedsRedraw(true);
  log.clear();
  frame.idle();
  EXPECT_TRUE(log.empty());
  paint();
  EXPECT_EQ(log, (std::vector<std::string>{"a:draw", "b:draw"}));
  log.clear();
  frame.idle();
  EXPECT_TRUE(log.empty()); // drawing cleared the flags
  b->setNeedsRedraw(true);
  frame.idle();
  EXPECT_EQ(log, (std::vector<std::string>{"b:draw"}));
  log.clear();
  frame.invalidate(Rect(5, 5, 6, 6));
  frame.idle();
  EXPECT_EQ(log, (std::vector<std::string>{"a:draw"}));
  log.clear();
  frame.setNeedsRedraw(true); // the frame's own flag: everything
  frame.idle();
  EXPECT_EQ(log, (std::vector<std::string>{"a:draw", "b:draw"}));
  log.clear();
  b->redrawNow();             // one child at once, dirty or not
  frame.drawViewNow(nullptr); // no child named: everything
  RecordingView stranger("stranger", Rect(0, 0, 5, 5), log);
  frame.drawViewNow(&stranger); // not a child: everything too
  EXPECT_EQ(log, (std::vector<std::string>{"b:draw", "a:draw", "b:draw", "a:draw", "b:draw"}));
  log.clear();
  frame.windowDestroyed(); // the host destroyed the parent first
  b->setNeedsRedraw(true);
  frame.idle();
  frame.drawViewNow(b);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(frame.isOpen());
  EXPECT_FALSE(frame.setSize(300, 300));
  Rect size;
  EXPECT_FALSE(frame.getSize(size));
}

TEST_F(FrameRules, ModalViewIsDrawnOverTheOthersAndAloneAtIdle) {
  RecordingView *a = add("a", Rect(0, 0, 10, 10));
  RecordingView modal("modal", Rect(0, 0, 100, 100), log);
  frame.setModalView(&modal);
  log.clear();
  paint();
  EXPECT_EQ(log, (std::vector<std::string>{"a:draw", "modal:draw"}));
  log.clear();
  a->setNeedsRedraw(true);
  modal.setNeedsRedraw(true);
  frame.idle();
  EXPECT_EQ(log, (std::vector<std::string>{"modal:draw"}));
  frame.setModalView(nullptr);
}

TEST_F(FrameRules, ChildArrayGrowsAndIndexesSafely) {
  for (int i = 0; i < 45; ++i)
    add("v", Rect(i, 0, i + 1, 1));
  EXPECT_EQ(frame.childCount(), 45);
  EXPECT_EQ(frame.childAt(-1), nullptr);
  EXPECT_EQ(frame.childAt(45), nullptr);
  ASSERT_NE(frame.childAt(44), nullptr);
  EXPECT_EQ(frame.childAt(44)->getBounds().left, 44);
  EXPECT_EQ(frame.childAt(0)->getFrame(), &frame);
  View *middle = frame.childAt(20);
  EXPECT_TRUE(frame.removeChild(middle, true));
  EXPECT_FALSE(frame.hasChild(middle));
  EXPECT_EQ(frame.childAt(20)->getBounds().left, 21); // the gap is closed
  EXPECT_EQ(frame.childCount(), 44);
}

TEST(FrameOwnership, ChildrenAreReleasedByRemovalAndByTheFrame) {
  std::vector<std::string> log;
  int deletions = 0;
  auto *kept = new RecordingView("kept", Rect(0, 0, 1, 1), log, &deletions);
  auto *retained = new RecordingView("retained", Rect(0, 0, 1, 1), log, &deletions);
  auto *owned = new RecordingView("owned", Rect(0, 0, 1, 1), log, &deletions);
  auto *removed = new RecordingView("removed", Rect(0, 0, 1, 1), log, &deletions);
  {
    Frame frame(Rect(0, 0, 10, 10), kParent, nullptr);
    for (View *v : {static_cast<View *>(kept), static_cast<View *>(retained),
                    static_cast<View *>(owned), static_cast<View *>(removed)})
      frame.addChild(v);
    retained->retain();
    EXPECT_TRUE(frame.removeChild(kept, false));
    EXPECT_EQ(deletions, 0);
    EXPECT_TRUE(frame.removeChild(removed, true));
    EXPECT_EQ(deletions, 1);
    EXPECT_FALSE(frame.removeChild(removed, true)); // no longer a child: nothing released
  }
  EXPECT_EQ(deletions, 2); // the owned one; the retained one lives on
  EXPECT_EQ(retained->referenceCount(), 1);
  retained->release();
  kept->release();
  EXPECT_EQ(deletions, 4);
}

TEST(FrameOwnership, BackgroundBitmapIsSharedByReference) {
  headless::defineImage(300, 20, 10);
  auto *image = new Bitmap(300);
  EXPECT_EQ(image->getWidth(), 20);
  EXPECT_EQ(image->getHeight(), 10);
  {
    Frame first(Rect(0, 0, 10, 10), kParent, nullptr);
    Frame second(Rect(0, 0, 10, 10), kParent, nullptr);
    first.setBackgroundBitmap(image);
    second.setBackgroundBitmap(image);
    image->release(); // the creator lets go; both frames hold it
    EXPECT_EQ(image->referenceCount(), 2);
    first.setBackgroundBitmap(nullptr);
    EXPECT_EQ(image->referenceCount(), 1);
  }
  Bitmap missing(301);
  EXPECT_FALSE(missing.isLoaded());
  EXPECT_EQ(missing.getWidth(), 0);
}

TEST(FrameWindow, WindowsAndTheImagingLibraryLiveAsLongAsTheirFrames) {
  const int windows = headless::openWindowCount();
  {
    Frame a(Rect(0, 0, 10, 10), kParent, nullptr);
    {
      Frame b(Rect(0, 0, 10, 10), kParent, nullptr);
      EXPECT_EQ(headless::imagingHolderCount(), 2);
      EXPECT_EQ(headless::openWindowCount(), windows + 2);
    }
    EXPECT_EQ(headless::imagingHolderCount(), 1);
    Frame orphan(Rect(0, 0, 10, 10), nullptr, nullptr); // no parent: no window, no drops
    EXPECT_EQ(orphan.getWindow(), nullptr);
    EXPECT_FALSE(orphan.isDropEnabled());
    EXPECT_TRUE(a.isDropEnabled());
  }
  EXPECT_EQ(headless::imagingHolderCount(), 0);
  EXPECT_EQ(headless::openWindowCount(), windows);
}

class HostedFrame : public ::testing::Test {
protected:
  HostedFrame() { host.adopt(effect.getAeffect()); }
  ~HostedFrame() override { host.release(effect.getAeffect()); }
  RecordingHost host;
  PlainEffect effect{RecordingHost::callback()};
  GuiEditor *editor = new GuiEditor(&effect); // owned by the effect
};

TEST_F(HostedFrame, SetSizeUsesTheHostWhenItCanSizeWindows) {
  Frame frame(Rect(0, 0, 200, 100), kParent, editor);
  EXPECT_FALSE(frame.setSize(200, 100));
  EXPECT_TRUE(host.calls().empty());
  EXPECT_TRUE(frame.setSize(300, 150)); // the host cannot: the frame's bounds follow
  EXPECT_EQ(frame.getBounds(), Rect(0, 0, 300, 150));
  ASSERT_EQ(host.callsWith(audioMasterCanDo).size(), 1u);
  EXPECT_EQ(host.callsWith(audioMasterCanDo)[0].text, "sizeWindow");

  host.setAnswer(audioMasterCanDo, 1);
  host.setAnswer(audioMasterSizeWindow, 1);
  EXPECT_TRUE(frame.setSize(400, 250));
  EXPECT_EQ(frame.getBounds(), Rect(0, 0, 300, 150)); // the host resized: bounds stay
  ASSERT_EQ(host.callsWith(audioMasterSizeWindow).size(), 1u);
  EXPECT_EQ(host.callsWith(audioMasterSizeWindow)[0].index, 400);
  EXPECT_EQ(host.callsWith(audioMasterSizeWindow)[0].value, 250);
}

TEST_F(HostedFrame, EditGesturesAndIdleGoThroughTheEditor) {
  Frame frame(Rect(0, 0, 20, 20), kParent, editor);
  frame.beginEdit(3);
  frame.endEdit(3);
  const auto calls = host.calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls[0].index, 3);
  EXPECT_EQ(calls[1].opcode, audioMasterEndEdit);
  EXPECT_EQ(frame.getEditor(), editor);
  Frame lone(Rect(0, 0, 20, 20), kParent, nullptr);
  EXPECT_EQ(lone.ticks(), 0);
}

TEST_F(HostedFrame, OwnWindowModeAsksTheHostForItsWindow) {
  Frame frame(Rect(10, 20, 110, 70), "Own", editor, 3);
  EXPECT_FALSE(frame.isOpen());
  EXPECT_EQ(frame.getWindow(), nullptr);
  EXPECT_FALSE(frame.openOwnWindow()); // the host answers no window
  const int windows = headless::openWindowCount();
  host.setAnswer(audioMasterOpenWindow, reinterpret_cast<VstIntPtr>(kParent));
  const Point position(5, 6);
  EXPECT_TRUE(frame.openOwnWindow(&position));
  EXPECT_TRUE(frame.isOpen());
  EXPECT_EQ(headless::openWindowCount(), windows + 1);
  auto opens = host.callsWith(audioMasterOpenWindow);
  ASSERT_EQ(opens.size(), 2u);
  const auto *record = static_cast<const VstWindow *>(opens[1].ptr);
  EXPECT_STREQ(record->title, "Own");
  EXPECT_EQ(record->xPos, 5);
  EXPECT_EQ(record->yPos, 6);
  EXPECT_EQ(record->width, 100);
  EXPECT_EQ(record->height, 50);
  EXPECT_EQ(record->style, 3);
  EXPECT_EQ(record->parent, nullptr);
  EXPECT_FALSE(frame.openOwnWindow()); // already open
  frame.closeOwnWindow();
  EXPECT_EQ(host.callsWith(audioMasterCloseWindow).size(), 1u);
  frame.closeOwnWindow(); // the host window is forgotten: asked once only
  EXPECT_EQ(host.callsWith(audioMasterCloseWindow).size(), 1u);
}

} // namespace
