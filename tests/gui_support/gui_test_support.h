// Shared help for the GUI test programs on Windows: a real top-level window to host frames,
// waits that pump messages and always time out, real mouse and keyboard input, pixel reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "gui/gui_types.h"

namespace guitest {

// Pumps this thread's messages until `condition` holds or `timeoutMs` passed; true when it held.
bool waitUntil(const std::function<bool()> &condition, std::uint32_t timeoutMs = 5000);
// Pumps the pending messages of this thread once.
void pumpMessages();

// A visible, undecorated top-level window at a fixed screen place, to be a frame's parent.
class HostWindow {
public:
  HostWindow(int x, int y, int width, int height);
  ~HostWindow();
  HostWindow(const HostWindow &) = delete;
  HostWindow &operator=(const HostWindow &) = delete;

  HWND handle() const { return window; }
  // Destroys the window now (as a host does that tears down its parent window first).
  void destroy();
  // Waits until the window is mapped and its client area shows the expected pixel.
  bool waitForPixel(HWND target, int x, int y, Color expected, std::uint32_t timeoutMs = 8000);

private:
  HWND window = nullptr;
};

// The colour of one pixel of a window's client area, read from the window's device context.
Color pixelOf(HWND window, int x, int y);
// All pixels of a rectangle of a device context, row by row (top first), read with GetDIBits.
std::vector<Color> pixelsOf(HDC deviceContext, const Rect &rect);
// The same for a window's client area.
std::vector<Color> windowPixels(HWND window, const Rect &rect);

// Real input, the way a user makes it: the toolkit polls the physical state.
void moveMouse(int screenX, int screenY);
void pressLeftButton();
void releaseLeftButton();
void pressKey(WORD virtualKey);
void releaseKey(WORD virtualKey);
// Waits until GetAsyncKeyState reports the key (or mouse button) down or up.
bool waitForKeyState(int virtualKey, bool down, std::uint32_t timeoutMs = 3000);
// Moves the mouse to a window's client point and clicks the left button there.
void clickAt(HWND window, int x, int y);

// Input made on a helper thread while the test's own thread runs a control's tracking loop (which
// polls the mouse and never returns to the message loop). Steps run in order; join() waits.
struct InputStep {
  enum Kind { move, pressLeft, releaseLeft, keyDown, keyUp, pause } kind;
  int x = 0; // screen position for move
  int y = 0;
  WORD key = 0;         // for keyDown and keyUp
  std::uint32_t ms = 0; // for pause
};
class InputThread {
public:
  explicit InputThread(std::vector<InputStep> steps);
  ~InputThread();
  InputThread(const InputThread &) = delete;
  InputThread &operator=(const InputThread &) = delete;
  void join();

private:
  std::vector<InputStep> steps;
  std::thread worker;
};

// A screen point of a window's client coordinates.
POINT toScreen(HWND window, int x, int y);

} // namespace guitest
