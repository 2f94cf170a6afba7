#include "world/View.h"

float viewOffsetX = 0.0f;
float viewOffsetY = 0.0f;
