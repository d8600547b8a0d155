#include "editor_bench.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "display_input.h"

namespace {

void play(const InputStep &step, const std::function<bool()> &pressTaken) {
  switch (step.kind) {
  case InputStep::move:
    guitest::moveMouse(step.at.x, step.at.y);
    break;
  case InputStep::leftDown:
    guitest::pressLeftButton();
    guitest::waitForKeyState(VK_LBUTTON, true);
    break;
  case InputStep::leftUp:
    guitest::releaseLeftButton();
    guitest::waitForKeyState(VK_LBUTTON, false);
    break;
  case InputStep::controlDown:
    guitest::pressKey(VK_CONTROL);
    guitest::waitForKeyState(VK_CONTROL, true);
    break;
  case InputStep::controlUp:
    guitest::releaseKey(VK_CONTROL);
    guitest::waitForKeyState(VK_CONTROL, false);
    break;
  case InputStep::awaitPress:
    guitest::waitUntil(pressTaken, 3000);
    break;
  }
  Sleep(step.pauseMs);
}

// A 32-bit top-down memory bitmap selected into its own context.
struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  std::uint32_t *bits = nullptr;
  int width;
  int height;

  Canvas(int width, int height) : width(width), height(height) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *memory = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<std::uint32_t *>(memory);
    previous = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  Pixels pixels() const {
    GdiFlush();
    Pixels p;
    p.width = width;
    p.height = height;
    if (bits)
      for (int i = 0; i < width * height; ++i)
        p.data.push_back(bits[i] & 0xffffffu);
    return p;
  }
};

HBITMAP loadResource(HMODULE module, int id) {
  return static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

// Draws a bitmap resource at (0, 0) of the canvas as the toolkit draws it opaque.
void drawResource(Canvas &canvas, HMODULE module, int id) {
  HBITMAP bitmap = loadResource(module, id);
  if (!bitmap)
    return;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  HDC source = CreateCompatibleDC(canvas.dc);
  HGDIOBJ previous = SelectObject(source, bitmap);
  BitBlt(canvas.dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
  DeleteObject(bitmap);
}

} // namespace

bool pumpUntil(HostedEffect &effect, const std::function<bool()> &done, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    guitest::pumpMessages();
    effect.dispatch(effEditIdle);
    guitest::pumpMessages();
    if (done())
      return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs)
      return false;
    Sleep(10);
  }
}

void pumpFor(HostedEffect &effect, int milliseconds) {
  const DWORD start = GetTickCount();
  pumpUntil(
      effect, [&] { return static_cast<int>(GetTickCount() - start) >= milliseconds; },
      milliseconds + 1000);
}

std::vector<InputStep> dragSteps(POINT from, POINT to) {
  std::vector<InputStep> steps{{InputStep::move, from, 100},
                               {InputStep::leftDown, from, 0},
                               {InputStep::awaitPress, from, 50}};
  const int distance = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
  const int count = distance / 10 + 1;
  for (int i = 1; i <= count; ++i) {
    const POINT p{from.x + (to.x - from.x) * i / count, from.y + (to.y - from.y) * i / count};
    steps.push_back({InputStep::move, p, 15});
  }
  steps.push_back({InputStep::move, to, 300});
  steps.push_back({InputStep::leftUp, to, 300});
  return steps;
}

std::vector<InputStep> clickSteps(POINT at, bool withControl) {
  std::vector<InputStep> steps{{InputStep::move, at, 150}};
  if (withControl)
    steps.push_back({InputStep::controlDown, at, 100});
  steps.push_back({InputStep::leftDown, at, 200});
  steps.push_back({InputStep::leftUp, at, 200});
  if (withControl)
    steps.push_back({InputStep::controlUp, at, 100});
  return steps;
}

bool perform(HostedEffect &effect, const std::vector<InputStep> &steps,
             const std::function<bool()> &pressTaken, int timeoutMs) {
  std::atomic<bool> finished{false};
  std::thread player([&] {
    for (const InputStep &step : steps)
      play(step, pressTaken);
    finished = true;
  });
  const bool inTime = pumpUntil(
      effect, [&] { return finished.load(); }, timeoutMs);
  player.join();
  pumpFor(effect, 100);
  return inTime;
}

