#pragma once

#include "canvas.h"
#include "text_renderer.h"
#include "theme.h"

#include <functional>
#include <string>
#include <vector>

enum class PieceKind { KnobFace, Button, Meter, Lamp, Display };

// One resource image cut out of the panel render. Buttons hold both states in one strip;
// meters and lamps have an off and an on image.
struct Piece {
  PieceKind kind;
  std::string role;
  int id;
  PixelRect rect; // where the control draws the image: position plus image size
  int onId = 0;   // meters and lamps
};

struct PanelState {
  bool lit = false; // buttons pressed, bars full, lamps on
};

struct PanelArt {
  std::string folder; // resources folder, relative to the output root
  std::string rcName;
  int width, height;
  Theme theme;
  std::vector<Piece> pieces;
  int handleId, handleWidth, handleHeight;
  int splashId;
  std::function<void(const PanelArt &, Canvas &, TextRenderer &, const PanelState &)> render;
  std::function<Canvas(TextRenderer &)> renderSplash;
};

PanelArt compressorArt();
PanelArt limiterArt();

// Renders the panel in both states, checks that the states differ only inside one stateful
// control each, and writes every image plus the resource script. False with a message on
// failure.
bool writeArtwork(const PanelArt &art, TextRenderer &text, const std::string &outputRoot,
                  std::string &message);

// The panel as a host shows it: knobs at assorted values, bars partly lit, readouts filled.
Canvas composePreview(const PanelArt &art, TextRenderer &text);
