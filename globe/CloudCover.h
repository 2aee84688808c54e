#pragma once
#include <string>
#include <vector>

#include "gfx/PngImage.h"

namespace orb {

// The cloud image as one brightness byte per texel. The one-pass globe carries
// it in the alpha of the surface texture: one lookup then gives the ground and
// the cloud shadow on it, a second the shell's clouds above, where three
// lookups in two textures were needed before. The cloud image is grey, so its
// red channel is its brightness.
class CloudCover {
 public:
  // A file that is missing or does not decode leaves an empty cover after one
  // line on stderr.
  explicit CloudCover(const std::string& path);

  bool empty() const { return brightness_.empty(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // The surface image with the clouds as its alpha. A cloud image of another
  // size is resampled to the surface's (bilinear, wrapping east-west as the
  // globe does). An empty surface gives an empty image.
  PngImage under(const PngImage& surface) const;

 private:
  // Brightness at (x, y) in cloud texels, between texel centres.
  unsigned char sample(float x, float y) const;

  std::vector<unsigned char> brightness_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace orb
