#include "gfx/Game2DSetup.h"

#include <GL/gl.h>

namespace orb {

void Game2DSetup::draw() {
  camera_.apply();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
}

}  // namespace orb
