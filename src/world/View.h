#pragma once
// The player's slide offset in spaces. Every drawn space is shifted by minus
// these values and the player's figure by plus them, so the view follows the
// player smoothly while it walks.
extern float viewOffsetX;
extern float viewOffsetY;

// The ground's height: squares and the feet of walls lie on it, and whatever
// aims at a square from outside the world projects a point of it.
constexpr float GROUND_HEIGHT = 1.0f;