bool EditorSession::tap(POINT at, bool withControl) {
  std::atomic<bool> sent{false};
  std::thread player([&] {
    displayinput::moveTo(at.x, at.y);
    displayinput::pause(40);
    if (withControl)
      displayinput::holdKeys({VK_CONTROL});
    displayinput::quickClick();
    if (withControl)
      displayinput::releaseKeys({VK_CONTROL});
    sent = true;
  });
  const bool inTime = pumpUntil(
      *effect, [&] { return sent.load(); }, 10000);
  player.join();
  pumpFor(*effect, 100);
  return inTime;
}

Pixels Pixels::crop(const RECT &area) const {
  Pixels part;
  part.width = area.right - area.left;
  part.height = area.bottom - area.top;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      part.data.push_back(at(x, y));
  return part;
}

Pixels grabWindow(HWND window, const RECT &area) {
  Pixels p;
  p.width = area.right - area.left;
  p.height = area.bottom - area.top;
  for (const Color &c :
       guitest::windowPixels(window, Rect(area.left, area.top, area.right, area.bottom)))
    p.data.push_back(static_cast<std::uint32_t>(c.red) << 16 | c.green << 8 | c.blue);
  return p;
}

SIZE resourceSize(HMODULE module, int id) {
  SIZE size{0, 0};
  HBITMAP bitmap = loadResource(module, id);
  if (!bitmap)
    return size;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  DeleteObject(bitmap);
  size.cx = info.bmWidth;
  size.cy = info.bmHeight;
  return size;
}

Pixels resourcePixels(HMODULE module, int id) {
  const SIZE size = resourceSize(module, id);
  Canvas canvas(size.cx, size.cy);
  drawResource(canvas, module, id);
  return canvas.pixels();
}

