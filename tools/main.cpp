// pickrpg_assets: paints the game's 26 images and writes them as TGA files
// into the folder named first on the command line (the game reads them from
// Data/), and, when a second folder is named, the game's icon files there.

#include "AssetCatalogue.h"
#include "GlyphRasterizer.h"
#include "IconSet.h"

#include <cstdio>
#include <string>

namespace {

// Monospaced, so the game's fixed 10-pixel advance spaces text evenly.
constexpr const char *TEXT_FONT = "DejaVuSansMono-Bold.ttf";
constexpr const char *LABEL_FONT = "DejaVuSans-Bold.ttf";

bool openFont(GlyphRasterizer &rasterizer, const char *fileName) {
  const std::string path = GlyphRasterizer::locateFont(fileName);
  std::string error;
  if (path.empty()) {
    std::fprintf(stderr, "pickrpg_assets: font %s not found (install fonts-dejavu-core)\n",
                 fileName);
    return false;
  }
  if (!rasterizer.open(path, error)) {
    std::fprintf(stderr, "pickrpg_assets: %s\n", error.c_str());
    return false;
  }
  return true;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s DATA_FOLDER [ICON_FOLDER]\n",
                 argc > 0 ? argv[0] : "pickrpg_assets");
    return 2;
  }
  GlyphRasterizer text;
  GlyphRasterizer labels;
  if (!openFont(text, TEXT_FONT) || !openFont(labels, LABEL_FONT)) {
    return 1;
  }
  AssetCatalogue catalogue(text, labels);
  std::string error;
  const bool written =
      catalogue.writeAll(argv[1], error) && (argc < 3 || IconSet::writeAll(argv[2], error));
  if (!written) {
    std::fprintf(stderr, "pickrpg_assets: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
