#include "display_input.h"

#include <windows.h>

#include <chrono>

namespace displayinput {

namespace {

bool keyIsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

std::string moveCommand(int x, int y) {
  return "mousemove " + std::to_string(x) + " " + std::to_string(y) + " ";
}

void waitForPointerAt(int x, int y) {
  waitFor([x, y] {
    POINT now;
    GetCursorPos(&now);
    return now.x == x && now.y == y;
  });
}

} // namespace

bool run(const std::string &arguments) {
  std::string line = "Z:\\usr\\bin\\xdotool " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

const char *keyName(unsigned short virtualKey) {
  switch (virtualKey) {
  case VK_SHIFT:
    return "shift";
  case VK_CONTROL:
    return "ctrl";
  case VK_MENU:
    return "alt";
  default:
    return "";
  }
}

void moveTo(int x, int y) {
  run(moveCommand(x, y));
  waitForPointerAt(x, y);
}

void pressLeft() {
  run("mousedown 1");
  waitFor([] { return keyIsDown(VK_LBUTTON); });
}

void releaseLeft() {
  run("mouseup 1");
  waitFor([] { return !keyIsDown(VK_LBUTTON); });
}

void keyDown(unsigned short virtualKey) {
  run(std::string("keydown ") + keyName(virtualKey));
  waitFor([virtualKey] { return keyIsDown(virtualKey); });
}

void keyUp(unsigned short virtualKey) {
  run(std::string("keyup ") + keyName(virtualKey));
  waitFor([virtualKey] { return !keyIsDown(virtualKey); });
}

void holdKeys(const std::vector<unsigned short> &keys) {
  for (unsigned short key : keys)
    keyDown(key);
  if (!keys.empty())
    pause(20);
}

void releaseKeys(const std::vector<unsigned short> &keys) {
  for (unsigned short key : keys)
    keyUp(key);
}

void glide(int fromX, int fromY, int toX, int toY, int pauseMs) {
  // One run of the tool for the whole way: starting it costs more than a step.
  const std::string pauseCommand = "sleep " + std::to_string(pauseMs / 1000.0) + " ";
  std::string commands;
  int x = fromX, y = fromY;
  while (x != toX || y != toY) {
    x += (toX > x) - (toX < x);
    y += (toY > y) - (toY < y);
    commands += moveCommand(x, y) + pauseCommand;
  }
  if (!commands.empty())
    run(commands);
  waitForPointerAt(toX, toY);
}

void quickClick(int button, int repeat) {
  run("click --repeat " + std::to_string(repeat) + " --delay 1 " + std::to_string(button));
}

void pause(int milliseconds) { Sleep(milliseconds); }

bool waitFor(const std::function<bool()> &condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    Sleep(2);
  }
  return true;
}

} // namespace displayinput
