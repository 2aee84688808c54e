#include "gfx/GrpLine.h"

#include <GL/gl.h>

#include "gfx/BlendMode.h"

namespace orb {

void GrpLine::draw() {
  glDisable(GL_TEXTURE_2D);
  applyBlendMode(blendMode);
  glLineWidth(lineWidth);
  if (smooth) {
    glEnable(GL_LINE_SMOOTH);
  } else {
    glDisable(GL_LINE_SMOOTH);
  }
  pushTransform();
  const float vertices[] = {0, 0, endX, endY};
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glDrawArrays(GL_LINE_STRIP, 0, 2);
  glDisableClientState(GL_VERTEX_ARRAY);
  popTransform();
}

}  // namespace orb
