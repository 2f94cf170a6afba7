#pragma once
// Where the game draws a square, for tests and benchmarks that click on one.

// The centre of space (x, y) of the centre cell as the camera of a frame
// shows it (the player's square in the middle, shifted by its slide), in
// client pixels with the origin at the top-left corner.
void squareOnScreen(int x, int y, int clientWidth, int clientHeight, int &screenX, int &screenY);
