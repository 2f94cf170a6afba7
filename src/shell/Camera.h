#pragma once
// The camera of the world view: every frame and every click's selection pass
// project through it, and the tests and benchmarks that aim at a square work
// out the same projection.
namespace camera {
constexpr double FIELD_OF_VIEW = 45.0;
constexpr double NEAR_PLANE = 0.1;
constexpr double FAR_PLANE = 100.0;
// The eye stands this far above the world's origin, looking down, and half a
// square left of it, so that the player's square lies under the middle.
constexpr double DISTANCE = 15.0;
constexpr double SHIFT_X = 0.5;
} // namespace camera
