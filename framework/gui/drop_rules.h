// The window-free rules of the frame's drop target.
#pragma once

#include <cstdint>

enum DropEffect : std::uint32_t { kDropEffectNone = 0, kDropEffectCopy = 1, kDropEffectMove = 2 };

// Copy with the control key held, move otherwise; nothing for data the toolkit cannot take.
DropEffect dropEffectFor(bool accepted, bool controlHeld);
// A shell shortcut, by its ".lnk" ending in any case.
bool isShortcutName(const char *name);
