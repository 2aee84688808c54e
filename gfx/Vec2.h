#pragma once
// The 2D point type lives with touch input, the lowest layer that needs it;
// drawing code includes it from here.
#include "input/Vec2.h"
