// The view container in a real window under real input: drawing order and offsets (buffered and
// direct, nested), click, drop, wheel and key routing, update mode 1 and reference counting.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/view_container.h"
#include "real_input.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr Color kRed{220, 30, 30, 0};
constexpr Color kGreen{30, 200, 60, 0};
constexpr Color kBlue{40, 60, 220, 0};
constexpr Color kYellow{230, 210, 20, 0};
constexpr Color kPurple{150, 40, 170, 0};

// A view that paints its bounds in one colour and writes down what reaches it.
class Swatch : public View {
public:
  Swatch(const Rect &bounds, Color color, bool *destroyed = nullptr)
      : View(bounds), color(color), destroyed(destroyed) {}
  ~Swatch() override {
    if (destroyed)
      *destroyed = true;
  }
  void draw(DrawContext *context) override {
    context->setFillColor(color);
    context->fillRect(Rect(bounds.left - 1, bounds.top - 1, bounds.right, bounds.bottom));
    ++draws;
    setNeedsRedraw(false);
  }
  void onMouseDown(DrawContext *context, Point &where) override {
    clicks.push_back(where);
    Point mouse;
    context->getMouseLocation(mouse);
    mouseAtClick.push_back(mouse);
  }
  bool onDrop(void *, std::int32_t, std::int32_t, Point &where) override {
    drops.push_back(where);
    return true;
  }
  bool onWheel(DrawContext *, const Point &where, float) override {
    wheels.push_back(where);
    return true;
  }
  std::int32_t onKeyDown(VstKeyCode &) override { return keyAnswer; }

  Color color;
  int draws = 0;
  std::int32_t keyAnswer = -1;
  std::vector<Point> clicks, mouseAtClick, drops, wheels;

private:
  bool *destroyed;
};

class ContainerTest : public ::testing::Test {
protected:
  void SetUp() override {
    host = std::make_unique<guitest::HostWindow>(0, 0, kWidth, kHeight);
    frame = new Frame(Rect(0, 0, kWidth, kHeight), host->handle(), nullptr);
  }
  void TearDown() override {
    delete frame;
    host.reset();
  }
  // Shows what was added: the first paint, then idle passes until nothing is dirty.
  void showAll() {
    InvalidateRect(static_cast<HWND>(frame->getWindow()), nullptr, FALSE);
    ASSERT_TRUE(pumpUntil([&] { return !frame->isFirstDrawPending(); }, 5000));
    pumpFor(50);
  }
  void idle() {
    frame->idle();
    pumpFor(20);
  }
  Color at(int x, int y) { return guitest::pixelOf(static_cast<HWND>(frame->getWindow()), x, y); }
  Swatch *swatch(ViewContainer *into, const Rect &bounds, Color color) {
    // The creator's reference goes with the container: it releases every child when destroyed.
    auto *view = new Swatch(bounds, color);
    into->addChild(view);
    return view;
  }

  std::unique_ptr<guitest::HostWindow> host;
  Frame *frame = nullptr;
};

#define EXPECT_PIXEL(x, y, expected)                                                               \
  EXPECT_EQ(describe(at(x, y)), describe(expected)) << (x) << "," << (y)

TEST_F(ContainerTest, ChildrenAreDrawnInOrderAtTheContainersOffsetBufferedOrNot) {
  for (const bool buffered : {true, false}) {
    SCOPED_TRACE(buffered ? "buffered" : "direct");
    auto *container = new ViewContainer(Rect(50, 40, 150, 120), frame);
    container->setBuffered(buffered);
    container->setBackgroundColor(kBlue);
    swatch(container, Rect(10, 10, 40, 40), kRed);
    swatch(container, Rect(30, 30, 60, 60), kGreen);
    frame->addChild(container);
    EXPECT_EQ(container->hasOffscreen(), buffered);
    showAll();
    EXPECT_PIXEL(50 + 15, 40 + 15, kRed);
    EXPECT_PIXEL(50 + 35, 40 + 35, kGreen); // the later child covers the earlier one
    EXPECT_PIXEL(50 + 59, 40 + 59, kGreen);
    EXPECT_PIXEL(50 + 60, 40 + 60, kBlue);
    EXPECT_PIXEL(50, 40, kBlue); // the whole local rectangle, corner included
    EXPECT_PIXEL(149, 119, kBlue);
    EXPECT_NE(describe(at(49, 39)), describe(kBlue));
    EXPECT_NE(describe(at(150, 120)), describe(kBlue));
    frame->removeChild(container, true);
  }
}

