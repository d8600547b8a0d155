#include "gui_test_support.h"

#include <cstring>

namespace guitest {

namespace {

const char *kHostClass = "GuiTestHostWindow";

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(window, &r);
    HBRUSH grey = CreateSolidBrush(RGB(32, 32, 32));
    FillRect(reinterpret_cast<HDC>(wParam), &r, grey);
    DeleteObject(grey);
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerHostClass() {
  static bool registered = false;
  if (registered)
    return;
  WNDCLASSA description;
  std::memset(&description, 0, sizeof description);
  description.lpfnWndProc = hostProcedure;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hCursor = LoadCursor(nullptr, IDC_ARROW);
  description.lpszClassName = kHostClass;
  RegisterClassA(&description);
  registered = true;
}

void sendMouse(DWORD flags) {
  INPUT input;
  std::memset(&input, 0, sizeof input);
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void sendKey(WORD key, bool up) {
  INPUT input;
  std::memset(&input, 0, sizeof input);
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

} // namespace

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool waitUntil(const std::function<bool()> &condition, std::uint32_t timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    pumpMessages();
    if (condition())
      return true;
    if (GetTickCount() - start > timeoutMs)
      return false;
    Sleep(5);
  }
}

HostWindow::HostWindow(int x, int y, int width, int height) {
  registerHostClass();
  RECT area{0, 0, width, height};
  window = CreateWindowExA(WS_EX_TOPMOST, kHostClass, "GUI test host", WS_POPUP | WS_VISIBLE, x, y,
                           area.right, area.bottom, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
  if (window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
  }
}

HostWindow::~HostWindow() { destroy(); }

void HostWindow::destroy() {
  if (window)
    DestroyWindow(window);
  window = nullptr;
  pumpMessages();
}

bool HostWindow::waitForPixel(HWND target, int x, int y, Color expected, std::uint32_t timeoutMs) {
  return waitUntil([&] { return pixelOf(target, x, y).sameRgb(expected); }, timeoutMs);
}

Color pixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF value = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return Color::fromNative(value);
}

std::vector<Color> pixelsOf(HDC deviceContext, const Rect &rect) {
  const int width = rect.width(), height = rect.height();
  std::vector<Color> pixels;
  if (width <= 0 || height <= 0)
    return pixels;
  HDC memory = CreateCompatibleDC(deviceContext);
  HBITMAP copy = CreateCompatibleBitmap(deviceContext, width, height);
  HGDIOBJ previous = SelectObject(memory, copy);
  BitBlt(memory, 0, 0, width, height, deviceContext, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> raw(static_cast<std::size_t>(width) * height);
  GetDIBits(memory, copy, 0, height, raw.data(), &info, DIB_RGB_COLORS);
  DeleteObject(copy);
  DeleteDC(memory);
  pixels.reserve(raw.size());
  for (std::uint32_t value : raw) // BGRX in memory
    pixels.push_back(Color{static_cast<std::uint8_t>(value >> 16 & 0xff),
                           static_cast<std::uint8_t>(value >> 8 & 0xff),
                           static_cast<std::uint8_t>(value & 0xff), 0});
  return pixels;
}

std::vector<Color> windowPixels(HWND window, const Rect &rect) {
  HDC dc = GetDC(window);
  std::vector<Color> pixels = pixelsOf(dc, rect);
  ReleaseDC(window, dc);
  return pixels;
}

void moveMouse(int screenX, int screenY) { SetCursorPos(screenX, screenY); }

void pressLeftButton() { sendMouse(MOUSEEVENTF_LEFTDOWN); }

void releaseLeftButton() { sendMouse(MOUSEEVENTF_LEFTUP); }

void pressKey(WORD virtualKey) { sendKey(virtualKey, false); }

void releaseKey(WORD virtualKey) { sendKey(virtualKey, true); }

bool waitForKeyState(int virtualKey, bool down, std::uint32_t timeoutMs) {
  // No message pumping: the helper thread has no windows, and the main thread may be in a loop.
  const DWORD start = GetTickCount();
  while (((GetAsyncKeyState(virtualKey) & 0x8000) != 0) != down) {
    if (GetTickCount() - start > timeoutMs)
      return false;
    Sleep(2);
  }
  return true;
}

InputThread::InputThread(std::vector<InputStep> stepList) : steps(std::move(stepList)) {
  worker = std::thread([this] {
    for (const InputStep &step : steps) {
      switch (step.kind) {
      case InputStep::move:
        moveMouse(step.x, step.y);
        Sleep(10); // let the system see the position before the next step
        break;
      case InputStep::pressLeft:
        pressLeftButton();
        waitForKeyState(VK_LBUTTON, true);
        break;
      case InputStep::releaseLeft:
        releaseLeftButton();
        waitForKeyState(VK_LBUTTON, false);
        break;
      case InputStep::keyDown:
        pressKey(step.key);
        break;
      case InputStep::keyUp:
        releaseKey(step.key);
        break;
      case InputStep::pause:
        Sleep(step.ms);
        break;
      }
    }
  });
}

InputThread::~InputThread() { join(); }

void InputThread::join() {
  // Every step is bounded (waits time out), so the thread always ends.
  if (worker.joinable())
    worker.join();
}

POINT toScreen(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

void clickAt(HWND window, int x, int y) {
  const POINT p = toScreen(window, x, y);
  moveMouse(p.x, p.y);
  waitUntil(
      [&] {
        POINT now;
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
      },
      2000);
  pressLeftButton();
  waitForKeyState(VK_LBUTTON, true);
  releaseLeftButton();
  waitForKeyState(VK_LBUTTON, false);
}

} // namespace guitest
