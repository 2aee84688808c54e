#include "gfx/GlyphAtlasFont.h"

#include <algorithm>

#include "gfx/Texture.h"

namespace orb {
namespace {

// Empty texels around every glyph, as FTGL leaves them: linear filtering at a
// glyph's edge then blends in nothing of its neighbour.
constexpr int kPadding = 3;
// A page holds a few dozen glyphs of the game's sizes; 256 KiB as alpha.
constexpr int kPageSide = 512;

}  // namespace

GlyphAtlasFont::~GlyphAtlasFont() {
  if (!textures_.empty()) glDeleteTextures(static_cast<GLsizei>(textures_.size()), textures_.data());
}

void GlyphAtlasFont::addPage(int minSide) {
  page_ = Page{};
  page_.side = Texture::nextPowerOfTwo(std::max(kPageSide, minSide));
  page_.x = page_.y = kPadding;
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGenTextures(1, &page_.name);
  glBindTexture(GL_TEXTURE_2D, page_.name);
  // The filters and wrap FTGL's own texture font sets.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  const std::vector<unsigned char> clear(static_cast<std::size_t>(page_.side) * static_cast<std::size_t>(page_.side));
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, page_.side, page_.side, 0, GL_ALPHA, GL_UNSIGNED_BYTE, clear.data());
  glPopClientAttrib();
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  textures_.push_back(page_.name);
}

FTGlyph* GlyphAtlasFont::MakeGlyph(FT_GlyphSlot slot) {
  // The glyph's bitmap size decides where it fits; FTTextureGlyph renders the
  // slot the same way, and a slot already rendered stays as it is. One that
  // does not render becomes an empty glyph that only advances the pen, as in FTGL.
  const bool rendered = FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 && slot->format == FT_GLYPH_FORMAT_BITMAP;
  const int w = rendered ? static_cast<int>(slot->bitmap.width) : 0;
  const int h = rendered ? static_cast<int>(slot->bitmap.rows) : 0;
  const int need = std::max(w, h) + 2 * kPadding;
  if (page_.name == 0) addPage(need);
  if (page_.x + w + kPadding > page_.side) {  // next row
    page_.x = kPadding;
    page_.y += page_.rowHeight + kPadding;
    page_.rowHeight = 0;
  }
  if (page_.y + h + kPadding > page_.side) addPage(need);
  // FTGL owns its glyphs: the font's glyph list deletes them.
  auto* glyph = new FTTextureGlyph(slot, static_cast<int>(page_.name), page_.x, page_.y, page_.side, page_.side);
  page_.x += w + kPadding;
  page_.rowHeight = std::max(page_.rowHeight, h);
  return glyph;
}

}  // namespace orb
