#include "gfx/GlyphAtlasFont.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PixelProbe.h"

namespace orb {
namespace {

const char kTextFont[] = "devdata/fonts/Inter-SemiBold.otf";
const char kDisplayFont[] = "devdata/fonts/Comfortaa-Bold.ttf";

// The picture of `text` drawn by `font` at a fractional place and scale, as
// the game's widgets draw, read back over the whole window.
std::vector<unsigned char> drawn(FTFont& font, const std::string& text) {
  test::begin2D();
  glColor4f(1.0f, 0.9f, 0.6f, 1.0f);
  glPushMatrix();
  glTranslatef(-431.37f, 20.6f, 0.0f);
  glScalef(1.13f, -1.13f, 1.0f);  // FTGL draws y-up
  font.Render(text.c_str());
  glPopMatrix();
  glFinish();
  std::vector<unsigned char> px(static_cast<std::size_t>(test::kGlWidth) * test::kGlHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, test::kGlWidth, test::kGlHeight, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  return px;
}

// Bytes that differ by more than one step: the glyphs' texture coordinates
// are the same texels over a smaller texture, so the rasteriser's rounding
// may move a rare edge pixel by one step, never more.
int differingBytes(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) n += std::abs(a[i] - b[i]) > 1 ? 1 : 0;
  return n;
}

int litBytes(const std::vector<unsigned char>& a) {
  int n = 0;
  for (unsigned char c : a) n += c > 0 ? 1 : 0;
  return n;
}

// Every glyph of Latin-1 and Latin Extended-A, as UTF-8.
std::string latinRepertoire() {
  std::string s;
  for (unsigned c = 0x21; c < 0x7f; ++c) s += static_cast<char>(c);
  for (unsigned c = 0xa1; c < 0x180; ++c) {
    s += static_cast<char>(0xc0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3f));
  }
  return s;
}

TEST(GlyphAtlasFont, TextLooksExactlyAsFtglsOwnTextureFontDrewIt) {
  ORB_REQUIRE_GL();
  struct Row {
    const char* file;
    unsigned size;
  } rows[] = {{kTextFont, 22}, {kTextFont, 34}, {kDisplayFont, 40}};
  const std::string text = "Côte d'Ivoire, São Tomé, Curaçao 0123 Łódź";
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.file) + " " + std::to_string(row.size));
    const std::string path = test::sourceDir() + row.file;
    FTTextureFont ftgl(path.c_str());
    GlyphAtlasFont packed(path.c_str());
    ASSERT_TRUE(ftgl.FaceSize(row.size, 72));
    ASSERT_TRUE(packed.FaceSize(row.size, 72));
    const std::vector<unsigned char> before = drawn(ftgl, text);
    const std::vector<unsigned char> after = drawn(packed, text);
    EXPECT_GT(litBytes(after), 1000);
    EXPECT_EQ(0, differingBytes(before, after));
  }
}

TEST(GlyphAtlasFont, ManyGlyphsFillSmallPagesAndStillDrawTheSame) {
  ORB_REQUIRE_GL();
  const std::string path = test::sourceDir() + kTextFont;
  FTTextureFont ftgl(path.c_str());
  GlyphAtlasFont packed(path.c_str());
  ASSERT_TRUE(ftgl.FaceSize(40, 72));
  ASSERT_TRUE(packed.FaceSize(40, 72));
  packed.BBox(latinRepertoire().c_str());  // makes every glyph
  ASSERT_GE(packed.textureCount(), 2u) << "four hundred glyphs of 40 pt do not fit one page";
  EXPECT_LE(packed.textureCount(), 6u);
  // Glyphs from the first and the last page in one string.
  const std::string text = "A\xc5\xbe\xc5\xbf#\xc3\xa9";
  EXPECT_EQ(0, differingBytes(drawn(ftgl, text), drawn(packed, text)));
  EXPECT_EQ(0, differingBytes(drawn(ftgl, latinRepertoire().substr(0, 60)),
                              drawn(packed, latinRepertoire().substr(0, 60))));
}

}  // namespace
}  // namespace orb
