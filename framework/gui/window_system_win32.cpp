#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "draw_context.h"
#include "effect/plugin_entry.h"
#include "frame.h"
#include "frame_drop_target.h"
#include "imaging_entry_points.h"
#include "mouse_state.h"
#include "native_message_hook.h"
#include "window_system.h"

AlphaBlendEntry alphaBlendEntry = nullptr;
TransparentBltEntry transparentBltEntry = nullptr;

namespace {

HMODULE imagingModule = nullptr;
std::int32_t imagingHolders = 0;
std::int32_t classRegistrations = 0;
char className[40];

HWND hwndOf(void *handle) { return static_cast<HWND>(handle); }

// What was down when the button went down, as the message tells it. Its buttons are already the
// logical ones (swapping applied); alt is read as of the message, not as of now.
std::int32_t pressOf(UINT message, WPARAM wParam) {
  PhysicalInput input;
  input.leftButton = message == WM_LBUTTONDOWN || (wParam & MK_LBUTTON);
  input.rightButton = message == WM_RBUTTONDOWN || (wParam & MK_RBUTTON);
  input.middleButton = message == WM_MBUTTONDOWN || (wParam & MK_MBUTTON);
  input.shift = (wParam & MK_SHIFT) != 0;
  input.control = (wParam & MK_CONTROL) != 0;
  input.alt = GetKeyState(VK_MENU) < 0;
  return mouseButtonBits(input, false);
}

Frame *frameOf(HWND window) {
  return reinterpret_cast<Frame *>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK frameWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Frame *frame = frameOf(window);
  switch (message) {
  case WM_DESTROY:
    if (frame)
      frame->windowDestroyed();
    break;
  case WM_PAINT:
    if (frame && GetUpdateRect(window, nullptr, FALSE)) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      {
        DrawContext context(frame, dc, window);
        frame->drawInRect(&context, Rect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                                         paint.rcPaint.bottom));
      }
      EndPaint(window, &paint);
      return 0;
    }
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    if (frame) {
      HDC dc = GetDC(window);
      {
        DrawContext context(frame, dc, window);
        context.holdPress(pressOf(message, wParam));
        Point where(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        frame->onMouseDown(&context, where);
      }
      ReleaseDC(window, dc);
      return 0;
    }
    break;
  case WM_CTLCOLOREDIT:
  case WM_DRAWITEM:
  case WM_MEASUREITEM: {
    // The focus view's own edit window or popup menu.
    std::intptr_t result = 0;
    if (forwardNativeMessage(frame, message, wParam, lParam, result))
      return result;
    break;
  }
  default:
    break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerWindowClass() {
  if (classRegistrations++ > 0)
    return true;
  // The whole module handle, so two plug-in libraries in one process never share a class.
  std::snprintf(className, sizeof className, "Plugin%08llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(moduleHandle)));
  WNDCLASSA description;
  std::memset(&description, 0, sizeof description);
  description.style = CS_GLOBALCLASS;
  description.lpfnWndProc = frameWindowProcedure;
  description.hInstance = static_cast<HINSTANCE>(moduleHandle);
  description.hCursor = LoadCursor(nullptr, IDC_ARROW);
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  description.lpszClassName = className;
  DrawContext::buttonsSwapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  return RegisterClassA(&description) != 0;
}

void unregisterWindowClass() {
  if (classRegistrations > 0 && --classRegistrations == 0)
    UnregisterClassA(className, static_cast<HINSTANCE>(moduleHandle));
}

bool isNtFamily() {
  OSVERSIONINFOA version;
  std::memset(&version, 0, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExA(&version) && version.dwPlatformId > 1;
#pragma GCC diagnostic pop
}

template <class Entry> Entry entryPoint(const char *name) {
  FARPROC found = GetProcAddress(imagingModule, name);
  Entry entry;
  static_assert(sizeof entry == sizeof found);
  std::memcpy(&entry, &found, sizeof entry);
  return entry;
}

RECT screenRect(HWND window) {
  RECT r{0, 0, 0, 0};
  GetWindowRect(window, &r);
  return r;
}

void resizeKeepingPlace(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

} // namespace

namespace windowSystem {

void *acquireImaging() {
  if (imagingHolders++ == 0) {
    imagingModule = LoadLibraryA("msimg32.dll");
    if (imagingModule) {
      alphaBlendEntry = entryPoint<AlphaBlendEntry>("AlphaBlend");
      if (isNtFamily())
        transparentBltEntry = entryPoint<TransparentBltEntry>("TransparentBlt");
    }
  }
  return imagingModule;
}

void releaseImaging(void *) {
  if (imagingHolders <= 0 || --imagingHolders > 0)
    return;
  // Nothing may call into the library once it is gone.
  alphaBlendEntry = nullptr;
  transparentBltEntry = nullptr;
  if (imagingModule)
    FreeLibrary(imagingModule);
  imagingModule = nullptr;
}

void initializeOle() { OleInitialize(nullptr); }
void uninitializeOle() { OleUninitialize(); }

void *openChildWindow(Frame *frame, void *parent, std::int32_t width, std::int32_t height) {
  if (!parent)
    return nullptr;
  registerWindowClass();
  HWND window =
      CreateWindowExA(0, className, "Window", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                      hwndOf(parent), nullptr, static_cast<HINSTANCE>(moduleHandle), nullptr);
  if (!window) {
    unregisterWindowClass();
    return nullptr;
  }
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
  return window;
}

void closeChildWindow(void *window) {
  SetWindowLongPtrA(hwndOf(window), GWLP_USERDATA, 0);
  DestroyWindow(hwndOf(window));
  unregisterWindowClass();
}

void *windowDeviceContext(void *window) { return GetDC(hwndOf(window)); }

void releaseWindowDeviceContext(void *window, void *deviceContext) {
  ReleaseDC(hwndOf(window), static_cast<HDC>(deviceContext));
}

Point cursorPosition() {
  POINT p{0, 0};
  GetCursorPos(&p);
  return Point(p.x, p.y);
}

Point windowScreenOrigin(void *window) {
  const RECT r = screenRect(hwndOf(window));
  return Point(r.left, r.top);
}

void resizeWindow(void *window, std::int32_t width, std::int32_t height) {
  if (window)
    resizeKeepingPlace(hwndOf(window), width, height);
}

void resizeWindowChain(void *window, std::int32_t width, std::int32_t height) {
  const int limit = 2 * GetSystemMetrics(SM_CYDLGFRAME);
  int dw = 0, dh = 0;
  HWND current = hwndOf(window);
  while (dw != limit && current) {
    HWND parent = GetParent(current);
    if (!parent)
      break;
    char name[1024];
    if (GetClassNameA(parent, name, sizeof name) && std::strcmp(name, "MDIClient") == 0)
      break;
    const RECT own = screenRect(current);
    const RECT outer = screenRect(parent);
    resizeKeepingPlace(current, width + dw, height + dh);
    dw = (outer.right - outer.left) - (own.right - own.left);
    dh = (outer.bottom - outer.top) - (own.bottom - own.top);
    if (dw > 80 || dh > 80)
      return; // the host's window is much larger than ours: it is not a frame around us
    current = parent;
  }
  if (current)
    resizeKeepingPlace(current, width + dw, height + dh);
}

bool parentRect(void *window, Rect &rect) {
  HWND parent = GetParent(hwndOf(window));
  if (!parent)
    return false;
  RECT r = screenRect(parent);
  HWND grandparent = GetParent(parent);
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(nullptr, grandparent, corners, 2);
  rect = Rect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
  return true;
}

void *outerWindow(void *window) {
  HWND child = hwndOf(window);
  const RECT own = screenRect(child);
  for (HWND current = child; current;) {
    if (GetWindowLongA(current, GWL_STYLE) & WS_CAPTION)
      return current;
    HWND parent = GetParent(current);
    if (!parent)
      return current;
    const RECT outer = screenRect(parent);
    if (std::abs((outer.right - outer.left) - (own.right - own.left)) > 60 ||
        std::abs((outer.bottom - outer.top) - (own.bottom - own.top)) > 60)
      return current;
    current = parent;
  }
  return nullptr;
}

bool outerWindowPosition(void *window, std::int32_t &x, std::int32_t &y) {
  HWND outer = static_cast<HWND>(outerWindow(window));
  if (!outer)
    return false;
  RECT r = screenRect(outer);
  POINT corner{r.left, r.top};
  MapWindowPoints(nullptr, GetParent(outer), &corner, 1);
  x = corner.x;
  y = corner.y;
  return true;
}

void *ancestor(void *window, std::int32_t levels) {
  HWND current = hwndOf(window);
  for (std::int32_t i = 0; i < levels && current; ++i)
    current = GetParent(current);
  return current;
}

void bringToTop(void *window) { BringWindowToTop(hwndOf(window)); }

void *currentCursor() { return GetCursor(); }

void restoreCursor(void *cursor) { SetCursor(static_cast<HCURSOR>(cursor)); }

void showCursorType(std::int32_t type) {
  LPCSTR shape = nullptr;
  switch (type) {
  case kCursorWait:
    shape = IDC_WAIT;
    break;
  case kCursorHorizontalResize:
    shape = IDC_SIZEWE;
    break;
  case kCursorVerticalResize:
    shape = IDC_SIZENS;
    break;
  case kCursorMove:
    shape = IDC_SIZEALL;
    break;
  case kCursorNorthEastResize:
    shape = IDC_SIZENESW;
    break;
  case kCursorNorthWestResize:
    shape = IDC_SIZENWSE;
    break;
  default:
    return;
  }
  SetCursor(LoadCursorA(nullptr, shape));
}

void *registerDropTarget(Frame *frame, void *window) {
  auto *target = new FrameDropTarget(frame);
  target->AddRef();
  if (RegisterDragDrop(hwndOf(window), target) != S_OK) {
    target->Release();
    return nullptr;
  }
  return target;
}

void revokeDropTarget(void *window, void *target) {
  RevokeDragDrop(hwndOf(window));
  if (target)
    static_cast<FrameDropTarget *>(target)->Release();
}

std::uint32_t ticks() { return GetTickCount(); }

void sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

void dispatchOnePaintMessage() {
  static MSG message; // one buffer for the whole library
  if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
    DispatchMessageA(&message);
}

} // namespace windowSystem
