#include "real_input.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr int kStepPause = 40; // lets a polling loop see every state

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

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

std::uint64_t nowMs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

} // namespace

HostWindow::HostWindow(int width, int height) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = hostProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ContainerTestHost";
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassA(&windowClass); // a second registration fails harmlessly
  window = CreateWindowExA(0, "ContainerTestHost", "Container tests", WS_POPUP | WS_VISIBLE, 0, 0,
                           width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window);
  pumpFor(100);
}

HostWindow::~HostWindow() {
  if (window)
    DestroyWindow(window);
  pumpFor(20);
}

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
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::release(bool right) {
  steps.push_back([right] {
    sendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    return true;
  });
  return pause(kStepPause);
}

InputScript &InputScript::keyDown(WORD virtualKey) {
  steps.push_back([virtualKey] {
    sendKey(virtualKey, false);
    return true;
  });
  return pause(kStepPause / 2);
}

InputScript &InputScript::keyUp(WORD virtualKey) {
  steps.push_back([virtualKey] {
    sendKey(virtualKey, true);
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
    for (const auto &step : steps)
      if (!step()) {
        allRan = false;
        break;
      }
    finished = true;
  });
  const bool done = pumpUntil([&] { return finished.load(); }, timeoutMs, eachRound);
  if (!done) {
    // Let go of everything so the player, any drag loop and any popup end.
    sendMouse(MOUSEEVENTF_LEFTUP);
    sendMouse(MOUSEEVENTF_RIGHTUP);
    sendKey(VK_ESCAPE, false);
    sendKey(VK_ESCAPE, true);
    pumpUntil([&] { return finished.load(); }, 30000, eachRound);
  }
  player.join();
  return done && allRan;
}

Color windowPixel(HWND window, int x, int y) {
  HDC device = GetDC(window);
  const COLORREF value = GetPixel(device, x, y);
  ReleaseDC(window, device);
  return Color::fromNative(value);
}

Color resourcePixel(HMODULE module, int resourceId, int x, int y) {
  HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(resourceId));
  HDC device = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(device, bitmap);
  const COLORREF value = GetPixel(device, x, y);
  SelectObject(device, previous);
  DeleteDC(device);
  DeleteObject(bitmap);
  return Color::fromNative(value);
}

std::string describe(Color color) {
  char text[32];
  std::snprintf(text, sizeof text, "(%d, %d, %d)", color.red, color.green, color.blue);
  return text;
}
