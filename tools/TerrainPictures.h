#pragma once
// Pictures of the world's ground and walls, and the marks laid over squares.

#include "Image.h"

namespace TerrainPictures {

// Grass with patches of earth; tiles seamlessly and has no direction, since
// every square shows it, some of them turned.
Image ground();
// Blue sky with soft clouds; loaded by the game but not drawn.
Image sky();
// The side of a wooden crate, left-right symmetric: building walls show
// either half of it on their faces, so each half is a framed panel.
Image crate();
// Square outlines drawn tinted over a square: a dashed one for a passing
// mark, a solid one with a faint fill for a lasting one. Symmetric under
// quarter turns.
Image selectTemp();
Image selectPerm();

} // namespace TerrainPictures