TEST_F(ContainerTest, NestedContainersAddTheirOffsetsInEveryCombination) {
  for (const bool outerBuffered : {true, false})
    for (const bool innerBuffered : {true, false}) {
      SCOPED_TRACE(std::string(outerBuffered ? "buffered" : "direct") + " outer, " +
                   (innerBuffered ? "buffered" : "direct") + " inner");
      auto *outer = new ViewContainer(Rect(20, 20, 220, 170), frame);
      outer->setBuffered(outerBuffered);
      outer->setBackgroundColor(kBlue);
      auto *inner = new ViewContainer(Rect(30, 40, 130, 120), frame);
      inner->setBuffered(innerBuffered);
      inner->setBackgroundColor(kYellow);
      swatch(inner, Rect(5, 6, 25, 26), kRed);
      outer->addChild(inner);
      frame->addChild(outer);
      showAll();
      EXPECT_PIXEL(20 + 30 + 5, 20 + 40 + 6, kRed);
      EXPECT_PIXEL(20 + 30 + 24, 20 + 40 + 25, kRed);
      EXPECT_PIXEL(20 + 30 + 25, 20 + 40 + 26, kYellow);
      EXPECT_PIXEL(20 + 30 + 4, 20 + 40 + 5, kYellow);
      EXPECT_PIXEL(20 + 29, 20 + 39, kBlue);
      EXPECT_PIXEL(20 + 130, 20 + 120, kBlue);
      // Redrawing a dirty child later lands at the same place.
      static_cast<Swatch *>(inner->childAt(0))->color = kGreen;
      inner->childAt(0)->setNeedsRedraw(true);
      idle();
      EXPECT_PIXEL(20 + 30 + 5, 20 + 40 + 6, kGreen);
      frame->removeChild(outer, true);
    }
}

TEST_F(ContainerTest, ARealClickReachesTheRightChildOfANestedContainer) {
  auto *outer = new ViewContainer(Rect(20, 20, 220, 170), frame);
  auto *inner = new ViewContainer(Rect(30, 40, 130, 120), frame);
  inner->setBuffered(false);
  Swatch *below = swatch(inner, Rect(0, 0, 50, 50), kRed);
  Swatch *above = swatch(inner, Rect(20, 20, 70, 70), kGreen);
  Swatch *beside = swatch(outer, Rect(150, 0, 190, 40), kYellow);
  outer->addChild(inner);
  frame->addChild(outer);
  showAll();

  // On the overlap: the later child, with the point in its container's coordinates.
  ASSERT_TRUE(InputScript().click(20 + 30 + 25, 20 + 40 + 27).play());
  ASSERT_EQ(above->clicks.size(), 1u);
  EXPECT_EQ(above->clicks[0], Point(25, 27));
  // While it handles the click, the mouse reads in the same coordinates.
  EXPECT_EQ(above->mouseAtClick[0], Point(25, 27));
  EXPECT_TRUE(below->clicks.empty());
  EXPECT_TRUE(beside->clicks.empty());

  // A later child that takes no mouse input lets the earlier one have the click.
  above->setMouseEnabled(false);
  ASSERT_TRUE(InputScript().click(20 + 30 + 25, 20 + 40 + 27).play());
  ASSERT_EQ(below->clicks.size(), 1u);
  EXPECT_EQ(below->clicks[0], Point(25, 27));
  EXPECT_EQ(above->clicks.size(), 1u);

  ASSERT_TRUE(InputScript().click(20 + 160, 20 + 5).play());
  ASSERT_EQ(beside->clicks.size(), 1u);
  EXPECT_EQ(beside->clicks[0], Point(160, 5));
}

TEST_F(ContainerTest, UpdateModeOneRedrawsOnlyDirtyChildrenOverFreshBackground) {
  for (const bool buffered : {false, true}) {
    SCOPED_TRACE(buffered ? "buffered" : "direct");
    auto *container = new ViewContainer(Rect(10, 10, 210, 110), frame);
    container->setBuffered(buffered);
    container->setBackgroundColor(kBlue);
    container->setUpdateMode(kUpdateDirtyChildren);
    Swatch *a = swatch(container, Rect(0, 0, 40, 40), kRed);
    Swatch *b = swatch(container, Rect(50, 0, 90, 40), kRed);
    Swatch *c = swatch(container, Rect(100, 0, 140, 40), kRed);
    frame->addChild(container);
    showAll();
    const int drawsBefore[] = {a->draws, b->draws, c->draws};
    b->color = kGreen;
    b->setNeedsRedraw(true);
    idle();
    EXPECT_EQ(a->draws, drawsBefore[0]);
    EXPECT_EQ(b->draws, drawsBefore[1] + 1);
    EXPECT_EQ(c->draws, drawsBefore[2]);
    EXPECT_PIXEL(10 + 60, 10 + 20, kGreen);
    EXPECT_PIXEL(10 + 20, 10 + 20, kRed);

    // Mode 0 redraws everything for one dirty child.
    container->setUpdateMode(kUpdateWhole);
    b->setNeedsRedraw(true);
    idle();
    EXPECT_EQ(a->draws, drawsBefore[0] + 1);
    EXPECT_EQ(c->draws, drawsBefore[2] + 1);
    // Any other mode draws nothing.
    container->setUpdateMode(7);
    a->setNeedsRedraw(true);
    idle();
    EXPECT_EQ(a->draws, drawsBefore[0] + 1);
    frame->removeChild(container, true);
  }
}

