// The system imaging library's entry points, loaded at run time; null while unavailable.
#pragma once

#include <windows.h>

using AlphaBlendEntry = BOOL(WINAPI *)(HDC, int, int, int, int, HDC, int, int, int, int,
                                       BLENDFUNCTION);
using TransparentBltEntry = BOOL(WINAPI *)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

extern AlphaBlendEntry alphaBlendEntry;
extern TransparentBltEntry transparentBltEntry;
