#include "gfx/GrpSprite.h"

#include <GL/gl.h>

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
  const float su = texture->usedU / static_cast<float>(texture->width);
  const float sv = texture->usedV / static_cast<float>(texture->height);
  float uL = srcX0 * su, uR = srcX1 * su;
  float vT = srcY0 * sv, vB = srcY1 * sv;
  if (flipH) std::swap(uL, uR);
  if (flipV) std::swap(vT, vB);
  const float vertices[] = {0, 0, 0, height, width, 0, width, height};
  const float texCoords[] = {uL, vT, uL, vB, uR, vT, uR, vB};
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
