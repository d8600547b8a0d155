// A test frame for the controls: a top-level window as the host's parent, a GUI editor over a
// small effect whose host records every call, real mouse and key input from a helper thread, and
// pixels read back from the frame's window.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "editor/gui_editor.h"
#include "effect/effect_extended.h"
#include "gui/control.h"
#include "gui/frame.h"
#include "gui_test_support.h"
#include "recording_host.h"

class Bitmap;

constexpr VstInt32 kTestParameters = 8;

class ControlTestEffect : public EffectExtended {
public:
  explicit ControlTestEffect(audioMasterCallback host);
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void process(float **, float **, VstInt32) override {}

private:
  float values[kTestParameters] = {};
};

struct Notification {
  std::int32_t tag;
  float value;
  bool withContext;
};

// The frame's background colour, everywhere no control covers it.
constexpr Color kTestBackground{40, 60, 80, 0};

class ControlTestEditor : public GuiEditor, public ControlListener {
public:
  using Builder = std::function<void(Frame &)>;
  ControlTestEditor(EffectBase *effect, std::int32_t width, std::int32_t height, Builder build);

  VstInt32 open(void *parentWindow) override;
  void close() override;
  void idle() override;
  void valueChanged(DrawContext *context, Control *control) override;

  std::vector<Notification> notifications;
  // Runs once at the next idle (from inside a drag loop too), then is cleared.
  std::function<void()> atNextIdle;

private:
  std::int32_t width;
  std::int32_t height;
  Builder build;
};

// Screen position of the frame's top-left corner: far enough from the edges that drags of a few
// hundred pixels stay on the screen.
constexpr int kFrameScreenX = 300;
constexpr int kFrameScreenY = 250;

class ControlTestBed {
public:
  ControlTestBed(std::int32_t width, std::int32_t height, ControlTestEditor::Builder build);
  ~ControlTestBed();

  Frame &frame() { return *editor->getFrame(); }
  // Processes window messages until `done` holds; false after `timeoutMs`.
  bool pumpUntil(const std::function<bool()> &done, int timeoutMs = 5000);
  void pumpFor(int milliseconds);
  // The host's editor idle, once.
  void idle();
  // Runs `gesture` (real input) on a helper thread while this thread serves the window. False
  // when the gesture did not finish within `timeoutMs`.
  bool perform(const std::function<void()> &gesture, int timeoutMs = 20000);
  Color pixel(int x, int y);
  // Opcodes 43 (begin edit), 44 (end edit) and 0 (automate) as the host received them.
  std::vector<HostCall> editCalls() const;
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, float opt = 0.0f);
  guitest::HostWindow &parentWindow() { return parent; }

  RecordingHost host;
  ControlTestEffect *effect = nullptr;
  ControlTestEditor *editor = nullptr;

private:
  guitest::HostWindow parent;
};

// Real input through the display server's own input tool (xdotool), in frame coordinates where
// a point is taken; each call returns once this process sees its effect. Wine takes the button
// and modifier state of every pointer event from the display server, so input injected inside
// wine would not outlast the next movement. Keys reach the window only while the pointer is over
// it. Safe from any thread.
namespace input {
void moveTo(Point framePoint);
void pressLeft();
void releaseLeft();
void keyDown(unsigned short virtualKey);
void keyUp(unsigned short virtualKey);
// Moves one pixel at a time (diagonally when both change), pausing between pixels.
void glide(Point from, Point to, int pauseMs = 4);
void pause(int milliseconds);
// Shift, control or alt, down (or up) together.
void holdKeys(const std::vector<unsigned short> &keys);
void releaseKeys(const std::vector<unsigned short> &keys);
// Press and release at `at`, with `held` keys down around the press.
void click(Point at, const std::vector<unsigned short> &held = {});
// The same with press and release sent together: the button is up before the window sees it.
void quickClick(Point at, const std::vector<unsigned short> &held = {});
// Polls `condition` (for instance what the host has received so far).
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);
} // namespace input

// An image of `width` x `height` filled with `color`, then each (rect, colour) painted over it.
Bitmap *makeBitmap(std::int32_t width, std::int32_t height, Color color,
                   const std::vector<std::pair<Rect, Color>> &patches = {});
