#include "gfx/GrpDashedCircle.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "gfx/BlendMode.h"
#include "gfx/MathConstants.h"

namespace orb {

void GrpDashedCircle::draw() {
  if (dashes < 1) return;
  glDisable(GL_TEXTURE_2D);
  applyBlendMode(blendMode);
  glLineWidth(lineWidth);
  if (smooth) {
    glEnable(GL_LINE_SMOOTH);
  } else {
    glDisable(GL_LINE_SMOOTH);
  }
  pushTransform();
  std::vector<float> vertices;
  vertices.reserve(static_cast<std::size_t>(dashes) * 4);
  const float step = kTwoPi / static_cast<float>(dashes);
  for (int i = 0; i < dashes; ++i) {
    const float a0 = static_cast<float>(i) * step;
    const float a1 = a0 + kPi / static_cast<float>(dashes);
    vertices.insert(vertices.end(), {std::sin(a0) * radiusX, std::cos(a0) * radiusY,
                                     std::sin(a1) * radiusX, std::cos(a1) * radiusY});
  }
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices.data());
  glDrawArrays(GL_LINES, 0, dashes * 2);
  glDisableClientState(GL_VERTEX_ARRAY);
  popTransform();
}

}  // namespace orb
