// What stands in for the window system in builds without one: a pointer and buttons that tests
// set, a clock that can be stepped by hand, and image sizes to hand out for resource ids.
#pragma once

#include <cstdint>

#include "gui_types.h"

namespace headless {

// Screen position and button bits (as the contexts report them) seen by every context.
void setMouse(const Point &screen, std::int32_t buttons);
Point mouseScreenPosition();
std::int32_t mouseButtons();

// Each headless child window sits at this screen position.
void setWindowOrigin(const Point &screen);
Point windowOrigin();

// A manual clock: ticks stay where they are put, and every sleep advances them.
void useManualClock(std::uint32_t start);
void useRealClock();
void advanceClock(std::uint32_t milliseconds);

// Resource ids that load as images of the given size (nothing is drawn headless).
void defineImage(std::int32_t resourceId, std::int32_t width, std::int32_t height);

// Counters the tests read.
std::int32_t openWindowCount();
std::int32_t imagingHolderCount();
std::int32_t paintMessagesDispatched();
void queuePaintMessage();

} // namespace headless
