#include "gfx/Font.h"

#include <FTGL/ftgl.h>
#include <GL/gl.h>

#include <cstdio>
#include <fstream>

#include "gfx/BlendMode.h"
#include "gfx/GlyphAtlasFont.h"
#include "gfx/MathConstants.h"

namespace orb {

Font::Font(const std::string& path, int size) : height(size) {
  // FTGL prints nothing useful for a missing file; check first so the line names it.
  if (!std::ifstream(path, std::ios::binary)) {
    std::fprintf(stderr, "font %s: cannot open file\n", path.c_str());
    return;
  }
  auto face = std::make_unique<GlyphAtlasFont>(path.c_str());
  if (face->Error() != 0) {
    std::fprintf(stderr, "font %s: not a usable font file (FreeType error %d)\n", path.c_str(),
                 face->Error());
    return;
  }
  if (size <= 0 || !face->FaceSize(static_cast<unsigned>(size), 72)) {
    std::fprintf(stderr, "font %s: cannot set size %d\n", path.c_str(), size);
    return;
  }
  face->UseDisplayList(false);
  face_ = std::move(face);
}

Font::~Font() = default;

Vec2<float> Font::measureText(const std::string& text) const {
  if (!face_ || text.empty()) return {0.0f, 0.0f};
  const FTBBox box = face_->BBox(text.c_str());
  const FTPoint lo = box.Lower(), hi = box.Upper();
  return {hi.Xf() - lo.Xf(), hi.Yf() - lo.Yf()};
}

float Font::inkMiddle(const std::string& text) const {
  if (!face_ || text.empty()) return 0.0f;
  const FTBBox box = face_->BBox(text.c_str());
  return (box.Lower().Xf() + box.Upper().Xf()) / 2.0f;
}

float Font::ascender() const { return face_ ? face_->Ascender() : 0.0f; }

float Font::descender() const { return face_ ? -face_->Descender() : 0.0f; }

void Font::drawText(const std::string& text) const {
  if (!face_ || text.empty()) return;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glRotatef(rotation * 180.0f / kPi, 0.0f, 0.0f, 1.0f);
  glScalef(scaleX, scaleY, 1.0f);
  glTranslatef(-pivotX, -pivotY, 0.0f);
  // FTGL draws y-up with the baseline at 0.
  glScalef(1.0f, -1.0f, 1.0f);
  applyBlendMode(blendMode);
  glColor4f(r, g, b, a);
  face_->Render(text.c_str(), -1, FTPoint(0, 0, 0), FTPoint(0, 0, 0), FTGL::RENDER_ALL);
  glPopMatrix();
}

}  // namespace orb
