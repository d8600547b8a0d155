#include "artwork_set.h"
#include "panel_layout.h"
#include "panel_parts.h"
#include "shapes.h"

namespace {

Theme limiterTheme() {
  Theme t;
  t.panelTop = rgb(56, 56, 58);
  t.panelBottom = rgb(27, 27, 29);
  t.grainAmount = 0.05;
  t.caption = rgb(255, 150, 52);
  t.captionShadow = rgb(6, 6, 6);
  t.scaleMark = rgb(236, 170, 110);
  t.well = rgb(16, 16, 17);
  t.knobSkirt = rgb(30, 30, 32);
  t.knobCapLight = rgb(96, 96, 100);
  t.knobCapDark = rgb(22, 22, 24);
  t.handleCore = rgb(255, 136, 24);
  t.handleRing = rgb(10, 10, 10);
  t.buttonCap = rgb(104, 104, 110);
  t.buttonLedOff = rgb(58, 34, 16);
  t.buttonLedOn = rgb(255, 124, 22);
  t.lampOff = rgb(74, 20, 16);
  t.lampOn = rgb(255, 48, 30);
  t.lcdTop = rgb(236, 204, 136);
  t.lcdBottom = rgb(214, 180, 110);
  t.captionFont = "DejaVuSansCondensed-Bold.ttf";
  t.boldFont = "DejaVuSans-Bold.ttf";
  return t;
}

void renderPanel(const PanelArt &art, Canvas &canvas, TextRenderer &text, const PanelState &state) {
  const Theme &theme = art.theme;
  drawPanelBase(canvas, theme);
  for (auto [x, y] : {std::pair{7, 7}, {423, 7}, {7, 113}, {423, 113}})
    drawScrew(canvas, x + 0.5, y + 0.5, theme);

  drawNameplate(canvas, text, theme, 13, 1, "H3R", "PEAK LIMITER");

  drawVents(canvas, {16, 27, 46, 63}, 6, theme);

  const struct {
    int id;
    const char *caption;
  } knobs[] = {{130, "GAIN"}, {131, "CEILING"}, {132, "RELEASE"}};
  for (const auto &knob : knobs) {
    const KnobCentre c = knobCentre(pieceById(art, knob.id).rect);
    drawKnobScale(canvas, c.x, c.y, 24, theme);
    drawKnob(canvas, c.x, c.y, 19.5, theme);
    drawCaption(canvas, text, theme, c.x, 77, knob.caption);
  }

  // Limiting lamp at the top edge, clear of the ceiling knob's square below it.
  const PixelRect lamp = pieceById(art, 141).rect;
  drawWell(canvas, {lamp.left + 4, lamp.top + 3, lamp.right - 4, lamp.top + 17}, 2, 1, theme);
  drawLed(canvas, {lamp.left + 5, lamp.top + 4, lamp.right - 5, lamp.top + 16}, state.lit, theme);
  drawCaption(canvas, text, theme, lamp.right + 4, 13, "LIMITING", Align::Left);

  const PixelRect ahead = pieceById(art, 134).rect, type = pieceById(art, 133).rect;
  drawWell(canvas, {ahead.left - 2, ahead.top - 2, type.right + 2, type.bottom + 2}, 3, 1, theme);
  drawButton(canvas, ahead, state.lit, theme);
  drawButton(canvas, type, state.lit, theme);
  drawCaption(canvas, text, theme, ahead.right + 5, ahead.bottom - 4, "LOOK AHEAD", Align::Left, 0);
  drawCaption(canvas, text, theme, type.right + 5, type.bottom - 5, "SOFT KNEE", Align::Left, 0);

  const PixelRect in = pieceById(art, 137).rect, out = pieceById(art, 139).rect;
  drawWell(canvas, {in.left - 2, in.top - 2, out.right + 2, out.bottom + 2}, 2, 1.5, theme);
  drawMeterStrip(canvas, in, state.lit);
  drawMeterStrip(canvas, out, state.lit);
  drawCaption(canvas, text, theme, in.left - 5, in.bottom, "IN", Align::Right);
  drawCaption(canvas, text, theme, out.left - 5, out.bottom, "OUT", Align::Right);
  drawMeterScale(canvas, text, in, out.bottom + 3, theme);
  const PixelRect inOver = pieceById(art, 143).rect, outOver = pieceById(art, 145).rect;
  drawLed(canvas, inOver, state.lit, theme);
  drawLed(canvas, outOver, state.lit, theme);
  drawCaption(canvas, text, theme, inOver.left + 4.5, inOver.top - 3, "OV", Align::Centre, 0);

  const PixelRect label = pieceById(art, 135).rect, value = pieceById(art, 136).rect;
  drawLcd(canvas, {label.left, label.top, value.right, value.bottom}, value.left, theme);
  drawCaption(canvas, text, theme, (label.left + value.right) / 2.0, label.top - 5, "CURRENT");
  drawCaption(canvas, text, theme, value.right, 116, "TORVEL SOFT", Align::Right);
}

Canvas renderSplash(TextRenderer &text) {
  const Rgb paper = rgb(0, 0, 0), ink = rgb(255, 255, 255);
  Canvas canvas(211, 46, paper);
  drawSplashCard(canvas, text, ink, "H3R", "PEAK LIMITER");
  return canvas;
}

} // namespace

PanelArt limiterArt() {
  PanelArt art;
  art.folder = "limiter/resources";
  art.rcName = "h3r.rc";
  art.width = 430;
  art.height = 120;
  art.theme = limiterTheme();
  art.handleId = 129;
  art.handleWidth = 5;
  art.handleHeight = 7;
  art.splashId = 147;
  art.pieces = {
      {PieceKind::KnobFace, "level_knob", 130, {64, 20, 109, 65}},
      {PieceKind::KnobFace, "ceiling_knob", 131, {149, 20, 194, 65}},
      {PieceKind::KnobFace, "release_knob", 132, {233, 20, 278, 65}},
      {PieceKind::Button, "knee_button", 133, {335, 37, 363, 53}},
      {PieceKind::Button, "ahead_button", 134, {335, 23, 363, 37}},
      {PieceKind::Display, "label_display", 135, {334, 79, 390, 104}},
      {PieceKind::Display, "value_display", 136, {390, 79, 418, 104}},
      {PieceKind::Meter, "input_bar", 137, {36, 85, 318, 91}, 138},
      {PieceKind::Meter, "output_bar", 139, {36, 93, 318, 99}, 140},
      {PieceKind::Lamp, "limiting_lamp", 141, {180, 0, 213, 24}, 142},
      {PieceKind::Lamp, "input_over_lamp", 143, {324, 84, 334, 90}, 144},
      {PieceKind::Lamp, "output_over_lamp", 145, {324, 92, 334, 98}, 146},
  };
  art.render = renderPanel;
  art.renderSplash = renderSplash;
  return art;
}
