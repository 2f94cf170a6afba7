#pragma once
// Pictures of things that stand on squares or sit in the inventory. The game
// draws them mirrored left to right, so every one is left-right symmetric
// and carries no text.

#include "Image.h"

namespace ItemPictures {

// A blue face seen from the front: the player's figure and portrait.
Image blueFace();
// The same face painted on a square picture of any size: the game's icon.
Image blueFaceScaledTo(int size);
Image vase();
// A tied sack: the picture of every item that has no picture of its own.
Image sack();
// A heap of sacks, pots and a box seen from above.
Image pile();
// Loaded by the game but not drawn.
Image bucket();
Image target();
Image explosion();

} // namespace ItemPictures
