#include "artwork_set.h"
#include "panel_layout.h"
#include "panel_parts.h"
#include "shapes.h"

namespace {

Theme compressorTheme() {
  Theme t;
  t.panelTop = rgb(60, 75, 102);
  t.panelBottom = rgb(33, 42, 61);
  t.grainAmount = 0.035;
  t.caption = rgb(240, 228, 198);
  t.captionShadow = rgb(10, 14, 24);
  t.scaleMark = rgb(220, 208, 180);
  t.well = rgb(20, 25, 36);
  t.knobSkirt = rgb(40, 42, 48);
  t.knobCapLight = rgb(118, 126, 142);
  t.knobCapDark = rgb(34, 37, 46);
  t.handleCore = rgb(255, 232, 170);
  t.handleRing = rgb(14, 14, 16);
  t.buttonCap = rgb(150, 156, 170);
  t.buttonLedOff = rgb(62, 44, 26);
  t.buttonLedOn = rgb(255, 168, 40);
  t.lampOff = rgb(78, 42, 14);
  t.lampOn = rgb(255, 150, 28);
  t.lcdTop = rgb(200, 214, 170);
  t.lcdBottom = rgb(178, 196, 148);
  t.captionFont = "DejaVuSansCondensed-Bold.ttf";
  t.boldFont = "DejaVuSans-Bold.ttf";
  return t;
}

void renderPanel(const PanelArt &art, Canvas &canvas, TextRenderer &text, const PanelState &state) {
  const Theme &theme = art.theme;
  drawPanelBase(canvas, theme);
  for (auto [x, y] : {std::pair{7, 7}, {423, 7}, {7, 173}, {423, 173}})
    drawScrew(canvas, x + 0.5, y + 0.5, theme);

  // Product mark over the splash panel's click area.
  drawNameplate(canvas, text, theme, 13, 1, "DW5K", "RMS COMPRESSOR");

  // Knobs with their scales and captions.
  const struct {
    int id;
    const char *caption;
    int baseline;
  } knobs[] = {{130, "THRESHOLD", 92},
               {131, "ATTACK", 123},
               {132, "COMP RATIO", 103},
               {133, "RELEASE", 123},
               {134, "OUTPUT GAIN", 92}};
  for (const auto &knob : knobs) {
    const KnobCentre c = knobCentre(pieceById(art, knob.id).rect);
    const bool large = c.radius > 30;
    drawKnobScale(canvas, c.x, c.y, large ? 35.5 : 24, theme);
    drawKnob(canvas, c.x, c.y, large ? 31 : 19.5, theme);
    drawCaption(canvas, text, theme, c.x, knob.baseline, knob.caption);
  }

  // Compression lamp, clear of the threshold knob's square.
  const PixelRect lamp = pieceById(art, 143).rect;
  drawCaption(canvas, text, theme, 94.5, 24, "COMPRESSION");
  drawJewelLamp(canvas, 94.5, lamp.top + 13.5, 11, state.lit, theme);

  // The two switches share one well; captions to their right.
  const PixelRect ahead = pieceById(art, 136).rect, type = pieceById(art, 135).rect;
  drawWell(canvas, {ahead.left - 2, ahead.top - 2, type.right + 2, type.bottom + 2}, 3, 1, theme);
  drawButton(canvas, ahead, state.lit, theme);
  drawButton(canvas, type, state.lit, theme);
  drawCaption(canvas, text, theme, ahead.right + 6, ahead.bottom - 4, "LOOK AHEAD", Align::Left);
  drawCaption(canvas, text, theme, type.right + 6, type.bottom - 4, "SOFT KNEE", Align::Left);

  drawGroove(canvas, 12, 322, 131, theme);

  // Level bars, their over lamps and the scale.
  const PixelRect in = pieceById(art, 139).rect, out = pieceById(art, 141).rect;
  drawWell(canvas, {in.left - 2, in.top - 2, out.right + 2, out.bottom + 3}, 2, 1.5, theme);
  drawMeterStrip(canvas, in, state.lit);
  drawMeterStrip(canvas, out, state.lit);
  drawCaption(canvas, text, theme, in.left - 5, in.bottom, "IN", Align::Right);
  drawCaption(canvas, text, theme, out.left - 5, out.bottom + 1, "OUT", Align::Right);
  drawMeterScale(canvas, text, in, out.bottom + 3, theme);
  const PixelRect inOver = pieceById(art, 145).rect, outOver = pieceById(art, 147).rect;
  // The two lamps share a row where they meet, so each LED keeps off it.
  drawLed(canvas, {inOver.left, inOver.top + 1, inOver.left + 8, inOver.top + 6}, state.lit, theme);
  drawLed(canvas, {outOver.left, outOver.top + 2, outOver.left + 8, outOver.top + 7}, state.lit,
          theme);
  drawCaption(canvas, text, theme, inOver.left + 4, inOver.top - 3, "OV", Align::Centre, 0);

  // Readout of the parameter touched last.
  const PixelRect label = pieceById(art, 137).rect, value = pieceById(art, 138).rect;
  drawLcd(canvas, {label.left, label.top, value.right, value.bottom}, value.left, theme);
  drawCaption(canvas, text, theme, (label.left + value.right) / 2.0, label.top - 5, "CURRENT");
  drawCaption(canvas, text, theme, value.right, 175, "TORVEL SOFT", Align::Right);
}

Canvas renderSplash(TextRenderer &text) {
  const Rgb paper = rgb(28, 38, 66), ink = rgb(242, 230, 198);
  Canvas canvas(211, 46, paper);
  drawSplashCard(canvas, text, ink, "DW5K", "RMS COMPRESSOR");
  return canvas;
}

} // namespace

PanelArt compressorArt() {
  PanelArt art;
  art.folder = "compressor/resources";
  art.rcName = "dw5k.rc";
  art.width = 430;
  art.height = 180;
  art.theme = compressorTheme();
  art.handleId = 129;
  art.handleWidth = 5;
  art.handleHeight = 8;
  art.splashId = 149;
  art.pieces = {
      {PieceKind::KnobFace, "threshold_knob", 130, {37, 35, 82, 80}},
      {PieceKind::KnobFace, "attack_knob", 131, {113, 65, 158, 111}},
      {PieceKind::KnobFace, "ratio_knob", 132, {180, 23, 248, 91}},
      {PieceKind::KnobFace, "release_knob", 133, {270, 66, 315, 111}},
      {PieceKind::KnobFace, "level_knob", 134, {346, 35, 391, 80}},
      {PieceKind::Button, "knee_button", 135, {268, 21, 299, 36}},
      {PieceKind::Button, "ahead_button", 136, {268, 6, 299, 21}},
      {PieceKind::Display, "label_display", 137, {334, 136, 390, 161}},
      {PieceKind::Display, "value_display", 138, {390, 136, 418, 161}},
      {PieceKind::Meter, "input_bar", 139, {35, 142, 317, 148}, 140},
      {PieceKind::Meter, "output_bar", 141, {35, 149, 317, 155}, 142},
      {PieceKind::Lamp, "compression_lamp", 143, {77, 25, 107, 52}, 144},
      {PieceKind::Lamp, "input_over_lamp", 145, {324, 142, 336, 150}, 146},
      {PieceKind::Lamp, "output_over_lamp", 147, {324, 149, 336, 157}, 148},
  };
  art.render = renderPanel;
  art.renderSplash = renderSplash;
  return art;
}
