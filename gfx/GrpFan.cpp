#include "gfx/GrpFan.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "gfx/BlendMode.h"
#include "gfx/GrpSprite.h"

namespace orb {

void GrpFan::draw() {
  if (segments < 1) return;
  if (textured) {
    if (!bindForDrawing(texture.get(), smooth)) return;
  } else {
    glDisable(GL_TEXTURE_2D);
    applyBlendMode(blendMode);
    glLineWidth(lineWidth);
    if (smooth) {
      glEnable(GL_LINE_SMOOTH);
    } else {
      glDisable(GL_LINE_SMOOTH);
    }
  }
  pushTransform();
  const std::size_t count = static_cast<std::size_t>(segments) + 2;
  std::vector<float> vertices;
  vertices.reserve(count * 2);
  vertices.push_back(0.0f);
  vertices.push_back(0.0f);
  for (int i = 0; i <= segments; ++i) {
    const float angle = static_cast<float>(i) * sweep / static_cast<float>(segments);
    vertices.push_back(std::sin(angle) * radiusX);
    vertices.push_back(std::cos(angle) * radiusY);
  }
  std::vector<float> texCoords;
  if (textured) {
    const float su = texture->usedU / static_cast<float>(texture->width);
    const float sv = texture->usedV / static_cast<float>(texture->height);
    texCoords.reserve(count * 2);
    texCoords.push_back(srcX0 * su);
    texCoords.push_back(srcY0 * sv);
    for (std::size_t i = 1; i < count; ++i) {
      texCoords.push_back(srcX1 * su);
      texCoords.push_back(srcY1 * sv);
    }
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
  }
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices.data());
  glDrawArrays(filled ? GL_TRIANGLE_FAN : GL_LINE_LOOP, 0, static_cast<GLsizei>(count));
  glDisableClientState(GL_VERTEX_ARRAY);
  if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  popTransform();
}

}  // namespace orb
