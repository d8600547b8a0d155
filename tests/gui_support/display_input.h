// Real input through the display server's own input tool (xdotool), in screen coordinates. Wine
// takes the button and modifier state of every pointer event from the display server, so input
// injected inside wine would not outlast the next movement. Keys reach a window only while the
// pointer is over it. Each call returns once this process sees its effect, where it can tell;
// safe from any thread.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace displayinput {

// Runs the tool with `arguments` and waits (bounded) for it; false when it could not start.
bool run(const std::string &arguments);

void moveTo(int x, int y);
void pressLeft();
void releaseLeft();
// Shift, control or alt by their virtual-key codes.
void keyDown(unsigned short virtualKey);
void keyUp(unsigned short virtualKey);
void holdKeys(const std::vector<unsigned short> &keys);
void releaseKeys(const std::vector<unsigned short> &keys);
// Moves one pixel at a time (diagonally when both change) from the pointer's place, pausing
// between pixels, in one run of the tool.
void glide(int fromX, int fromY, int toX, int toY, int pauseMs = 4);

// Press and release sent together, as a tap on a pad gives them: the button is up again before
// the window handles the press. `button` 1 left, 2 middle, 3 right; 4 and 5 turn the wheel.
void quickClick(int button = 1, int repeat = 1);

void pause(int milliseconds);
// Polls `condition` every 2 ms until it holds or the timeout passed; true when it held.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);

// The tool's name of a modifier's virtual-key code ("shift", "ctrl", "alt"), or "".
const char *keyName(unsigned short virtualKey);

} // namespace displayinput
