#include "gfx/Texture.h"

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/GlContext.h"
#include "gfx/PngImage.h"
#include "gfx/TextureCache.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

std::string fixturePath(const std::string& file) {
  return test::sourceDir() + "tests/gfx/fixtures/" + file;
}

TEST(Texture, BaseNameAndPowersOfTwo) {
  EXPECT_EQ("game", Texture::baseName("devdata/game.png"));
  EXPECT_EQ("game", Texture::baseName("/elsewhere/deep/game.png"));
  EXPECT_EQ("earth.night", Texture::baseName("devdata/earth.night.png"));
  EXPECT_EQ("round", Texture::baseName("round"));
  EXPECT_EQ("noext", Texture::baseName("dir.d/noext"));
  EXPECT_EQ(1, Texture::nextPowerOfTwo(0));
  EXPECT_EQ(1, Texture::nextPowerOfTwo(1));
  EXPECT_EQ(512, Texture::nextPowerOfTwo(300));
  EXPECT_EQ(256, Texture::nextPowerOfTwo(256));
}

TEST(Texture, NonPowerOfTwoImageIsPadded) {
  ORB_REQUIRE_GL();
  const Texture tex(fixturePath("rgb300x200.png"), false);
  EXPECT_EQ("rgb300x200", tex.name);
  EXPECT_EQ(300, tex.width);
  EXPECT_EQ(200, tex.height);
  EXPECT_EQ(512, tex.texWidth);
  EXPECT_EQ(256, tex.texHeight);
  EXPECT_FLOAT_EQ(0.5859375f, tex.usedU);
  EXPECT_FLOAT_EQ(0.78125f, tex.usedV);
  tex.bind();
  GLint w = 0, h = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  EXPECT_EQ(512, w);
  EXPECT_EQ(256, h);
  // Texel row 0 is the image's top row; the padding repeats the edge.
  std::vector<unsigned char> texels(512 * 256 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(255, texels[0]);                          // red top-left
  EXPECT_EQ(255, texels[(199 * 512 + 299) * 3 + 2]);  // blue bottom-right of the image
  EXPECT_EQ(255, texels[(255 * 512 + 511) * 3 + 2]);  // padding continues the corner
  EXPECT_EQ(255, texels[(0 * 512 + 400) * 3 + 1]);    // and the top row's green
}

// Every mipmap level is GLU's box filter to the byte, for a large RGB map, an
// RGBA image, and the thin shapes whose last levels average pairs.
TEST(Texture, MipmapsAreGlusToTheByte) {
  ORB_REQUIRE_GL();
  std::vector<PngImage> images;
  std::string error;
  images.emplace_back();
  ASSERT_TRUE(images.back().load(test::sourceDir() + "devdata/earth_01.png", error)) << error;
  unsigned seed = 7;
  const auto noise = [&](int format, int w, int h) {
    PngImage image;
    image.format = format;
    image.width = w;
    image.height = h;
    image.pixels.resize(image.rowBytes() * static_cast<std::size_t>(h));
    for (unsigned char& c : image.pixels) c = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    return image;
  };
  images.push_back(noise(PngImage::kRgba, 64, 16));
  images.push_back(noise(PngImage::kRgb, 1, 8));
  images.push_back(noise(PngImage::kRgba, 8, 1));
  for (const PngImage& image : images) {
    SCOPED_TRACE(std::to_string(image.width) + " x " + std::to_string(image.height));
    const Texture ours(image, "ours", true);
    GLuint glu = 0;
    glGenTextures(1, &glu);
    glBindTexture(GL_TEXTURE_2D, glu);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = image.format == PngImage::kRgb ? GL_RGB : GL_RGBA;
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), image.width, image.height, format,
                      GL_UNSIGNED_BYTE, image.pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    int levels = 0;
    for (int w = image.width, h = image.height, level = 0;; ++level, w = std::max(1, w / 2), h = std::max(1, h / 2)) {
      std::vector<unsigned char> a(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4),
          b(a.size());
      ours.bind();
      glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, a.data());
      glBindTexture(GL_TEXTURE_2D, glu);
      glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, b.data());
      EXPECT_TRUE(a == b) << "level " << level;
      ++levels;
      if (w == 1 && h == 1) break;
    }
    EXPECT_GT(levels, 3);
    glDeleteTextures(1, &glu);
  }
}

