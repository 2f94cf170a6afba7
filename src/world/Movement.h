#pragma once
// Steps of beings and pushes of items, one space at a time, inside the
// centre cell of the loaded area, whose edges join to the opposite edges.
// Every move starts from the move origin, which the caller sets just before.

#include <cstdint>

class Being;
class LoadedArea;
class WorldObject;

// The origin space: its coordinates in the centre cell (0 to 29) and the
// same position in the world (30 * cell + local). Whole numbers.
extern float originLocalX;
extern float originLocalY;
extern float originWorldX;
extern float originWorldY;

void setMoveOrigin(float localX, float localY, float worldX, float worldY);

// The whole-number part of value (truncated towards zero) reduced into
// 0 to 29.
float wrapToCell(float value);

// Moves the being standing on the origin space one space in direction
// (0 to 3) and starts its slide. Refused for a being that is walking or has
// an action chosen, an unknown direction, a destination blocked on the side
// crossed, and a destination that another being has entered since its last
// update. True when the being moved.
bool moveBeing(LoadedArea &area, Being *being, std::int32_t direction);

// Moves item, the first of the origin space's pile, to the end of the
// neighbouring space's pile, unless that space is occupied. An unknown
// direction, or an item that is not the first of the origin pile, changes
// nothing.
void pushItem(LoadedArea &area, WorldObject *item, std::int32_t direction);

// One random step, tried one time in five, for any being but the player.
// Draws rand() once, and a second time for the direction when stepping.
void wander(LoadedArea &area, Being *being);
