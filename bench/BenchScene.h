#pragma once
// What both benchmark programs measure the same way, so that their figures
// can stand side by side.
namespace bench {
constexpr int WARM_UP_FRAMES = 10;
constexpr unsigned FRAME_MILLISECONDS = 16;
// The other person wanders at random: the same walk on every run.
constexpr unsigned WALK_SEED = 1;
// Bare ground left of the player's square in the test arrangement.
constexpr int WORLD_CLICK_DX = -1;
// Lower left of the inventory window, clear of its slots and icons.
constexpr int BACKGROUND_X = 530;
constexpr int BACKGROUND_Y = 298;
} // namespace bench
