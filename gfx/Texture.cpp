#include "gfx/Texture.h"

#include <GL/glu.h>

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

  // GL reads texWidth x texHeight texels, so a non-power-of-two image is padded
  // first rather than letting GL read past the decoded pixels.
  std::vector<unsigned char> padded;
  const unsigned char* pixels = image.pixels.data();
  if (texWidth != width || texHeight != height) {
    padded = padToTexture(image, texWidth, texHeight);
    pixels = padded.data();
  }
  const GLenum format = image.format == PngImage::kRgb ? GL_RGB : GL_RGBA;
  if (mipmapped) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), texWidth, texHeight, format,
                      GL_UNSIGNED_BYTE, pixels);
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), texWidth, texHeight, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
  }
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

}  // namespace orb
