// What the GUI tests of the container part add to the shared GUI test support: message pumping
// with work between rounds, scripted real input played from a helper thread while the test
// thread pumps (a control's drag loop or a popup runs inside a message), strip images and GDI's
// own text to compare pixels with.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "gui/gui_types.h"
#include "gui_test_support.h"

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
  // A click of zero length through the display server: the button is up again before the window
  // handles the press. `button` 1 left, 3 right; control held around it when asked.
  InputScript &tap(int x, int y, int button = 1, bool withControl = false);
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

std::string describe(Color color);

// The pixels of a rectangle of a bitmap resource, row by row (the strip images compared).
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
