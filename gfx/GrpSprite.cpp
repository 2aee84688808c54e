#include "gfx/GrpSprite.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "gfx/BlendMode.h"
#include "gfx/PixelGrid.h"

namespace orb {

bool bindForDrawing(const Texture* texture, bool smooth) {
  if (texture == nullptr || texture->empty()) return false;
  glEnable(GL_TEXTURE_2D);
  texture->bind();
  const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  return true;
}

void GrpSprite::draw() {
  if (drawsNothing(blendMode, a) || texture == nullptr || texture->empty()) return;
  pushTransform();
  // Most HUD images are drawn at their own size on whole pixels.
  const bool wholeTexels = srcX0 == std::floor(srcX0) && srcY0 == std::floor(srcY0) &&
                           srcX1 == std::floor(srcX1) && srcY1 == std::floor(srcY1) && srcX0 != srcX1 &&
                           srcY0 != srcY1;
  const bool pixelExact =
      smooth && wholeTexels && texelsOnPixels(width / (srcX1 - srcX0), height / (srcY1 - srcY0));
  bindForDrawing(texture.get(), smooth && !pixelExact);
  applyBlendMode(blendMode);

  // The texels at the quad's left, right, top and bottom edges.
  float uL = srcX0, uR = srcX1, vT = srcY0, vB = srcY1;
  if (flipH) std::swap(uL, uR);
  if (flipV) std::swap(vT, vB);
  // The part of the source drawn: all of it, or with the alpha-weighted
  // blends only the part whose lookups can reach ink.
  float part[4] = {std::min(srcX0, srcX1), std::min(srcY0, srcY1), std::max(srcX0, srcX1), std::max(srcY0, srcY1)};
  if (wholeTexels && (blendMode == 0 || blendMode == 1) && texture->ink.known() && part[0] >= 0.0f &&
      part[1] >= 0.0f && part[2] <= static_cast<float>(texture->width) &&
      part[3] <= static_cast<float>(texture->height)) {
    const InkBounds::Box inked = texture->ink.drawnPart(
        {static_cast<int>(part[0]), static_cast<int>(part[1]), static_cast<int>(part[2]), static_cast<int>(part[3])});
    if (inked[2] <= inked[0] || inked[3] <= inked[1]) {
      popTransform();
      return;
    }
    for (int i = 0; i < 4; ++i) part[i] = static_cast<float>(inked[static_cast<std::size_t>(i)]);
  }
  // Where the part's edges fall in the quad; a source of no width stretches its one line.
  const float xa = uR != uL ? (part[0] - uL) / (uR - uL) * width : 0.0f;
  const float xb = uR != uL ? (part[2] - uL) / (uR - uL) * width : width;
  const float ya = vB != vT ? (part[1] - vT) / (vB - vT) * height : 0.0f;
  const float yb = vB != vT ? (part[3] - vT) / (vB - vT) * height : height;
  const float su = texture->usedU / static_cast<float>(texture->width);
  const float sv = texture->usedV / static_cast<float>(texture->height);
  const float ua = part[0] * su, ub = part[2] * su, va = part[1] * sv, vb = part[3] * sv;
  const float vertices[] = {xa, ya, xa, yb, xb, ya, xb, yb};
  const float texCoords[] = {ua, va, ua, vb, ub, va, ub, vb};
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  popTransform();
}

}  // namespace orb
