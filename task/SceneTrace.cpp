#include "task/SceneTrace.h"

#include <cstdlib>
#include <iostream>

namespace orb {

void SceneTrace::enter(const char* scene) {
  static const bool enabled = std::getenv("GLOBARO_TRACE_SCENES") != nullptr;
  if (enabled) std::cerr << "globaro: scene " << scene << std::endl;
}

}  // namespace orb
