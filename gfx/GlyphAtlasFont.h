#pragma once
#include <FTGL/ftgl.h>
#include <GL/gl.h>

#include <vector>

namespace orb {

// FTGL's texture font with its glyphs packed into small textures made as they
// fill. FTGL alone sizes its one texture for every glyph of the face at the
// largest glyph box, up to the driver's largest texture: 16 MiB for a text
// face under Mesa, and as much again while it is cleared, for the few dozen
// glyphs a screen shows. Each glyph is the same FTTextureGlyph as before, with
// the same three empty texels around it, so text looks exactly as it did.
// Needs a current GL context for its whole life.
class GlyphAtlasFont : public FTTextureFont {
 public:
  explicit GlyphAtlasFont(const char* path) : FTTextureFont(path) {}
  ~GlyphAtlasFont() override;
  GlyphAtlasFont(const GlyphAtlasFont&) = delete;
  GlyphAtlasFont& operator=(const GlyphAtlasFont&) = delete;

  FTGlyph* MakeGlyph(FT_GlyphSlot slot) override;

  std::size_t textureCount() const { return textures_.size(); }

 private:
  struct Page {
    GLuint name = 0;
    int side = 0;       // texels, square
    int x = 0, y = 0;   // where the next glyph goes
    int rowHeight = 0;  // tallest glyph in the current row
  };
  void addPage(int minSide);

  std::vector<GLuint> textures_;
  Page page_;
};

}  // namespace orb
