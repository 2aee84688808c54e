#include "gfx/GrpDashedCircle.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "gfx/BlendMode.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {
// Halvings that place a cut dash's end: a dash of a few degrees ends within a
// thousandth of a degree of the true edge.
constexpr int kCutSteps = 12;
}  // namespace

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
  auto shown = [this](float a) { return visible(std::sin(a) * radiusX, std::cos(a) * radiusY); };
  for (int i = 0; i < dashes; ++i) {
    float a0 = static_cast<float>(i) * step;
    float a1 = a0 + kPi / static_cast<float>(dashes);
    if (visible) {
      const bool in0 = shown(a0), in1 = shown(a1);
      if (!in0 && !in1) continue;
      if (in0 != in1) {
        // Halve the dash towards the point where it leaves the visible part.
        float in = in0 ? a0 : a1, out = in0 ? a1 : a0;
        for (int k = 0; k < kCutSteps; ++k) {
          const float mid = 0.5f * (in + out);
          (shown(mid) ? in : out) = mid;
        }
        (in0 ? a1 : a0) = in;
      }
    }
    vertices.insert(vertices.end(), {std::sin(a0) * radiusX, std::cos(a0) * radiusY,
                                     std::sin(a1) * radiusX, std::cos(a1) * radiusY});
  }
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices.data());
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(vertices.size() / 2));
  glDisableClientState(GL_VERTEX_ARRAY);
  popTransform();
}

}  // namespace orb
