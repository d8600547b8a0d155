#pragma once

#include "artwork_set.h"
#include "text_renderer.h"

// Where a knob's face is centred inside its bounds: the mean of the handle positions the knob
// computes (radius = width / 2, rounded half up), so the handle circles the face concentrically.
struct KnobCentre {
  double x, y, radius;
};
KnobCentre knobCentre(const PixelRect &bounds);

const Piece &pieceById(const PanelArt &art, int id);

// The about card: a frame, product name and kind, version and vendor, in one ink colour on
// the canvas's paper colour.
void drawSplashCard(Canvas &canvas, TextRenderer &text, Rgb ink, const std::string &product,
                    const std::string &kind);
