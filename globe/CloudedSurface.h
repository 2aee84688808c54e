#pragma once
#include <array>
#include <vector>

#include "gfx/Vec2.h"

namespace orb {

class GlowProfile;
class SphereMesh;
class Texture;

// The lit surface, the cloud shadow on it, the cloud shell above it and the
// atmosphere's glow, in one pass over the globe's pixels instead of four: on a
// software renderer the globe's pixels are nearly the whole cost of a frame.
// A fragment program (the vertex stage stays fixed-function, so lighting and
// matrices are the usual ones) takes the shadow share of the clouds off the
// lit surface, screens the shell's clouds over it and adds the glow.
// The surface texture carries the clouds in its alpha (see CloudCover), so the
// ground and its shadow are one lookup and the shell another.
// The shell and the glow's sphere lie a little above the surface, so what is
// seen of them through a pixel is not straight above it: each frame their
// texture coordinates are found per vertex, where the line of sight through
// the vertex enters the shell and the glow's sphere. The picture is the
// layered one to within rounding inside the limb; outside it the halo is
// opaque and covers the rims of the shell and the glow anyway.
// A round glow image is looked up as its profile (see GlowProfile): a second
// program, the same picture, a cheaper lookup. A third, for a round glow under
// a clear sky, leaves out the shell's lookup.
// Needs a current GL 2.0 context for its whole life.
class CloudedSurface {
 public:
  CloudedSurface();

  // False when the driver refused the program (then draw nothing with it).
  bool ready() const { return squareGlow_.name != 0; }

  struct Layers {
    float shadow = 0;      // what a white cloud texel takes off the surface (0..1)
    float shell = 0;       // brightness of the shell's clouds (0..1)
    float shellScale = 1;  // shell radius / surface radius
    // The glow: a disc image seen along the line of sight, added to the
    // picture; null or a level of 0 leaves it out.
    const Texture* glow = nullptr;
    // The same glow as a profile (when its image is round), used instead.
    const GlowProfile* roundGlow = nullptr;
    float glowLevel = 0;
    float glowScale = 1;  // glow sphere radius / surface radius
    float glowZoom = 1;   // the image is scaled by 2 - glowZoom about its centre
  };
  // Draws sphere (the surface mesh, with the current model-view, which holds
  // the globe's spin) with surface (clouds in its alpha) on unit 0 and
  // the glow on unit 1. Leaves fixed-function drawing and unit 0 current.
  void draw(const SphereMesh& sphere, const Texture& surface, const Layers& how);

 private:
  // Per vertex, where the line of sight enters the shell (texture coordinates
  // continuing the vertex's own, so there is no jump at the seam) and where it
  // enters the glow's sphere (the glow image's coordinates there).
  void aim(const SphereMesh& sphere, const Layers& how);

  // The program for a glow image or a glow profile, with or without clouds.
  struct Program {
    Program(bool roundGlow, bool clouds);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    unsigned name = 0;
    unsigned shader = 0;
    int shadowAt = -1, shellAt = -1, glowAt = -1;
  };
  Program squareGlow_;
  Program roundGlow_;
  Program clearSky_;  // a glow profile and no clouds
  // Per vertex the shell's coordinates, then the glow's: one four-component
  // set, as GL 2.0 promises only two sets of texture coordinates.
  std::vector<std::array<float, 4>> aboveTexCoords_;
};

}  // namespace orb
