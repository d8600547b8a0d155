// Draws both editors' artwork and writes the resource images and scripts.
//   artwork-generator OUTPUT_ROOT [--preview FOLDER] [--fonts FOLDER]
#include "artwork_set.h"
#include "bmp_file.h"

#include <cstdio>
#include <cstring>
#include <string>

#ifndef ARTWORK_FONT_FOLDER
#define ARTWORK_FONT_FOLDER "/usr/share/fonts/truetype/dejavu"
#endif

int main(int argc, char **argv) {
  std::string output, preview, fonts = ARTWORK_FONT_FOLDER;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc)
      preview = argv[++i];
    else if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc)
      fonts = argv[++i];
    else if (output.empty() && argv[i][0] != '-')
      output = argv[i];
    else {
      output.clear();
      break;
    }
  }
  if (output.empty()) {
    std::fprintf(stderr, "usage: %s OUTPUT_ROOT [--preview FOLDER] [--fonts FOLDER]\n", argv[0]);
    return 2;
  }
  TextRenderer text(fonts);
  const PanelArt panels[] = {compressorArt(), limiterArt()};
  for (const PanelArt &art : panels) {
    std::string message;
    if (!writeArtwork(art, text, output, message)) {
      std::fprintf(stderr, "artwork-generator: %s\n", message.c_str());
      return 1;
    }
    if (!preview.empty()) {
      const std::string name = art.rcName.substr(0, art.rcName.find('.'));
      if (!writeBmp(preview + "/" + name + "_preview.bmp", composePreview(art, text))) {
        std::fprintf(stderr, "artwork-generator: cannot write the preview of %s\n", name.c_str());
        return 1;
      }
    }
  }
  return 0;
}
