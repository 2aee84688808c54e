#include "gfx/PixelGrid.h"

#include <GL/gl.h>

#include <cmath>

namespace orb {
namespace {

// Well under what moves a pixel centre's lookup off a texel centre by any
// amount an 8-bit filter weight can show.
constexpr float kTolerance = 1e-3f;

bool near(float value, float target) { return std::fabs(value - target) < kTolerance; }

}  // namespace

bool texelsOnPixels(float unitsPerTexelX, float unitsPerTexelY) {
  GLfloat modelView[16], projection[16];
  GLint viewport[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  // Clip = projection * model-view * (x, y, 0, 1); column-major.
  float m[16];
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += projection[4 * k + row] * modelView[4 * column + k];
      m[4 * column + row] = sum;
    }
  }
  // Only a flat, unprojected 2D pass keeps texels square on pixels.
  if (!near(m[3], 0.0f) || !near(m[7], 0.0f) || !near(m[15], 1.0f)) return false;
  const float pixelsX = static_cast<float>(viewport[2]) / 2.0f;
  const float pixelsY = static_cast<float>(viewport[3]) / 2.0f;
  // Window pixels per texel along the texture's two axes, and where texel
  // (0, 0)'s corner lands.
  const float xx = m[0] * pixelsX * unitsPerTexelX, xy = m[1] * pixelsY * unitsPerTexelX;
  const float yx = m[4] * pixelsX * unitsPerTexelY, yy = m[5] * pixelsY * unitsPerTexelY;
  const float cornerX = (m[12] + 1.0f) * pixelsX + static_cast<float>(viewport[0]);
  const float cornerY = (m[13] + 1.0f) * pixelsY + static_cast<float>(viewport[1]);
  return near(std::fabs(xx), 1.0f) && near(xy, 0.0f) && near(yx, 0.0f) && near(std::fabs(yy), 1.0f) &&
         near(cornerX, std::round(cornerX)) && near(cornerY, std::round(cornerY));
}

}  // namespace orb
