#pragma once

#include "canvas.h"
#include "text_renderer.h"
#include "theme.h"

// The hardware pieces that both panels are built from. Each draws only inside the area it is
// given (plus soft shadows around static pieces), so that switching a state never spills
// into a neighbouring control.

void drawPanelBase(Canvas &canvas, const Theme &theme);
void drawScrew(Canvas &canvas, double cx, double cy, const Theme &theme);
// A recessed well or bay; `depth` scales how dark it is.
void drawWell(Canvas &canvas, PixelRect area, double radius, double depth, const Theme &theme);

// An engraved line dividing sections of the front plate.
void drawGroove(Canvas &canvas, int left, int right, int y, const Theme &theme);
// Cooling slots: `count` short recessed slots stacked in `area`.
void drawVents(Canvas &canvas, PixelRect area, int count, const Theme &theme);

// A knob without any pointer mark: the handle image drawn at run time is the pointer.
void drawKnob(Canvas &canvas, double cx, double cy, double radius, const Theme &theme);
void drawKnobScale(Canvas &canvas, double cx, double cy, double radius, const Theme &theme);

void drawButton(Canvas &canvas, PixelRect area, bool on, const Theme &theme);
void drawJewelLamp(Canvas &canvas, double cx, double cy, double radius, bool on,
                   const Theme &theme);
void drawLed(Canvas &canvas, PixelRect area, bool on, const Theme &theme);
void drawMeterStrip(Canvas &canvas, PixelRect bar, bool on);
void drawLcd(Canvas &canvas, PixelRect area, int divider, const Theme &theme);

// Ticks every 3 dB from -60 to 0 under a bar, numbers every 6 dB.
void drawMeterScale(Canvas &canvas, TextRenderer &text, PixelRect bar, int top, const Theme &theme);

// Engraved caption: the text with a one-pixel shadow below it.
void drawCaption(Canvas &canvas, TextRenderer &text, const Theme &theme, double x, int baseline,
                 const std::string &caption, Align align = Align::Centre, double tracking = 0.6);

// Product name and kind on a small recessed plate at the panel's top left.
void drawNameplate(Canvas &canvas, TextRenderer &text, const Theme &theme, int left, int top,
                   const std::string &product, const std::string &kind);

// The handle image: a dot centred where the knob puts the handle position, on pure white.
Canvas makeHandle(int width, int height, const Theme &theme);
