// What the GUI tests of the container part need around the toolkit: a host window at the
// screen's origin (so window, frame and screen coordinates agree), message pumping with time
// limits, real mouse and key input from a helper thread, and pixels read back.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "gui/gui_types.h"

// A borderless top-level window at (0, 0) that a frame can open in.
class HostWindow {
public:
  HostWindow(int width, int height);
  ~HostWindow();
  HostWindow(const HostWindow &) = delete;
  HostWindow &operator=(const HostWindow &) = delete;
  HWND handle() const { return window; }

private:
  HWND window = nullptr;
};

// Pumps this thread's messages, calling `eachRound` between them, until `done` answers true or
// `timeoutMs` passed. True when done.
bool pumpUntil(const std::function<bool()> &done, int timeoutMs,
               const std::function<void()> &eachRound = {});
void pumpFor(int milliseconds, const std::function<void()> &eachRound = {});

// Steps of real input, played on a helper thread while the test thread pumps messages (a
// control's drag loop runs inside a message and polls the mouse).
class InputScript {
public:
  InputScript &move(int x, int y);
  InputScript &press(bool right = false);
  InputScript &release(bool right = false);
  InputScript &click(int x, int y) { return move(x, y).press().release(); }
  InputScript &keyDown(WORD virtualKey);
  InputScript &keyUp(WORD virtualKey);
  InputScript &key(WORD virtualKey) { return keyDown(virtualKey).keyUp(virtualKey); }
  InputScript &type(const std::string &text); // letters, digits, '.', ':', '\\', space
  InputScript &wheel(int steps);
  InputScript &pause(int milliseconds);
  // Any step of the test's own, run on the helper thread; false ends the script as failed.
  InputScript &then(std::function<bool()> step);
  // Waits (up to the timeout) until `condition`, checked on the helper thread, holds.
  InputScript &waitFor(std::function<bool()> condition, int timeoutMs = 5000);

  // Plays the steps while pumping; true when they all ran and no wait timed out.
  bool play(const std::function<void()> &eachRound = {}, int timeoutMs = 20000);

private:
  std::vector<std::function<bool()>> steps;
};

// The colour at a point of a window's client area, as the screen shows it.
Color windowPixel(HWND window, int x, int y);
// The colour of a pixel of a bitmap resource of a module (the strip images the tests compare).
Color resourcePixel(HMODULE module, int resourceId, int x, int y);
std::string describe(Color color);

// The pixels of a rectangle, row by row: of a window as shown, and of a bitmap resource.
std::vector<Color> windowPixels(HWND window, const Rect &rect);
std::vector<Color> resourcePixels(HMODULE module, int resourceId, const Rect &rect);
// What GDI itself draws for a single line of text: `size` filled with `fill`, the text in the
// toolkit's font `fontId` (standard size), vertically centred, aligned 0 left (one pixel in),
// 1 centred, 2 right.
std::vector<Color> gdiText(const char *text, int fontId, const Rect &size, Color fill, Color ink,
                           int alignment);
// The part of a capture inside `part` (both relative to the capture's own rectangle).
std::vector<Color> cut(const std::vector<Color> &pixels, int width, const Rect &part);
// How many pixels differ between two equally sized captures.
int countDifferences(const std::vector<Color> &a, const std::vector<Color> &b);
