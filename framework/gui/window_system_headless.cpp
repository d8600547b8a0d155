// The window system for builds without one: windows are plain records, nothing is drawn, and the
// pointer and clock are what the tests set.
#include <chrono>
#include <thread>

#include "frame.h"
#include "headless_input.h"
#include "window_system.h"

namespace {

struct HeadlessWindow {
  Frame *frame;
  void *parent;
  std::int32_t width;
  std::int32_t height;
};

Point mousePosition;
std::int32_t mouseButtonState = 0;
Point origin;
bool manualClock = false;
std::uint32_t manualTicks = 0;
std::int32_t openWindows = 0;
std::int32_t imagingHolders = 0;
std::int32_t pendingPaints = 0;
std::int32_t dispatchedPaints = 0;
int imagingToken;
int cursorToken[7];

} // namespace

namespace headless {

void setMouse(const Point &screen, std::int32_t buttons) {
  mousePosition = screen;
  mouseButtonState = buttons;
}
Point mouseScreenPosition() { return mousePosition; }
std::int32_t mouseButtons() { return mouseButtonState; }
void setWindowOrigin(const Point &screen) { origin = screen; }
Point windowOrigin() { return origin; }
void useManualClock(std::uint32_t start) {
  manualClock = true;
  manualTicks = start;
}
void useRealClock() { manualClock = false; }
void advanceClock(std::uint32_t milliseconds) { manualTicks += milliseconds; }
std::int32_t openWindowCount() { return openWindows; }
std::int32_t imagingHolderCount() { return imagingHolders; }
std::int32_t paintMessagesDispatched() { return dispatchedPaints; }
void queuePaintMessage() { ++pendingPaints; }

} // namespace headless

namespace windowSystem {

void *acquireImaging() {
  ++imagingHolders;
  return &imagingToken;
}

void releaseImaging(void *) {
  if (imagingHolders > 0)
    --imagingHolders;
}

void initializeOle() {}
void uninitializeOle() {}

void *openChildWindow(Frame *frame, void *parent, std::int32_t width, std::int32_t height) {
  if (!parent)
    return nullptr;
  ++openWindows;
  return new HeadlessWindow{frame, parent, width, height};
}

void closeChildWindow(void *window) {
  delete static_cast<HeadlessWindow *>(window);
  --openWindows;
}

void *windowDeviceContext(void *) { return nullptr; }
void releaseWindowDeviceContext(void *, void *) {}

Point cursorPosition() { return mousePosition; }
Point windowScreenOrigin(void *) { return origin; }

void resizeWindow(void *window, std::int32_t width, std::int32_t height) {
  if (auto *w = static_cast<HeadlessWindow *>(window)) {
    w->width = width;
    w->height = height;
  }
}

void resizeWindowChain(void *window, std::int32_t width, std::int32_t height) {
  resizeWindow(window, width, height);
}

bool parentRect(void *window, Rect &rect) {
  auto *w = static_cast<HeadlessWindow *>(window);
  rect = Rect(0, 0, w->width, w->height);
  return true;
}

void *outerWindow(void *window) { return static_cast<HeadlessWindow *>(window)->parent; }

bool outerWindowPosition(void *, std::int32_t &x, std::int32_t &y) {
  x = origin.h;
  y = origin.v;
  return true;
}

void *ancestor(void *window, std::int32_t levels) {
  return window && levels > 0 ? static_cast<HeadlessWindow *>(window)->parent : window;
}

void bringToTop(void *) {}

namespace {
void *shownCursor = &cursorToken[0];
} // namespace

void *currentCursor() { return shownCursor; }
void restoreCursor(void *cursor) { shownCursor = cursor; }
void showCursorType(std::int32_t type) {
  if (type >= 1 && type <= 6)
    shownCursor = &cursorToken[type];
}

void *registerDropTarget(Frame *frame, void *) { return frame; }
void revokeDropTarget(void *, void *) {}

std::uint32_t ticks() {
  if (manualClock)
    return manualTicks;
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void sleep(std::uint32_t milliseconds) {
  if (manualClock)
    manualTicks += milliseconds;
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void dispatchOnePaintMessage() {
  if (pendingPaints > 0) {
    --pendingPaints;
    ++dispatchedPaints;
  }
}

} // namespace windowSystem
