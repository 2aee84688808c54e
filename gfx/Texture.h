#pragma once
#include <GL/gl.h>

#include <string>

#include "gfx/FlatCentre.h"
#include "gfx/InkBounds.h"

namespace orb {

struct PngImage;

// One PNG image uploaded into a GL 2D texture whose sides are powers of two.
// The image fills the texture's first width x height texels, top row at t = 0
// (nothing is flipped); usedU/usedV are the fractions it covers, so sprites
// can address it in image pixels. Needs a current GL context for its whole
// life. A file that is missing or does not decode leaves an empty texture
// (all sizes 0) after one line on stderr.
class Texture {
 public:
  Texture(const std::string& path, bool mipmapped);
  // An image made in memory, under the given name.
  Texture(const PngImage& image, const std::string& name, bool mipmapped);
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Binds the GL name to GL_TEXTURE_2D.
  void bind() const;
  // Loads another file into the same GL name (the texture cache switching an
  // atlas to another language), so every holder draws the new image at once.
  // A file that does not load leaves the current image and says so on stderr.
  bool replace(const std::string& path) { return load(path); }
  bool empty() const { return width == 0 || height == 0; }

  // "devdata/game.png" gives "game": the part after the last '/', without the
  // last '.' and what follows it. The texture cache is keyed by it.
  static std::string baseName(const std::string& path);
  // Smallest power of two >= size (1 for 0).
  static int nextPowerOfTwo(int size);

  int texWidth = 0;    // texture size in texels
  int texHeight = 0;
  GLuint glName = 0;
  int width = 0;       // image size in pixels
  int height = 0;
  float usedU = 0.0f;  // width / texWidth
  float usedV = 0.0f;  // height / texHeight
  std::string name;    // base name of the file
  int mipmapped = 0;
  FlatCentre flatCentre;  // measured on every upload, for boxes drawn from this image
  InkBounds ink;          // kept on every upload, for sprites cut from this image

 private:
  bool load(const std::string& path);
  void upload(const PngImage& image);
};

}  // namespace orb
