#pragma once
// orb::Vec2 lives with the touch input, the lowest layer that needs it; this
// header lets the drawing code name it where it is used.
#include "input/Vec2.h"
