#include "control_test_bed.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "display_input.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/offscreen_context.h"

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

ControlTestEffect::ControlTestEffect(audioMasterCallback host)
    : EffectExtended(host, 1, kTestParameters) {
  setNumInputs(2);
  setNumOutputs(2);
}

void ControlTestEffect::setParameter(VstInt32 index, float value) {
  if (index >= 0 && index < kTestParameters)
    values[index] = value;
}

float ControlTestEffect::getParameter(VstInt32 index) {
  return index >= 0 && index < kTestParameters ? values[index] : 0.0f;
}

ControlTestEditor::ControlTestEditor(EffectBase *effect, std::int32_t width, std::int32_t height,
                                     Builder build)
    : GuiEditor(effect), width(width), height(height), build(std::move(build)) {
  rect = ERect{0, 0, static_cast<VstInt16>(height), static_cast<VstInt16>(width)};
}

VstInt32 ControlTestEditor::open(void *parentWindow) {
  GuiEditor::open(parentWindow);
  frame = new Frame(Rect(0, 0, width, height), parentWindow, this);
  Bitmap *background = makeBitmap(width, height, kTestBackground);
  frame->setBackgroundBitmap(background);
  background->release();
  build(*frame);
  return 1;
}

void ControlTestEditor::close() {
  delete frame;
  frame = nullptr;
}

void ControlTestEditor::idle() {
  if (atNextIdle) {
    auto once = std::move(atNextIdle);
    atNextIdle = nullptr;
    once();
  }
  GuiEditor::idle();
}

void ControlTestEditor::valueChanged(DrawContext *context, Control *control) {
  notifications.push_back({control->getTag(), control->getValue(), context != nullptr});
  effect->setParameterAndAutomate(control->getTag(), control->getValue());
}

ControlTestBed::ControlTestBed(std::int32_t width, std::int32_t height,
                               ControlTestEditor::Builder build)
    : parent(kFrameScreenX, kFrameScreenY, width, height) {
  effect = new ControlTestEffect(RecordingHost::callback());
  host.adopt(effect->getAeffect());
  editor = new ControlTestEditor(effect, width, height, std::move(build));
  AEffect *record = effect->getAeffect();
  record->dispatcher(record, effEditOpen, 0, 0, parent.handle(), 0.0f);
  // The first paint clears the frame's first-draw guard; only then does idle draw. Input is
  // only sure to arrive once the window shows on the display (its free corner is background).
  pumpUntil([this] { return editor->getFrame() && !frame().isFirstDrawPending(); }, 8000);
  parent.waitForPixel(static_cast<HWND>(frame().getWindow()), width - 1, height - 1,
                      kTestBackground);
  host.clearCalls();
}

ControlTestBed::~ControlTestBed() {
  dispatch(effEditClose);
  parent.destroy();
  host.release(effect->getAeffect());
  delete effect; // deletes the editor
}

bool ControlTestBed::pumpUntil(const std::function<bool()> &done, int timeoutMs) {
  return guitest::waitUntil(done, static_cast<std::uint32_t>(timeoutMs));
}

void ControlTestBed::pumpFor(int milliseconds) {
  const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
  pumpUntil([until] { return Clock::now() >= until; }, milliseconds + 1000);
}

void ControlTestBed::idle() {
  dispatch(effEditIdle);
  pumpFor(5);
}

bool ControlTestBed::perform(const std::function<void()> &gesture, int timeoutMs) {
  std::atomic<bool> finished{false};
  std::thread helper([&] {
    gesture();
    finished = true;
  });
  const bool inTime = pumpUntil([&] { return finished.load(); }, timeoutMs);
  helper.join();
  // Let the UI thread see the last input (a drag loop ends on the release it polls).
  pumpFor(60);
  return inTime;
}

Color ControlTestBed::pixel(int x, int y) {
  return guitest::pixelOf(static_cast<HWND>(frame().getWindow()), x, y);
}

std::vector<HostCall> ControlTestBed::editCalls() const {
  std::vector<HostCall> result;
  for (const HostCall &call : host.calls())
    if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit ||
        call.opcode == audioMasterAutomate)
      result.push_back(call);
  return result;
}

VstIntPtr ControlTestBed::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt) {
  AEffect *record = effect->getAeffect();
  return record->dispatcher(record, opcode, index, value, nullptr, opt);
}

namespace input {

void moveTo(Point framePoint) {
  displayinput::moveTo(kFrameScreenX + framePoint.h, kFrameScreenY + framePoint.v);
}
void pressLeft() { displayinput::pressLeft(); }
void releaseLeft() { displayinput::releaseLeft(); }
void keyDown(unsigned short virtualKey) { displayinput::keyDown(virtualKey); }
void keyUp(unsigned short virtualKey) { displayinput::keyUp(virtualKey); }

void glide(Point from, Point to, int pauseMs) {
  displayinput::glide(kFrameScreenX + from.h, kFrameScreenY + from.v, kFrameScreenX + to.h,
                      kFrameScreenY + to.v, pauseMs);
}

void pause(int milliseconds) { displayinput::pause(milliseconds); }
void holdKeys(const std::vector<unsigned short> &keys) { displayinput::holdKeys(keys); }
void releaseKeys(const std::vector<unsigned short> &keys) { displayinput::releaseKeys(keys); }

void click(Point at, const std::vector<unsigned short> &held) {
  moveTo(at);
  pause(40);
  holdKeys(held);
  pressLeft();
  // Long enough for the window to see the button still down when it handles the click.
  pause(120);
  releaseLeft();
  releaseKeys(held);
  pause(30);
}

void quickClick(Point at, const std::vector<unsigned short> &held) {
  moveTo(at);
  pause(40);
  holdKeys(held);
  displayinput::quickClick();
  releaseKeys(held);
  pause(30);
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs) {
  return displayinput::waitFor(condition, timeoutMs);
}

} // namespace input

Bitmap *makeBitmap(std::int32_t width, std::int32_t height, Color color,
                   const std::vector<std::pair<Rect, Color>> &patches) {
  auto *bitmap = new Bitmap(width, height);
  HDC screen = GetDC(nullptr);
  {
    DrawContext screenContext(nullptr, screen, nullptr);
    OffscreenContext painter(&screenContext, bitmap, true);
    // fillRect leaves the top row and left column to an outline: start one pixel outside.
    painter.setFillColor(color);
    painter.fillRect(Rect(-1, -1, width, height));
    for (const auto &[rect, patch] : patches) {
      painter.setFillColor(patch);
      painter.fillRect(Rect(rect.left - 1, rect.top - 1, rect.right, rect.bottom));
    }
  }
  ReleaseDC(nullptr, screen);
  return bitmap;
}
