#include "real_input.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "display_input.h"
#include "gui/font_table.h"

namespace {

constexpr int kStepPause = 40; // lets a polling loop see every state

void sendMouse(DWORD flags, int data = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = static_cast<DWORD>(data);
  SendInput(1, &input, sizeof input);
}

void sendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// Input goes through the system's queue: the next step waits until the state shows it.
void waitForState(int virtualKey, bool down) {
  for (int i = 0; i < 200 && ((GetAsyncKeyState(virtualKey) & 0x8000) != 0) != down; ++i)
    Sleep(5);
}

std::uint64_t nowMs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

} // namespace

bool pumpUntil(const std::function<bool()> &done, int timeoutMs,
               const std::function<void()> &eachRound) {
  const std::uint64_t deadline = nowMs() + static_cast<std::uint64_t>(timeoutMs);
  while (true) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (eachRound)
      eachRound();
    if (done())
      return true;
    if (nowMs() >= deadline)
      return false;
    Sleep(5);
  }
}

void pumpFor(int milliseconds, const std::function<void()> &eachRound) {
  pumpUntil([] { return false; }, milliseconds, eachRound);
}

InputScript &InputScript::move(int x, int y) {
  steps.push_back([x, y] {
    SetCursorPos(x, y);
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::press(bool right) {
  steps.push_back([right] {
    sendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    waitForState(right ? VK_RBUTTON : VK_LBUTTON, true);
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::release(bool right) {
  steps.push_back([right] {
    sendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    waitForState(right ? VK_RBUTTON : VK_LBUTTON, false);
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::keyDown(WORD virtualKey) {
  steps.push_back([virtualKey] {
    sendKey(virtualKey, false);
    waitForState(virtualKey, true);
    return true;
  });
  return pause(kStepPause / 2);
}

InputScript &InputScript::keyUp(WORD virtualKey) {
  steps.push_back([virtualKey] {
    sendKey(virtualKey, true);
    waitForState(virtualKey, false);
    return true;
  });
  return pause(kStepPause / 2);
}

InputScript &InputScript::type(const std::string &text) {
  for (char c : text) {
    bool shift = false;
    WORD key = 0;
    if (c >= 'a' && c <= 'z')
      key = static_cast<WORD>('A' + (c - 'a'));
    else if (c >= 'A' && c <= 'Z') {
      key = static_cast<WORD>(c);
      shift = true;
    } else if (c >= '0' && c <= '9')
      key = static_cast<WORD>(c);
    else if (c == ' ')
      key = VK_SPACE;
    else if (c == '.')
      key = VK_OEM_PERIOD;
    else if (c == '\\')
      key = VK_OEM_5;
    else if (c == ':') {
      key = VK_OEM_1;
      shift = true;
    }
    if (!key)
      continue;
    if (shift)
      keyDown(VK_SHIFT);
    this->key(key);
    if (shift)
      keyUp(VK_SHIFT);
  }
  return *this;
}

InputScript &InputScript::wheel(int steps_) {
  steps.push_back([steps_] {
    sendMouse(MOUSEEVENTF_WHEEL, steps_ * WHEEL_DELTA);
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::pause(int milliseconds) {
  steps.push_back([milliseconds] {
    Sleep(static_cast<DWORD>(milliseconds));
    return true;
  });
  return *this;
}

InputScript &InputScript::tap(int x, int y, int button, bool withControl) {
  steps.push_back([x, y, button, withControl] {
    displayinput::moveTo(x, y);
    if (withControl)
      displayinput::holdKeys({VK_CONTROL});
    displayinput::quickClick(button);
    if (withControl)
      displayinput::releaseKeys({VK_CONTROL});
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::then(std::function<bool()> step) {
  steps.push_back(std::move(step));
  return *this;
}

InputScript &InputScript::waitFor(std::function<bool()> condition, int timeoutMs) {
  steps.push_back([condition, timeoutMs] {
    const std::uint64_t deadline = nowMs() + static_cast<std::uint64_t>(timeoutMs);
    while (!condition()) {
      if (nowMs() >= deadline)
        return false;
      Sleep(10);
    }
    return true;
  });
  return *this;
}

bool InputScript::play(const std::function<void()> &eachRound, int timeoutMs) {
  std::atomic<bool> finished{false};
  std::atomic<bool> allRan{true};
  std::thread player([&] {
    const std::uint64_t deadline = nowMs() + static_cast<std::uint64_t>(timeoutMs);
    for (const auto &step : steps)
      if (!step() || nowMs() >= deadline) {
        allRan = false;
        break;
      }
    if (!allRan) {
      // The test thread may sit in a drag loop or a popup's own loop: let go of everything.
      for (int i = 0; i < 3; ++i) {
        sendMouse(MOUSEEVENTF_LEFTUP);
        sendMouse(MOUSEEVENTF_RIGHTUP);
        sendKey(VK_SHIFT, true);
        sendKey(VK_CONTROL, true);
        sendKey(VK_ESCAPE, false);
        sendKey(VK_ESCAPE, true);
        Sleep(200);
      }
    }
    finished = true;
  });
  const bool done = pumpUntil([&] { return finished.load(); }, timeoutMs + 5000, eachRound);
  player.join();
  return done && allRan;
}

std::string describe(Color color) {
  char text[32];
  std::snprintf(text, sizeof text, "(%d, %d, %d)", color.red, color.green, color.blue);
  return text;
}

std::vector<Color> resourcePixels(HMODULE module, int resourceId, const Rect &rect) {
  std::vector<Color> pixels;
  HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(resourceId));
  HDC device = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(device, bitmap);
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      pixels.push_back(Color::fromNative(GetPixel(device, x, y)));
  SelectObject(device, previous);
  DeleteDC(device);
  DeleteObject(bitmap);
  return pixels;
}

int countDifferences(const std::vector<Color> &a, const std::vector<Color> &b) {
  if (a.size() != b.size())
    return static_cast<int>(a.size() > b.size() ? a.size() : b.size());
  int differences = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    differences += a[i].sameRgb(b[i]) ? 0 : 1;
  return differences;
}

std::vector<Color> gdiText(const char *text, int fontId, const Rect &size, Color fill, Color ink,
                           int alignment) {
  HDC screen = GetDC(nullptr);
  HDC device = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size.width(), size.height());
  ReleaseDC(nullptr, screen);
  HGDIOBJ previousBitmap = SelectObject(device, bitmap);
  HBRUSH brush = CreateSolidBrush(fill.native());
  RECT all{0, 0, size.width(), size.height()};
  FillRect(device, &all, brush);
  DeleteObject(brush);
  const FontDescription described = describeFont(fontId, 0, 0);
  LOGFONTA font{};
  font.lfHeight = -described.height;
  font.lfWeight = described.weight;
  font.lfCharSet = ANSI_CHARSET;
  font.lfOutPrecision = OUT_STRING_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  lstrcpynA(font.lfFaceName, described.face, LF_FACESIZE);
  HFONT handle = CreateFontIndirectA(&font);
  HGDIOBJ previousFont = SelectObject(device, handle);
  SetBkMode(device, TRANSPARENT);
  SetTextColor(device, ink.native());
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  RECT place = all;
  if (alignment == 1)
    format |= DT_CENTER;
  else if (alignment == 2)
    format |= DT_RIGHT;
  else
    place.left += 1;
  DrawTextA(device, text, -1, &place, format);
  std::vector<Color> pixels;
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      pixels.push_back(Color::fromNative(GetPixel(device, x, y)));
  SelectObject(device, previousFont);
  DeleteObject(handle);
  SelectObject(device, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(device);
  return pixels;
}

std::vector<Color> cut(const std::vector<Color> &pixels, int width, const Rect &part) {
  std::vector<Color> piece;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x)
      piece.push_back(pixels[static_cast<std::size_t>(y * width + x)]);
  return piece;
}
