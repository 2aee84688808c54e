#pragma once
#include <vector>

namespace orb {

// One finger, in window pixels: origin at the window's top-left, y downward.
struct Touch {
  float x = 0, y = 0;          // current position
  float prevX = 0, prevY = 0;  // position at the previous event of the same drag
};

// A touch event's fingers; the pointer finger first when present.
using Touches = std::vector<Touch>;

}  // namespace orb
