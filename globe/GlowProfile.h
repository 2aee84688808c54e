#pragma once
#include <GL/gl.h>

#include <array>
#include <vector>

namespace orb {

struct PngImage;

// The glow's image is painted round its centre: every texel at the same
// distance from the centre has the same colour. Such an image is a line of
// colours looked up by that distance, and a software renderer samples a line
// in a good deal less time than a square. The profile runs from the centre
// (texture coordinate 0) to twice the image's radius (coordinate 1), so the
// corners and whatever lies beyond the image are in it too, as the square's
// edge texels. An image that is not round gives no profile, and the square
// stays in use.
class GlowProfile {
 public:
  using Texel = std::array<unsigned char, 4>;
  // How far (of 255, in any channel) a texel of a round image may lie from
  // the profile at its distance: rounding and the bilinear samples it is
  // measured with, not a shape.
  static constexpr int kTolerance = 3;

  // The profile of image, one texel per image texel of radius; empty when the
  // image is empty, not square, or not round.
  static std::vector<Texel> measure(const PngImage& image);

  // Measures image and uploads the profile as a 1D texture (needs a current GL
  // context for its whole life); not ready when there is no profile.
  explicit GlowProfile(const PngImage& image);
  ~GlowProfile();
  GlowProfile(const GlowProfile&) = delete;
  GlowProfile& operator=(const GlowProfile&) = delete;

  bool ready() const { return glName_ != 0; }
  // Binds the profile to GL_TEXTURE_1D of the active unit.
  void bind() const;

 private:
  GLuint glName_ = 0;
};

}  // namespace orb
