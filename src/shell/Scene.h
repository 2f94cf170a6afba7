#pragma once
// The five hooks the platform main loop calls, and the picking counter that
// every drawing of a named element reads.

#include "gfx/Picking.h"

#include <cstdint>
#include <filesystem>

class ShellWindow;
struct KeyTable;

extern float cameraPitch;
extern float cameraYaw;

// Loads textures and font, sets the fixed GL state and builds a new game.
// On failure returns false and names the file that could not be loaded in
// failedFile (left empty on success).
bool startScene(ShellWindow *window, KeyTable *keys);
void stopScene();
void advanceScene(std::uint32_t elapsed);
void renderScene();
// Resolves a click at (mouseX, mouseY): the interface first, else the world.
void pickAtCursor(bool isClick);

// The selection passes of a click at (mouseX, mouseY) without acting on the
// result: each returns the hit count (-1 when the records overflowed) and
// leaves the records in selectionRecords(). Tests compare them between
// OpenGL implementations.
std::int32_t selectWorldAtCursor();
std::int32_t selectInterfaceAtCursor();
const std::uint32_t *selectionRecords();

// The data file startScene could not load, for the shell's error box.
const char *sceneFailedFile();

// The folder every later startScene reads the images from (Data/ under the
// working directory until the shell has found them elsewhere).
void setSceneDataFolder(const std::filesystem::path &folder);
