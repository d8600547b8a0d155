#include "panel_layout.h"

#include <stdexcept>

KnobCentre knobCentre(const PixelRect &bounds) {
  const double radius = bounds.width() / 2.0;
  return {bounds.left + radius + 0.5, bounds.top + radius + 0.5, radius};
}

const Piece &pieceById(const PanelArt &art, int id) {
  for (const Piece &piece : art.pieces)
    if (piece.id == id)
      return piece;
  throw std::logic_error("no artwork piece " + std::to_string(id));
}

void drawSplashCard(Canvas &canvas, TextRenderer &text, Rgb ink, const std::string &product,
                    const std::string &kind) {
  const int w = canvas.width(), h = canvas.height();
  for (int x = 2; x < w - 2; ++x) {
    canvas.set(x, 2, ink);
    canvas.set(x, h - 3, ink);
  }
  for (int y = 2; y < h - 2; ++y) {
    canvas.set(2, y, ink);
    canvas.set(w - 3, y, ink);
  }
  const TextStyle name{"DejaVuSans-Bold.ttf", 18, ink, 0.5, true};
  const TextStyle line{"DejaVuSans.ttf", 10, ink, 0, true};
  const TextStyle vendor{"DejaVuSans-Bold.ttf", 10, ink, 0, true};
  text.draw(canvas, name, 9, 23, product);
  const double after = 9 + text.measure(name, product) + 8;
  text.draw(canvas, TextStyle{"DejaVuSansCondensed-Bold.ttf", 11, ink, 0.5, true}, after, 23, kind);
  for (int x = 9; x < w - 9; ++x)
    canvas.set(x, 28, ink);
  text.draw(canvas, line, 9, 40, "Version 1.0.0");
  text.draw(canvas, vendor, w - 9, 40, "TORVEL Soft", Align::Right);
}
