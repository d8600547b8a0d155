// editor-host: opens a plug-in's editor in a window of its own, as a host does, plays audio
// through the plug-in in real time and prints every call the plug-in makes to the host.
// `editor-host --help` shows the usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio_feed.h"
#include "editor_host_options.h"
#include "effect_setup.h"
#include "host_call_log.h"
#include "image_file.h"
#include "recording_host.h"

namespace {

constexpr UINT_PTR kIdleTimer = 1, kScreenshotTimer = 2, kQuitTimer = 3;
constexpr UINT kIdleIntervalMs = 20;
const char *kWindowClass = "TorvelEditorHost";

struct Session {
  LoadedPlugin plugin;
  EditorHostOptions options;
  HWND window = nullptr;
  int editorWidth = 0; // the editor's rectangle; the system may make the client area larger
  int editorHeight = 0;
  bool editorOpen = false;
  long long idleCalls = 0;
  int exitCode = 0;
};

Session *session = nullptr;

// The editor's part of the client area, its own pixels read from the window's device context.
RgbImage capture(HWND window) {
  RgbImage image;
  image.width = session->editorWidth;
  image.height = session->editorHeight;
  HDC windowContext = GetDC(window);
  HDC memory = CreateCompatibleDC(windowContext);
  HBITMAP copy = CreateCompatibleBitmap(windowContext, image.width, image.height);
  HGDIOBJ previous = SelectObject(memory, copy);
  BitBlt(memory, 0, 0, image.width, image.height, windowContext, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> raw(static_cast<std::size_t>(image.width) * image.height);
  GetDIBits(memory, copy, 0, static_cast<UINT>(image.height), raw.data(), &info, DIB_RGB_COLORS);
  DeleteObject(copy);
  DeleteDC(memory);
  ReleaseDC(window, windowContext);
  image.rgb.reserve(raw.size() * 3);
  for (std::uint32_t pixel : raw) {
    image.rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
    image.rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
    image.rgb.push_back(static_cast<std::uint8_t>(pixel));
  }
  return image;
}

void closeEditor() {
  if (!session->editorOpen)
    return;
  session->plugin.effect->dispatch(effEditClose);
  session->editorOpen = false;
}

LRESULT CALLBACK hostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_TIMER:
    if (wParam == kIdleTimer && session->editorOpen) {
      session->plugin.effect->dispatch(effEditIdle);
      ++session->idleCalls;
    } else if (wParam == kScreenshotTimer) {
      KillTimer(window, kScreenshotTimer);
      std::string error;
      if (writeImageFile(session->options.screenshot, capture(window), error)) {
        std::printf("screenshot %s\n", session->options.screenshot.c_str());
      } else {
        std::fprintf(stderr, "editor-host: %s\n", error.c_str());
        session->exitCode = 1;
      }
      std::fflush(stdout);
    } else if (wParam == kQuitTimer) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return 0;
  case WM_KEYDOWN:
    if (wParam == VK_ESCAPE) {
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    }
    break;
  case WM_CLOSE:
    closeEditor(); // while the parent window still exists
    DestroyWindow(window);
    return 0;
  case WM_DESTROY:
    closeEditor();
    PostQuitMessage(0);
    return 0;
  default:
    break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND createHostWindow(const std::string &title, int width, int height) {
  WNDCLASSA description = {};
  description.lpfnWndProc = hostWindowProcedure;
  description.hInstance = GetModuleHandleA(nullptr);
  description.hCursor = LoadCursor(nullptr, IDC_ARROW);
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  description.lpszClassName = kWindowClass;
  RegisterClassA(&description);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowExA(0, kWindowClass, title.c_str(), style, 40, 40, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

// The host follows a size request when it says it can.
void followSizeRequests(RecordingHost &host, const EditorHostOptions &options) {
  for (const std::string &capability : options.hostCanDo)
    host.setCanDo(capability, 1);
  for (const std::string &capability : options.hostCanDo)
    if (capability == "sizeWindow")
      host.setAnswer(audioMasterSizeWindow, 1);
  host.setHook(audioMasterSizeWindow, [](const HostCall &call) {
    if (!session->window || session->plugin.host.answerFor(audioMasterSizeWindow) == 0)
      return;
    session->editorWidth = call.index;
    session->editorHeight = static_cast<int>(call.value);
    RECT frame{0, 0, call.index, static_cast<LONG>(call.value)};
    AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongA(session->window, GWL_STYLE)), FALSE);
    SetWindowPos(session->window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  });
}

int run(Session &s) {
  std::string error;
  auto fail = [&](const std::string &reason) {
    std::fprintf(stderr, "editor-host: %s\n", reason.c_str());
    return 1;
  };
  s.plugin.host.setObserver([](const HostCall &call) {
    std::printf("%s\n", describeHostCall(call).c_str());
    std::fflush(stdout);
  });
  followSizeRequests(s.plugin.host, s.options);
  if (!s.plugin.open(s.options.plugin, error))
    return fail(error.empty() ? s.plugin.library.error() : error);
  HostedEffect &effect = *s.plugin.effect;
  PlaybackSetup setup;
  setup.program = s.options.program;
  setup.settings = s.options.settings;
  if (!prepareForPlayback(effect, setup, error))
    return fail(error);
  if (!(effect.record()->flags & effFlagsHasEditor))
    return fail("the plug-in has no editor");
  std::vector<float> loop;
  if (!loadLoop(s.options.signal, s.options.audioFile, setup.sampleRate, loop, error))
    return fail(error);

  ERect *rect = nullptr;
  if (!effect.dispatch(effEditGetRect, 0, 0, &rect) || !rect)
    return fail("the plug-in answers no editor size");
  s.editorWidth = rect->right - rect->left;
  s.editorHeight = rect->bottom - rect->top;
  s.window =
      createHostWindow("editor-host - " + effect.effectName(), s.editorWidth, s.editorHeight);
  if (!s.window)
    return fail("cannot create the window");
  ShowWindow(s.window, SW_SHOW);
  effect.dispatch(effEditOpen, 0, 0, s.window);
  s.editorOpen = true;
  UpdateWindow(s.window);

  AudioFeed audio(effect, std::move(loop), setup.sampleRate, setup.blockSize);
  audio.start();
  SetTimer(s.window, kIdleTimer, kIdleIntervalMs, nullptr);
  if (!s.options.screenshot.empty())
    SetTimer(s.window, kScreenshotTimer, static_cast<UINT>(s.options.screenshotAfterMs), nullptr);
  if (s.options.quitAfterMs > 0)
    SetTimer(s.window, kQuitTimer, static_cast<UINT>(s.options.quitAfterMs), nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  audio.stop();
  std::printf("effEditIdle sent %lld times; %lld audio blocks\n", s.idleCalls,
              audio.blocksPlayed());
  effect.close();
  std::printf("closed\n");
  return s.exitCode;
}

} // namespace

int main(int argc, char **argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // Plain line ends: the log is mostly read on Linux, through the launcher script.
  _setmode(_fileno(stdout), _O_BINARY);
  Session s;
  std::string error;
  if (!parseEditorHostOptions(std::vector<std::string>(argv + 1, argv + argc), s.options, error)) {
    std::fprintf(stderr, "editor-host: %s\n%s", error.c_str(), kEditorHostUsage);
    return 2;
  }
  if (s.options.help) {
    std::printf("%s", kEditorHostUsage);
    return 0;
  }
  session = &s;
  const int code = run(s);
  session = nullptr;
  return code;
}
