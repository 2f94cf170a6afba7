#pragma once
// Scenes and picking runs built from the same source twice: once against the
// real OpenGL 1.1 (the gl_reference program) and once against the ES layer
// or the desktop's software selection (the proof test), so that the two can
// be compared pixel for pixel and record for record.

#include "HeadlessContext.h"

#include <cstdint>
#include <string>
#include <vector>

// The game's states, then the feature scenes; the reference draws them with
// this seed for the other person's walk.
std::vector<std::string> sceneNames();
constexpr unsigned SCENE_SEED = 1;
constexpr std::size_t FRAME_WORDS = std::size_t{TEST_WIDTH} * TEST_HEIGHT;

// Starts the game, draws the named scene or reaches the game state, and
// keeps its frame as glReadPixels gives it, one RGBA word a pixel, rows
// bottom-up. Then, if the scene is picked and step is positive, every pick
// at every step-th pixel, each as its length and then the pixel, the pass,
// the hit count (-1: the records overflowed) and the buffer's words.
bool runScene(const std::string &name, unsigned seed, int step, std::vector<std::uint32_t> &words);
