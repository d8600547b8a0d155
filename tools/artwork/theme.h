#pragma once

#include "canvas.h"

#include <string>

// One product's colour identity; the drawing parts take every colour from here.
struct Theme {
  Rgb panelTop, panelBottom;
  double grainAmount;
  Rgb caption, captionShadow, scaleMark;
  Rgb well;
  Rgb knobSkirt, knobCapLight, knobCapDark;
  Rgb handleCore, handleRing;
  Rgb buttonCap, buttonLedOff, buttonLedOn;
  Rgb lampOff, lampOn;
  Rgb lcdTop, lcdBottom;
  std::string captionFont, boldFont;
};
