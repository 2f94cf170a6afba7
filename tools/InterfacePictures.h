#pragma once
// Pictures of the interface layer other than the buttons and the font.
// Window frames, window squares and the equipment slot are drawn mirrored
// left to right, so they are left-right symmetric.

#include "Image.h"

namespace InterfacePictures {

// A dark panel with a light rim, drawn at half opacity behind windows.
Image menu();
// The window squares: close (an X), scroll up and scroll down (arrows).
Image closeCase();
Image upCase();
Image downCase();
// A thin cross with a dark edge, centred on the cursor.
Image crosshair();
// An empty equipment slot: a dim square with a light frame.
Image equipmentSlot();

} // namespace InterfacePictures
