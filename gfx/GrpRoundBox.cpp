#include "gfx/GrpRoundBox.h"

#include <GL/gl.h>

#include "gfx/BlendMode.h"
#include "gfx/GrpSprite.h"

namespace orb {

void GrpRoundBox::draw() {
  if (!bindForDrawing(texture.get(), smooth)) return;
  applyBlendMode(blendMode);
  pushTransform();
  const float du = width / (2.0f * static_cast<float>(texture->width));
  const float dv = height / (2.0f * static_cast<float>(texture->height));
  const float w = width, h = height, hw = width / 2, hh = height / 2;
  const float vertices[] = {hw, hh, hw, 0, 0, 0, 0, hh, 0, h, hw, h, w, h, w, hh, w, 0, hw, 0};
  const float texCoords[] = {du, dv, du, 0, 0, 0, 0, dv, 0, 0, du, 0, 0, 0, 0, dv, 0, 0, du, 0};
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 10);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  popTransform();
}

}  // namespace orb