Pixels displayPixels(HMODULE module, int backgroundId, const char *text) {
  const SIZE size = resourceSize(module, backgroundId);
  Canvas canvas(size.cx, size.cy);
  drawResource(canvas, module, backgroundId);
  LOGFONTA description{};
  description.lfHeight = -11;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = ANSI_CHARSET;
  description.lfOutPrecision = OUT_STRING_PRECIS;
  description.lfClipPrecision = CLIP_STROKE_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  lstrcpyA(description.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ previous = SelectObject(canvas.dc, font);
  SetTextColor(canvas.dc, RGB(70, 70, 70));
  SetBkMode(canvas.dc, TRANSPARENT);
  RECT box{0, 0, size.cx, size.cy};
  DrawTextA(canvas.dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
  SelectObject(canvas.dc, previous);
  DeleteObject(font);
  return canvas.pixels();
}

int barOnColumns(const Pixels &bar, const Pixels &on, const Pixels &off) {
  if (bar.width != on.width || bar.width != off.width)
    return -1;
  int x = 0;
  while (x < bar.width && bar.column(x) == on.column(x))
    ++x;
  const int onColumns = x;
  for (; x < bar.width; ++x)
    if (bar.column(x) != off.column(x))
      return -1;
  return onColumns;
}

EditorSession::EditorSession(const char *path, int width, int height, int x, int y)
    : window(x, y, width, height) {
  if (!plugin.open(path, loadError))
    return;
  effect = plugin.effect.get();
  module = GetModuleHandleA(path);
  effect->setSampleRate(48000.0f);
  effect->setBlockSize(480);
  effect->resume();
}

bool EditorSession::openEditor() {
  if (effect->dispatch(effEditOpen, 0, 0, window.handle()) != 1 || !editorWindow())
    return false;
  const Pixels background = resourcePixels(module, 128);
  // Any corner of the panel shows the background once it was painted.
  const RECT corner{0, background.height - 4, 4, background.height};
  return pumpUntil(*effect, [&] {
    const Pixels shown = grab(corner);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        if (shown.at(x, y) != background.at(x, background.height - 4 + y))
          return false;
    return true;
  });
}

void EditorSession::playSine(double peak, int milliseconds) {
  const double pi = 3.14159265358979323846;
  std::vector<float> left(480), right(480), outLeft(480), outRight(480);
  for (int block = 0; block < milliseconds / 10; ++block) {
    for (int i = 0; i < 480; ++i, ++phase)
      left[i] = right[i] = static_cast<float>(peak * std::sin(2.0 * pi * (phase % 48) / 48.0));
    effect->processReplacing(left.data(), right.data(), outLeft.data(), outRight.data(), 480);
  }
}

void EditorSession::playPeak(float peak) {
  std::vector<float> left(480), right(480), outLeft(480), outRight(480);
  left[0] = peak;
  effect->processReplacing(left.data(), right.data(), outLeft.data(), outRight.data(), 480);
}

::testing::AssertionResult displaysShow(EditorSession &session, const DisplayLayout &layout,
                                        const char *label, const char *value) {
  const Pixels labelLook = displayPixels(session.module, layout.labelBackground, label);
  const Pixels valueLook = displayPixels(session.module, layout.valueBackground, value);
  if (labelLook.width == 0 || valueLook.width == 0)
    return ::testing::AssertionFailure() << "display backgrounds missing from the library";
  bool labelOk = false;
  bool valueOk = false;
  pumpUntil(*session.effect, [&] {
    labelOk = session.grab(layout.label) == labelLook;
    valueOk = session.grab(layout.value) == valueLook;
    return labelOk && valueOk;
  });
  if (labelOk && valueOk)
    return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  if (!labelOk)
    failure << "the label display does not show \"" << label << "\" ";
  if (!valueOk)
    failure << "the value display does not show \"" << value << "\"";
  return failure;
}

::testing::AssertionResult oneGesture(EditorSession &session, int tag, float finalValue) {
  std::vector<HostCall> edits;
  for (const HostCall &call : session.plugin.host.calls())
    if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit ||
        call.opcode == audioMasterAutomate)
      edits.push_back(call);
  if (edits.size() < 3)
    return ::testing::AssertionFailure() << "only " << edits.size() << " edit calls";
  if (edits.front().opcode != audioMasterBeginEdit || edits.front().index != tag)
    return ::testing::AssertionFailure() << "no beginEdit(" << tag << ") first";
  if (edits.back().opcode != audioMasterEndEdit || edits.back().index != tag)
    return ::testing::AssertionFailure() << "no endEdit(" << tag << ") last";
  for (size_t i = 1; i + 1 < edits.size(); ++i)
    if (edits[i].opcode != audioMasterAutomate || edits[i].index != tag)
      return ::testing::AssertionFailure()
             << "call " << i << " is opcode " << edits[i].opcode << " for " << edits[i].index;
  const float automated = edits[edits.size() - 2].opt;
  if (automated != finalValue)
    return ::testing::AssertionFailure() << "last automation " << automated;
  const float held = session.effect->getParameter(tag);
  if (held != finalValue)
    return ::testing::AssertionFailure() << "the effect holds " << held;
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsPixels(EditorSession &session, const RECT &area,
                                       const Pixels &expected) {
  Pixels shown;
  if (pumpUntil(*session.effect, [&] { return (shown = session.grab(area)) == expected; }))
    return ::testing::AssertionSuccess();
  int differing = 0;
  for (size_t i = 0; i < shown.data.size() && i < expected.data.size(); ++i)
    differing += shown.data[i] != expected.data[i];
  return ::testing::AssertionFailure() << differing << " pixels differ";
}

::testing::AssertionResult barShows(EditorSession &session, const RECT &area, int onId, int offId,
                                    int onColumns) {
  const Pixels on = resourcePixels(session.module, onId);
  const Pixels off = resourcePixels(session.module, offId);
  int shown = -2;
  if (pumpUntil(*session.effect,
                [&] { return (shown = barOnColumns(session.grab(area), on, off)) == onColumns; }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the bar shows " << shown << " columns on";
}

bool EditorSession::drag(POINT from, POINT to) {
  auto began = [this] { return !calls(audioMasterBeginEdit).empty(); };
  return perform(*effect, dragSteps(from, to), began) && began();
}
