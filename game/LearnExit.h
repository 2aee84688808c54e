#pragma once
#include "gfx/Vec3.h"

namespace orb {

struct GameContext;

// The way out of the explore mode and the drill: control off, the globe flies
// back to a resting view and spins again, and the game root is asked for the
// title (the in-game menu's abort does the same for a game).
void leaveToTitle(GameContext& context);

// Flies the camera over a globe point (globe model space) in seconds, no
// nearer than minDistance; the yaw allows for the globe's spin.
void flyOver(GameContext& context, const Vec3& point, float seconds, float minDistance);

}  // namespace orb
