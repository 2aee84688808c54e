#include "gfx/Texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/ImagePreload.h"
#include "gfx/PngImage.h"

namespace orb {
namespace {

// Copies the image into the top-left of a texW x texH buffer and repeats its
// last column and row into the padding, so linear filtering at the image's
// right and bottom edges does not blend in undefined texels.
std::vector<unsigned char> padToTexture(const PngImage& image, int texW, int texH) {
  const std::size_t ch = static_cast<std::size_t>(image.channels());
  const std::size_t srcRow = image.rowBytes();
  const std::size_t dstRow = static_cast<std::size_t>(texW) * ch;
  std::vector<unsigned char> out(dstRow * static_cast<std::size_t>(texH));
  for (int y = 0; y < texH; ++y) {
    const int sy = y < image.height ? y : image.height - 1;
    unsigned char* dst = out.data() + static_cast<std::size_t>(y) * dstRow;
    const unsigned char* src = image.pixels.data() + static_cast<std::size_t>(sy) * srcRow;
    std::memcpy(dst, src, srcRow);
    const unsigned char* last = src + srcRow - ch;
    for (std::size_t x = srcRow; x < dstRow; x += ch) std::memcpy(dst + x, last, ch);
  }
  return out;
}

// The mipmap level below a w x h level of ch channels: each texel the rounded
// mean of the 2 x 2 texels it covers, or the truncated mean of 2 once a side
// is down to 1. That is GLU's box filter to the byte, so pictures stay as they
// were, at a fraction of gluBuild2DMipmaps' time (a third of start-up's wait
// for the earth image went there).
std::vector<unsigned char> halve(const unsigned char* above, int w, int h, int ch) {
  const int halfW = std::max(1, w / 2), halfH = std::max(1, h / 2);
  const std::size_t c = static_cast<std::size_t>(ch);
  const std::size_t row = static_cast<std::size_t>(w) * c;
  std::vector<unsigned char> below(static_cast<std::size_t>(halfW) * static_cast<std::size_t>(halfH) * c);
  unsigned char* out = below.data();
  if (w == 1 || h == 1) {
    const std::size_t step = w == 1 ? row : c;  // the next texel along the one long side
    const int n = std::max(halfW, halfH);
    for (int i = 0; i < n; ++i) {
      const unsigned char* in = above + static_cast<std::size_t>(i) * 2 * step;
      for (std::size_t k = 0; k < c; ++k) *out++ = static_cast<unsigned char>((in[k] + in[step + k]) / 2);
    }
    return below;
  }
  for (int y = 0; y < halfH; ++y) {
    const unsigned char* top = above + static_cast<std::size_t>(2 * y) * row;
    const unsigned char* bottom = top + row;
    for (int x = 0; x < halfW; ++x, top += 2 * c, bottom += 2 * c) {
      for (std::size_t k = 0; k < c; ++k) {
        *out++ = static_cast<unsigned char>((top[k] + top[c + k] + bottom[k] + bottom[c + k] + 2) / 4);
      }
    }
  }
  return below;
}

}  // namespace

Texture::Texture(const std::string& path, bool mip) : name(baseName(path)) {
  glGenTextures(1, &glName);
  mipmapped = mip ? 1 : 0;
  load(path);
}

Texture::Texture(const PngImage& image, const std::string& textureName, bool mip) : name(textureName) {
  glGenTextures(1, &glName);
  mipmapped = mip ? 1 : 0;
  upload(image);
}

Texture::~Texture() { glDeleteTextures(1, &glName); }

void Texture::bind() const { glBindTexture(GL_TEXTURE_2D, glName); }

std::string Texture::baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = file.find_last_of('.');
  if (dot != std::string::npos) file.erase(dot);
  return file;
}

int Texture::nextPowerOfTwo(int size) {
  int p = 1;
  while (p < size) p *= 2;
  return p;
}

bool Texture::load(const std::string& path) {
  PngImage image;
  std::string error;
  if (!ImagePreload::load(path, image, error)) {
    std::fprintf(stderr, "texture %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  upload(image);
  return true;
}

void Texture::upload(const PngImage& image) {
  if (image.empty()) return;
  GLint packAlignment = 4, unpackAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, glName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  mipmapped ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);

  width = image.width;
  height = image.height;
  texWidth = nextPowerOfTwo(width);
  texHeight = nextPowerOfTwo(height);
  usedU = static_cast<float>(width) / static_cast<float>(texWidth);
  usedV = static_cast<float>(height) / static_cast<float>(texHeight);
  flatCentre = FlatCentre::measure(image);
  ink = InkBounds::measure(image);

  // GL reads texWidth x texHeight texels, so a non-power-of-two image is padded
  // first rather than letting GL read past the decoded pixels.
  std::vector<unsigned char> padded;
  const unsigned char* pixels = image.pixels.data();
  if (texWidth != width || texHeight != height) {
    padded = padToTexture(image, texWidth, texHeight);
    pixels = padded.data();
  }
  const GLenum format = image.format == PngImage::kRgb ? GL_RGB : GL_RGBA;
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE,
               pixels);
  if (mipmapped) {
    std::vector<unsigned char> level;
    for (int w = texWidth, h = texHeight, n = 1; w > 1 || h > 1; ++n) {
      level = halve(n == 1 ? pixels : level.data(), w, h, image.channels());
      w = std::max(1, w / 2);
      h = std::max(1, h / 2);
      glTexImage2D(GL_TEXTURE_2D, n, static_cast<GLint>(format), w, h, 0, format, GL_UNSIGNED_BYTE, level.data());
    }
  }
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

}  // namespace orb