TEST_F(ContainerTest, ModeOneRedrawsAChildContainerWholeOverTheBackground) {
  auto *outer = new ViewContainer(Rect(10, 10, 210, 150), frame);
  outer->setBuffered(false);
  outer->setUpdateMode(kUpdateDirtyChildren);
  outer->setBackgroundColor(kBlue);
  auto *inner = new ViewContainer(Rect(20, 20, 120, 100), frame);
  inner->setBuffered(false);
  inner->setUpdateMode(kUpdateDirtyChildren);
  inner->setBackgroundColor(kYellow);
  Swatch *first = swatch(inner, Rect(0, 0, 30, 30), kRed);
  Swatch *second = swatch(inner, Rect(40, 0, 70, 30), kRed);
  outer->addChild(inner);
  frame->addChild(outer);
  showAll();
  const int secondDraws = second->draws;
  first->setNeedsRedraw(true);
  idle();
  // The parent painted its background over the whole child container, so all of it is redrawn.
  EXPECT_EQ(second->draws, secondDraws + 1);
  EXPECT_EQ(inner->getUpdateMode(), kUpdateDirtyChildren); // restored afterwards
  EXPECT_PIXEL(10 + 20 + 50, 10 + 20 + 10, kRed);
  EXPECT_PIXEL(10 + 20 + 35, 10 + 20 + 10, kYellow);
}

TEST_F(ContainerTest, TransparentContainerWithoutBitmapPaintsNothingBehindItsChildren) {
  auto *under = new Swatch(Rect(0, 0, kWidth, kHeight), kPurple);
  frame->addChild(under);
  auto *container = new ViewContainer(Rect(40, 40, 200, 160), frame);
  container->setBuffered(false);
  container->setTransparent(true);
  container->setBackgroundColor(kBlue);
  swatch(container, Rect(10, 10, 30, 30), kRed);
  frame->addChild(container);
  showAll();
  EXPECT_PIXEL(40 + 15, 40 + 15, kRed);
  EXPECT_PIXEL(40 + 50, 40 + 50, kPurple);
  EXPECT_PIXEL(40, 40, kPurple);
}

TEST_F(ContainerTest, DropsAndWheelFollowMouseAreasKeysGoLastToFirst) {
  auto *container = new ViewContainer(Rect(100, 50, 300, 200), frame);
  auto *left = new Swatch(Rect(0, 0, 50, 50), kRed);
  auto *right = new Swatch(Rect(60, 0, 110, 50), kGreen);
  // The mouse areas reach far below the bounds.
  container->addChildWithMouseArea(left, Rect(0, 0, 50, 140));
  container->addChildWithMouseArea(right, Rect(60, 0, 110, 140));
  frame->addChild(container);
  showAll();

  Point where(100 + 70, 50 + 100);
  const char *name = "C:\\dropped.wav";
  EXPECT_TRUE(frame->onDrop(&name, 1, kDropFiles, where));
  ASSERT_EQ(right->drops.size(), 1u);
  EXPECT_EQ(right->drops[0], Point(70, 100));
  EXPECT_TRUE(left->drops.empty());
  // Outside every mouse area nothing takes it; without mouse input neither.
  Point between(100 + 55, 50 + 100);
  EXPECT_FALSE(frame->onDrop(&name, 1, kDropFiles, between));
  right->setMouseEnabled(false);
  EXPECT_FALSE(frame->onDrop(&name, 1, kDropFiles, where));
  right->setMouseEnabled(true);
  ViewContainer orphan(Rect(0, 0, 10, 10), nullptr);
  Point inside(1, 1);
  EXPECT_FALSE(orphan.onDrop(&name, 1, kDropFiles, inside)); // no frame: refused

  // The wheel goes where the real mouse is.
  ASSERT_TRUE(InputScript().move(100 + 20, 50 + 120).play());
  EXPECT_TRUE(frame->onWheel(nullptr, Point(), 1.0f));
  ASSERT_EQ(left->wheels.size(), 1u);
  EXPECT_EQ(left->wheels[0], Point(20, 120));
  EXPECT_TRUE(right->wheels.empty());

  VstKeyCode key{0, 12, 0, {0, 0}};
  EXPECT_EQ(container->onKeyDown(key), -1);
  left->keyAnswer = 5;
  EXPECT_EQ(container->onKeyDown(key), 5);
  right->keyAnswer = 9;
  EXPECT_EQ(container->onKeyDown(key), 9);
}

