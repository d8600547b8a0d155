// The window-system calls behind the frame, the drawing contexts and the GUI editor. One
// implementation talks to Win32; a headless one lets the toolkit's rules build and run without
// windows (no drawing, fake window handles, a mouse the tests set).
#pragma once

#include <cstdint>

#include "gui_types.h"

class Frame;

namespace windowSystem {

// The imaging library's blend and transparent-blit entry points stay loaded while any frame
// holds them; the last release unloads the library and clears the entry points.
void *acquireImaging();
void releaseImaging(void *library);

void initializeOle();
void uninitializeOle();

// A child window of `parent` that dispatches to `frame`; null when the parent is null or the
// window cannot be made.
void *openChildWindow(Frame *frame, void *parent, std::int32_t width, std::int32_t height);
// Detaches the frame, destroys the window and unregisters the class after its last window.
void closeChildWindow(void *window);

void *windowDeviceContext(void *window);
void releaseWindowDeviceContext(void *window, void *deviceContext);

Point cursorPosition();
Point windowScreenOrigin(void *window);

void resizeWindow(void *window, std::int32_t width, std::int32_t height);
// Resizes the window and the host windows around it, as far up as they fit it snugly.
void resizeWindowChain(void *window, std::int32_t width, std::int32_t height);
bool parentRect(void *window, Rect &rect);
void *outerWindow(void *window);
bool outerWindowPosition(void *window, std::int32_t &x, std::int32_t &y);
void *ancestor(void *window, std::int32_t levels);
void bringToTop(void *window);

void *currentCursor();
void restoreCursor(void *cursor);
// Cursor types 1..6 of Frame::setCursor; other types change nothing.
void showCursorType(std::int32_t type);

// Registers a drop target for the frame's window; null when that fails.
void *registerDropTarget(Frame *frame, void *window);
void revokeDropTarget(void *window, void *target);

// Milliseconds of the system tick counter (wraps after about 49.7 days).
std::uint32_t ticks();
void sleep(std::uint32_t milliseconds);
// Removes one pending paint message of any of the thread's windows and dispatches it.
void dispatchOnePaintMessage();

} // namespace windowSystem
