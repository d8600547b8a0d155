// What the editor tests of both plug-ins share: a host window to open an editor in, the host's
// message loop and idle calls, real mouse and keyboard input from a helper thread, and exact
// pixels read back from the editor's window or drawn with GDI for comparison.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui_test_support.h"
#include "plugin_library.h"
#include "recording_host.h"

// Runs the host's message loop and its idle calls (every 10 ms) until `done` or the timeout.
bool pumpUntil(HostedEffect &effect, const std::function<bool()> &done, int timeoutMs = 5000);
void pumpFor(HostedEffect &effect, int milliseconds);

// One step of real input: move the pointer to a screen position, press or release the left
// button or the control key, or wait until the editor took the press; then pause.
struct InputStep {
  enum Kind { move, leftDown, leftUp, controlDown, controlUp, awaitPress } kind;
  POINT at;
  int pauseMs;
};
// Press at `from`, wait until the editor took the press, move to `to` in small steps, release.
std::vector<InputStep> dragSteps(POINT from, POINT to);
std::vector<InputStep> clickSteps(POINT at, bool withControl = false);
// Plays the steps on a helper thread while this thread pumps; false when they did not finish.
// `pressTaken` tells the awaitPress step that the editor is tracking the press.
bool perform(
    HostedEffect &effect, const std::vector<InputStep> &steps,
    const std::function<bool()> &pressTaken = [] { return true; }, int timeoutMs = 15000);

// 32-bit pixels (0x00RRGGBB), row by row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Pixels &other) const {
    return width == other.width && height == other.height && data == other.data;
  }
  bool operator!=(const Pixels &other) const { return !(*this == other); }
  Pixels column(int x) const { return crop({x, 0, x + 1, height}); }
  Pixels crop(const RECT &area) const;
};

// What the window shows in `area` (client coordinates).
Pixels grabWindow(HWND window, const RECT &area);
// A bitmap resource of `module` as drawn opaque, and its size.
Pixels resourcePixels(HMODULE module, int id);
SIZE resourceSize(HMODULE module, int id);
// A display's look for `text`: its background image, the text in 11-pixel Arial, dark grey,
// right-aligned, vertically centred, drawn by GDI itself.
Pixels displayPixels(HMODULE module, int backgroundId, const char *text);
// A horizontal bar's columns that show its on image (counted from the left); -1 when a column
// shows neither the on image nor the off image where it should.
int barOnColumns(const Pixels &bar, const Pixels &on, const Pixels &off);

// A plug-in loaded as a host loads it, running at 48 kHz in blocks of 480 frames, with a host
// window for its editor.
class EditorSession {
public:
  EditorSession(const char *path, int width, int height, int x = 100, int y = 300);

  LoadedPlugin plugin;
  HostedEffect *effect = nullptr;
  HMODULE module = nullptr;
  guitest::HostWindow window;

  bool loaded() const { return effect != nullptr; }
  const std::string &error() const { return loadError; }
  // effEditOpen into the host window; true once the editor's window shows its background.
  bool openEditor();
  void closeEditor() { effect->dispatch(effEditClose); }
  // The editor's child window in the host window, or null.
  HWND editorWindow() const {
    return window.handle() ? GetWindow(window.handle(), GW_CHILD) : nullptr;
  }
  Pixels grab(const RECT &area) const { return grabWindow(editorWindow(), area); }
  POINT screen(int x, int y) const { return guitest::toScreen(editorWindow(), x, y); }
  // A drag on the editor: true when the host saw the edit begin and the gesture finished.
  bool drag(POINT from, POINT to);
  // A click of zero length through the display server (press and release sent together, with
  // control held around it when asked) while the host pumps; true when it was sent in time.
  bool tap(POINT at, bool withControl = false);
  // Blocks of a 1 kHz sine of this peak for `milliseconds`, or of silence at peak 0.
  void playSine(double peak, int milliseconds);
  // One block whose first sample has this value, the rest silence.
  void playPeak(float peak);
  // Host calls of one opcode since the last clearCalls.
  std::vector<HostCall> calls(VstInt32 opcode) const { return plugin.host.callsWith(opcode); }

private:
  std::string loadError;
  long phase = 0;
};

// Where a panel shows the parameter touched last.
struct DisplayLayout {
  RECT label;
  int labelBackground;
  RECT value;
  int valueBackground;
};
// Waits (pumping) until both displays show these texts as GDI draws them.
::testing::AssertionResult displaysShow(EditorSession &session, const DisplayLayout &layout,
                                        const char *label, const char *value);

// The host saw exactly one edit gesture on `tag` since its calls were cleared: beginEdit, then
// automation of `tag` only, the last with `finalValue`, then endEdit; and the effect holds it.
::testing::AssertionResult oneGesture(EditorSession &session, int tag, float finalValue);

// Waits (pumping) until the window shows `expected` in `area`.
::testing::AssertionResult showsPixels(EditorSession &session, const RECT &area,
                                       const Pixels &expected);
// A horizontal bar (its image's area) shows this many columns of its on image.
::testing::AssertionResult barShows(EditorSession &session, const RECT &area, int onId, int offId,
                                    int onColumns);
