#pragma once
// The player's slide offset in spaces. Every drawn space is shifted by minus
// these values and the player's figure by plus them, so the view follows the
// player smoothly while it walks.
extern float viewOffsetX;
extern float viewOffsetY;
