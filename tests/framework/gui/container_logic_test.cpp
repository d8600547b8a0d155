// The view container's rules on the headless window system, under the sanitizers: routing in
// container coordinates through nested containers, the mouse as a child reads it, update mode 1,
// drops, wheel and keys, context offsets restored, and reference counting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/headless_input.h"
#include "gui/view_container.h"

namespace {

int parentToken; // any non-null parent opens a headless child window
void *const kParent = &parentToken;
const Point kWindowOrigin(100, 200);

class Probe : public View {
public:
  Probe(const Rect &bounds, std::vector<std::string> &log, const char *name)
      : View(bounds), log(log), name(name) {}
  void draw(DrawContext *context) override {
    log.push_back(name + ":draw at " + std::to_string(context->offset.h) + "," +
                  std::to_string(context->offset.v));
    View::draw(context);
  }
  void onMouseDown(DrawContext *context, Point &where) override {
    Point mouse;
    context->getMouseLocation(mouse);
    log.push_back(name + ":click " + text(where) + " mouse " + text(mouse));
  }
  bool onDrop(void *, std::int32_t, std::int32_t, Point &where) override {
    log.push_back(name + ":drop " + text(where));
    return true;
  }
  bool onWheel(DrawContext *, const Point &where, float) override {
    log.push_back(name + ":wheel " + text(where));
    return true;
  }
  std::int32_t onKeyDown(VstKeyCode &) override { return keyAnswer; }
  void focusLost(DrawContext *) override { log.push_back(name + ":focusLost"); }

  std::int32_t keyAnswer = -1;

private:
  static std::string text(const Point &p) {
    return std::to_string(p.h) + "," + std::to_string(p.v);
  }
  std::vector<std::string> &log;
  std::string name;
};

class ContainerRules : public ::testing::Test {
protected:
  ContainerRules() { headless::setWindowOrigin(kWindowOrigin); }
  ~ContainerRules() override { headless::setMouse(Point(), 0); }

  Probe *probe(ViewContainer *into, const char *name, const Rect &bounds) {
    auto *view = new Probe(bounds, log, name);
    into->addChild(view);
    return view;
  }
  void click(int x, int y) {
    headless::setMouse(Point(kWindowOrigin.h + x, kWindowOrigin.v + y), kLeftButton);
    DrawContext context(&frame, nullptr, frame.getWindow());
    Point where(x, y);
    frame.onMouseDown(&context, where);
    headless::setMouse(Point(kWindowOrigin.h + x, kWindowOrigin.v + y), 0);
  }
  void paint() {
    DrawContext context(&frame, nullptr, frame.getWindow());
    frame.drawInRect(&context, Rect(0, 0, 300, 200));
  }

