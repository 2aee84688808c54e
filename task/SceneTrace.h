#pragma once

namespace orb {

// One line on stderr each time a screen opens ("globaro: scene results"),
// only when the environment sets GLOBARO_TRACE_SCENES: a script that drives
// the real binary (the unattended-play test) then knows which screen is up
// without reading pixels. Silent for players.
class SceneTrace {
 public:
  static void enter(const char* scene);
};

}  // namespace orb