TEST_F(ContainerTest, ChildrenAndBackgroundAreReferenceCounted) {
  bool gone = false;
  auto *kept = new Swatch(Rect(0, 0, 10, 10), kRed, &gone);
  auto *background = new Bitmap(16, 16);
  auto *other = new Bitmap(16, 16);
  {
    auto *container = new ViewContainer(Rect(0, 0, 100, 100), frame, background);
    EXPECT_EQ(background->referenceCount(), 2);
    container->addChild(kept);
    EXPECT_EQ(kept->referenceCount(), 2);
    EXPECT_EQ(kept->getParentView(), container);
    EXPECT_EQ(kept->getFrame(), frame);
    container->removeChild(kept, false); // only the node's reference goes
    EXPECT_EQ(kept->referenceCount(), 1);
    EXPECT_FALSE(gone);
    EXPECT_FALSE(container->hasChild(kept));
    container->addChild(kept);
    container->addChild(kept); // twice: two nodes, two references
    EXPECT_EQ(kept->referenceCount(), 3);
    EXPECT_EQ(container->childCount(), 2);
    EXPECT_EQ(container->childAt(1), kept);
    EXPECT_EQ(container->childAt(2), nullptr);
    EXPECT_EQ(container->childAt(-1), nullptr);
    container->removeChild(kept, false); // removes every node that holds it
    EXPECT_EQ(container->childCount(), 0);
    EXPECT_EQ(kept->referenceCount(), 1);
    container->setBackgroundBitmap(other);
    EXPECT_EQ(background->referenceCount(), 1);
    EXPECT_EQ(other->referenceCount(), 2);
    delete container;
  }
  EXPECT_EQ(other->referenceCount(), 1);
  EXPECT_FALSE(gone);
  EXPECT_EQ(kept->referenceCount(), 1);
  {
    // Destruction removes every child with release: the creator's reference goes too, as it
    // does when the frame is destroyed.
    auto *container = new ViewContainer(Rect(0, 0, 100, 100), frame);
    container->addChild(kept);
    EXPECT_EQ(kept->referenceCount(), 2);
    delete container;
    EXPECT_TRUE(gone);
  }
  gone = false;
  kept = new Swatch(Rect(0, 0, 10, 10), kRed, &gone);
  {
    auto *container = new ViewContainer(Rect(0, 0, 100, 100), frame);
    container->addChild(kept);
    kept->release(); // the container's reference is the last
    EXPECT_FALSE(gone);
    container->removeChild(kept, false);
    EXPECT_TRUE(gone);
    delete container;
  }
  bool released = false;
  auto *child = new Swatch(Rect(0, 0, 10, 10), kRed, &released);
  auto *container = new ViewContainer(Rect(0, 0, 100, 100), frame);
  container->addChild(child);
  container->removeChild(child, true); // the creator's reference goes too
  EXPECT_TRUE(released);
  delete container;
  background->release();
  other->release();
}

TEST_F(ContainerTest, BufferFollowsAttachmentBoundsAndTheBufferedFlag) {
  auto *container = new ViewContainer(Rect(0, 0, 60, 40), frame);
  EXPECT_FALSE(container->hasOffscreen());
  frame->addChild(container);
  EXPECT_TRUE(container->hasOffscreen());
  container->setBounds(Rect(10, 10, 110, 90));
  EXPECT_TRUE(container->hasOffscreen());
  EXPECT_TRUE(container->needsRedraw());
  container->setBuffered(false);
  EXPECT_FALSE(container->hasOffscreen());
  container->setBuffered(true);
  frame->removeChild(container, false);
  EXPECT_FALSE(container->hasOffscreen());
  char copy[] = "kMsgCheckIfViewContainer";
  EXPECT_TRUE(container->notify(nullptr, kMsgCheckIfViewContainer));
  EXPECT_FALSE(container->notify(nullptr, copy)); // the constant itself, not its text
  Swatch plain(Rect(0, 0, 1, 1), kRed);
  EXPECT_FALSE(plain.notify(nullptr, kMsgCheckIfViewContainer));
  container->release();
}

} // namespace