  std::vector<std::string> log;
  Frame frame{Rect(0, 0, 300, 200), kParent, nullptr};
};

TEST_F(ContainerRules, ClicksAndTheMouseAreInTheInnermostContainersCoordinates) {
  for (const bool buffered : {false, true}) {
    SCOPED_TRACE(buffered ? "buffered" : "direct");
    auto *outer = new ViewContainer(Rect(20, 20, 220, 170), &frame);
    outer->setBuffered(buffered);
    auto *inner = new ViewContainer(Rect(30, 40, 130, 120), &frame);
    inner->setBuffered(!buffered);
    probe(inner, "below", Rect(0, 0, 50, 50));
    Probe *above = probe(inner, "above", Rect(20, 20, 70, 70));
    probe(outer, "beside", Rect(150, 0, 190, 40));
    outer->addChild(inner);
    frame.addChild(outer);
    log.clear();
    click(75, 87);
    above->setMouseEnabled(false);
    click(75, 87);
    click(180, 25);
    click(19, 19); // outside the outer container: nobody
    EXPECT_EQ(log, (std::vector<std::string>{"above:click 25,27 mouse 25,27",
                                             "below:click 25,27 mouse 25,27",
                                             "beside:click 160,5 mouse 160,5"}));
    frame.removeChild(outer, true);
  }
}

TEST_F(ContainerRules, DirectDrawingMovesTheOffsetAndPutsItBack) {
  auto *outer = new ViewContainer(Rect(20, 20, 220, 170), &frame);
  outer->setBuffered(false);
  auto *inner = new ViewContainer(Rect(30, 40, 130, 120), &frame);
  inner->setBuffered(false);
  probe(inner, "deep", Rect(5, 5, 10, 10));
  probe(outer, "shallow", Rect(0, 0, 5, 5));
  outer->addChild(inner);
  frame.addChild(outer);
  log.clear();
  DrawContext context(&frame, nullptr, frame.getWindow());
  context.offset = Point(1, 2);
  const Point origin = context.windowOrigin;
  outer->draw(&context);
  EXPECT_EQ(log, (std::vector<std::string>{"shallow:draw at 21,22", "deep:draw at 51,62"}));
  EXPECT_EQ(context.offset, Point(1, 2));
  EXPECT_EQ(context.windowOrigin, origin);
}

TEST_F(ContainerRules, UpdateModeOneRedrawsOnlyDirtyChildren) {
  for (const bool buffered : {false, true}) {
    SCOPED_TRACE(buffered ? "buffered" : "direct");
    auto *container = new ViewContainer(Rect(10, 10, 210, 110), &frame);
    container->setBuffered(buffered);
    container->setUpdateMode(kUpdateDirtyChildren);
    probe(container, "a", Rect(0, 0, 40, 40));
    Probe *b = probe(container, "b", Rect(50, 0, 90, 40));
    auto *nested = new ViewContainer(Rect(100, 0, 180, 60), &frame);
    nested->setBuffered(false);
    nested->setUpdateMode(kUpdateDirtyChildren);
    Probe *c = probe(nested, "c", Rect(0, 0, 10, 10));
    probe(nested, "d", Rect(20, 0, 30, 10));
    container->addChild(nested);
    frame.addChild(container);
    paint();
    log.clear();
    b->setNeedsRedraw(true);
    frame.idle();
    EXPECT_EQ(log,
              std::vector<std::string>{"b:draw at " + std::string(buffered ? "0,0" : "10,10")});
    log.clear();
    c->setNeedsRedraw(true);
    frame.idle();
    if (buffered) // the buffer's children redraw themselves: the nested container its dirty one
      EXPECT_EQ(log, std::vector<std::string>{"c:draw at 100,0"});
    else // over fresh background the nested container redraws whole, then keeps its mode
      EXPECT_EQ(log, (std::vector<std::string>{"c:draw at 110,10", "d:draw at 110,10"}));
    EXPECT_EQ(nested->getUpdateMode(), kUpdateDirtyChildren);
    EXPECT_FALSE(container->needsRedraw());
    frame.removeChild(container, true);
  }
}

TEST_F(ContainerRules, DropsAndWheelByMouseAreaKeysLastToFirstFocusToAll) {
  auto *container = new ViewContainer(Rect(100, 50, 300, 200), &frame);
  container->addChildWithMouseArea(new Probe(Rect(0, 0, 50, 50), log, "left"), Rect(0, 0, 50, 140));
  auto *right = new Probe(Rect(60, 0, 110, 50), log, "right");
  container->addChildWithMouseArea(right, Rect(60, 0, 110, 140));
  frame.addChild(container);
  log.clear();
  const char *name = "dropped.wav";
  Point onRight(170, 150), between(155, 150);
  EXPECT_TRUE(frame.onDrop(&name, 1, kDropFiles, onRight));
  EXPECT_FALSE(frame.onDrop(&name, 1, kDropFiles, between));
  right->setMouseEnabled(false);
  EXPECT_FALSE(frame.onDrop(&name, 1, kDropFiles, onRight));
  right->setMouseEnabled(true);
  headless::setMouse(Point(kWindowOrigin.h + 120, kWindowOrigin.v + 170), 0);
  EXPECT_TRUE(frame.onWheel(nullptr, Point(), 1.0f));
  headless::setMouse(Point(kWindowOrigin.h + 155, kWindowOrigin.v + 170), 0);
  EXPECT_FALSE(frame.onWheel(nullptr, Point(), 1.0f));
  container->focusLost(nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"right:drop 70,100", "left:wheel 20,120",
                                           "left:focusLost", "right:focusLost"}));
  VstKeyCode key{0, 12, 0, {0, 0}};
  EXPECT_EQ(container->onKeyDown(key), -1);
  static_cast<Probe *>(container->childAt(0))->keyAnswer = 5;
  EXPECT_EQ(container->onKeyDown(key), 5);
  right->keyAnswer = 9;
  EXPECT_EQ(container->onKeyDown(key), 9);
  EXPECT_EQ(container->onKeyUp(key), -1);
  ViewContainer orphan(Rect(0, 0, 10, 10), nullptr);
  Point inside(1, 1);
  EXPECT_FALSE(orphan.onDrop(&name, 1, kDropFiles, inside));
}

TEST_F(ContainerRules, ChildrenAndBackgroundReferences) {
  headless::defineImage(900, 16, 16);
  auto *background = new Bitmap(900);
  auto *child = new Probe(Rect(0, 0, 10, 10), log, "child");
  auto *container = new ViewContainer(Rect(0, 0, 50, 50), &frame, background);
  EXPECT_EQ(background->referenceCount(), 2);
  container->addChild(child);
  container->addChild(child);
  EXPECT_EQ(child->referenceCount(), 3);
  container->removeChild(child, false);
  EXPECT_EQ(child->referenceCount(), 1);
  EXPECT_EQ(container->childCount(), 0);
  container->addChild(child);
  container->setBackgroundBitmap(nullptr);
  EXPECT_EQ(background->referenceCount(), 1);
  container->setBackgroundBitmap(background);
  delete container; // the child goes with it: the creator's reference was handed over
  EXPECT_EQ(background->referenceCount(), 1);
  background->release();
}

} // namespace
