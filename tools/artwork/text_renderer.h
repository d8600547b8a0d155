#pragma once

#include "canvas.h"

#include <map>
#include <string>

enum class Align { Left, Centre, Right };

struct TextStyle {
  std::string font; // file name inside the font folder
  int pixelSize = 10;
  Rgb colour;
  double tracking = 0; // extra pixels after each character
  bool binary = false; // two-colour output: coverage thresholded instead of blended
};

// Anti-aliased text through FreeType, placed by its baseline.
class TextRenderer {
public:
  explicit TextRenderer(std::string fontFolder);
  ~TextRenderer();
  TextRenderer(const TextRenderer &) = delete;
  TextRenderer &operator=(const TextRenderer &) = delete;

  bool ok() const { return library != nullptr && error.empty(); }
  const std::string &lastError() const { return error; }

  double measure(const TextStyle &style, const std::string &text);
  void draw(Canvas &canvas, const TextStyle &style, double x, int baseline, const std::string &text,
            Align align = Align::Left);

private:
  struct FaceHandle;
  FaceHandle *face(const TextStyle &style);

  std::string folder;
  std::string error;
  void *library = nullptr;
  std::map<std::string, FaceHandle *> faces;
};
