#pragma once

namespace orb {

// True when, under the current model-view and projection matrices and
// viewport, a rectangle whose 2D units are unitsPerTexelX x unitsPerTexelY
// per texel, with its texel (0, 0) corner at the origin, puts each texel
// exactly on one pixel. A linear lookup then lands on texel centres and reads
// one texel anyway, so nearest filtering draws the same for less.
bool texelsOnPixels(float unitsPerTexelX, float unitsPerTexelY);

}  // namespace orb
