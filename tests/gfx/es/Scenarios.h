#pragma once
// Scenes and picking runs built from the same source twice: once against the
// real OpenGL 1.1 (the gl_reference program) and once against the ES layer
// (the layer's proof tests), so that the two can be compared pixel for
// pixel and record for record.

#include <cstdint>
#include <string>
#include <vector>

struct Frame {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb; // rows bottom-up, as glReadPixels gives them
};

// The small scenes that each isolate one feature, and the game's frames.
std::vector<std::string> featureSceneNames();
std::vector<std::string> gameFrameNames();
// Draws the named scene on the current context; false for an unknown name
// or a scene that could not be set up.
bool drawNamedScene(const std::string &name, Frame &frame);
// The current picture of the 1024 x 768 test surface.
void readFrame(Frame &frame);

// The game's frame after startScene, srand(seed), the cursor put at
// (mouseX, mouseY) and one advanceScene(elapsed) and renderScene().
bool drawGameFrame(unsigned seed, int mouseX, int mouseY, unsigned elapsed, Frame &frame);

// What one selection pass at one cursor position found: the hit count and
// every hit record as the buffer held them.
struct PickSample {
  std::int32_t hits = 0;
  std::vector<std::uint32_t> records;
};

struct PickGrid {
  int step = 0;
  int columns = 0;
  int rows = 0;
  // World and interface pass at each point, row by row from the top-left.
  std::vector<PickSample> world;
  std::vector<PickSample> interface;
};

// The game states the picking grids are taken in.
std::vector<std::string> pickStateNames();
// Both selection passes at every step-th client pixel in the named state.
bool pickNamedState(const std::string &name, int step, PickGrid &grid);

// A binary P6 picture, rows top-down; and reading one back.
bool writePpm(const std::string &path, const Frame &frame);
bool readPpm(const std::string &path, Frame &frame);
bool writePickGrid(const std::string &path, const PickGrid &grid);
bool readPickGrid(const std::string &path, PickGrid &grid);