TEST(Texture, BadFilesGiveEmptyTexturesAndOneLine) {
  ORB_REQUIRE_GL();
  for (const char* file : {"truncated.png", "empty.png", "notpng.png", "missing.png"}) {
    SCOPED_TRACE(file);
    testing::internal::CaptureStderr();
    const Texture tex(fixturePath(file), false);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(tex.empty());
    EXPECT_EQ(0, tex.texWidth);
    EXPECT_EQ(0.0f, tex.usedU);
    EXPECT_NE(0u, tex.glName);
    EXPECT_NE(std::string::npos, err.find(file)) << err;
    EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << err;
    tex.bind();
    GLint w = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    EXPECT_EQ(0, w) << "no upload from an empty image";
  }
}

TEST(TextureCache, SharesOneTexturePerBaseName) {
  ORB_REQUIRE_GL();
  const std::string dir = test::scratchDir("texture_cache");
  test::writeFile(dir + "rgb16.png", test::readFile(fixturePath("rgb16.png")));
  TextureCache cache;
  auto a = cache.getTexture(fixturePath("rgb16.png"));
  auto b = cache.getTexture(dir + "rgb16.png");
  auto c = cache.getTexture(fixturePath("grey8.png"));
  EXPECT_EQ(a.get(), b.get());
  EXPECT_NE(a.get(), c.get());
  EXPECT_EQ(2u, cache.size());
  EXPECT_EQ(5, a->width);
  EXPECT_EQ(0, a->mipmapped);
  // The cache keeps its entry alive after the callers let go.
  const GLuint name = a->glName;
  a.reset();
  b.reset();
  EXPECT_EQ(name, cache.getTexture("anything/rgb16.png")->glName);
}

// The texels GL holds for the texture (RGBA, as the atlases are).
std::vector<unsigned char> texels(const Texture& tex) {
  std::vector<unsigned char> out(static_cast<std::size_t>(tex.texWidth) * tex.texHeight * 4);
  tex.bind();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
  return out;
}

std::vector<unsigned char> decoded(const std::string& path) {
  const std::string bytes = test::readFile(path);
  PngImage image;
  std::string error;
  EXPECT_TRUE(image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error))
      << path << ": " << error;
  return image.pixels;
}

TEST(TextureCache, AtlasesWithWordsFollowTheLanguageInPlace) {
  ORB_REQUIRE_GL();
  const std::string data = test::sourceDir() + "devdata/";
  TextureCache cache;
  auto title = cache.getTexture(data + "title.png");
  const GLuint name = title->glName;
  ASSERT_EQ(decoded(data + "title.png"), texels(*title)) << "English before any choice";

  // A screen built before the choice keeps its pointer and draws the German words.
  cache.setLanguage("de");
  EXPECT_EQ(name, title->glName);
  EXPECT_EQ(decoded(data + "lang/de/title.png"), texels(*title));
  EXPECT_EQ(title.get(), cache.getTexture(data + "title.png").get());

  // A language without its own images, and a code that tries to leave the
  // data folder, both mean the English images.
  for (const char* code : {"xx", "../lang/de", "en", ""}) {
    SCOPED_TRACE(code);
    cache.setLanguage(code);
    EXPECT_EQ(decoded(data + "title.png"), texels(*title));
  }

  // Chosen first: the German atlas is the one loaded; an image without words
  // has no per-language copy and comes from devdata/ itself.
  TextureCache german;
  german.setLanguage("de");
  EXPECT_EQ(decoded(data + "lang/de/game.png"), texels(*german.getTexture(data + "game.png")));
  EXPECT_EQ(data + "round.png", german.resolve(data + "round.png"));
  EXPECT_FALSE(german.getTexture(data + "round.png")->empty());
}

}  // namespace
}  // namespace orb
