#include "gfx/GrpRoundBox.h"

#include <GL/gl.h>

#include "gfx/BlendMode.h"
#include "gfx/GrpSprite.h"

namespace orb {
namespace {

// The border of a sliced box: its grid of 4 x 4 vertices cut into nine
// quads, all but the middle one, as triangles.
constexpr GLubyte kBorder[] = {
    0, 4, 1, 1, 4, 5,   1, 5, 2, 2, 5, 6,    2, 6, 3, 3, 6, 7,  4, 8, 5, 5, 8, 9,
    6, 10, 7, 7, 10, 11, 8, 12, 9, 9, 12, 13, 9, 13, 10, 10, 13, 14, 10, 14, 11, 11, 14, 15};
constexpr GLubyte kMiddle[] = {5, 9, 6, 6, 9, 10};

}  // namespace

void GrpRoundBox::draw() {
  if (drawsNothing(blendMode, a) || !bindForDrawing(texture.get(), smooth)) return;
  applyBlendMode(blendMode);
  pushTransform();
  applyColor();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  const float border = slicedBorder();
  if (border > 0.0f) {
    drawSliced(border);
  } else {
    drawFan();
  }
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  popTransform();
}

float GrpRoundBox::slicedBorder() const {
  const FlatCentre& flat = texture->flatCentre;
  // Box units are texels only when the image fills its texture.
  if (!flat.found() || texture->texWidth != texture->width || texture->texHeight != texture->height) return 0.0f;
  // One texel more than the painted margin, so that filtering at the border's
  // inner edge already reads only the flat texels.
  const float border = static_cast<float>(flat.margin + 1);
  return width >= 2.0f * border && height >= 2.0f * border ? border : 0.0f;
}

void GrpRoundBox::drawFan() const {
  const float du = width / (2.0f * static_cast<float>(texture->width));
  const float dv = height / (2.0f * static_cast<float>(texture->height));
  const float w = width, h = height, hw = width / 2, hh = height / 2;
  const float vertices[] = {hw, hh, hw, 0, 0, 0, 0, hh, 0, h, hw, h, w, h, w, hh, w, 0, hw, 0};
  const float texCoords[] = {du, dv, du, 0, 0, 0, 0, dv, 0, 0, du, 0, 0, 0, 0, dv, 0, 0, du, 0};
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 10);
}

void GrpRoundBox::drawSliced(float border) const {
  // The same picture as the fan: past the border the fan's texture lookups
  // would all read the flat colour, so the middle is filled without them.
  const float xs[] = {0.0f, border, width - border, width};
  const float ys[] = {0.0f, border, height - border, height};
  const float u = border / static_cast<float>(texture->width);
  const float v = border / static_cast<float>(texture->height);
  const float us[] = {0.0f, u, u, 0.0f};
  const float vs[] = {0.0f, v, v, 0.0f};
  float vertices[32], texCoords[32];
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      const int i = 2 * (4 * row + column);
      vertices[i] = xs[column];
      vertices[i + 1] = ys[row];
      texCoords[i] = us[column];
      texCoords[i + 1] = vs[row];
    }
  }
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);

  const auto& c = texture->flatCentre.colour;
  glDisable(GL_TEXTURE_2D);
  glColor4f(r * c[0] / 255.0f, g * c[1] / 255.0f, b * c[2] / 255.0f, a * c[3] / 255.0f);
  glDrawElements(GL_TRIANGLES, sizeof kMiddle, GL_UNSIGNED_BYTE, kMiddle);
  glEnable(GL_TEXTURE_2D);
  applyColor();
  glDrawElements(GL_TRIANGLES, sizeof kBorder, GL_UNSIGNED_BYTE, kBorder);
}

}  // namespace orb
