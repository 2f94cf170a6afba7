#pragma once
// The game's icon, the player's face, in the sizes desktops and Windows ask
// for: PNGs of 48, 128 and 256 pixels (pickrpg-<size>.png) for the Linux
// desktop, and pickrpg.ico with 16, 32, 48 and 256 pixels for the Windows
// executable and installer.

#include <string>

class IconSet {
public:
  // Paints every size and writes the files into folder (created when
  // missing). Stops at the first failure, with a reason in error.
  static bool writeAll(const std::string &folder, std::string &error);
};
