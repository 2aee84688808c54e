#pragma once
#include <vector>

#include "gfx/Vec2.h"

namespace orb {

class SphereMesh;
class Texture;

// The lit surface, the cloud shadow on it and the cloud shell above it, in one
// pass over the globe's pixels instead of three, the most expensive thing on a
// software renderer. A fragment program (the vertex stage stays fixed-function,
// so lighting and matrices are the usual ones) takes the shadow share of the
// cloud image off the lit surface, then screens the shell's clouds over it.
// The shell lies a little above the surface, so the clouds seen through a
// pixel are not those straight below it: each frame the shell's texture
// coordinates are found per vertex, where the line of sight through the
// vertex enters the shell. The picture is the three-pass one to within
// rounding inside the limb; outside it the halo covers the shell's rim anyway.
// Needs a current GL 2.0 context for its whole life.
class CloudedSurface {
 public:
  CloudedSurface();
  ~CloudedSurface();
  CloudedSurface(const CloudedSurface&) = delete;
  CloudedSurface& operator=(const CloudedSurface&) = delete;

  // False when the driver refused the program (then draw nothing with it).
  bool ready() const { return program_ != 0; }

  struct Clouds {
    float shadow = 0;      // what a white cloud texel takes off the surface (0..1)
    float shell = 0;       // brightness of the shell's clouds (0..1)
    float shellScale = 1;  // shell radius / surface radius
  };
  // Draws sphere (the surface mesh, with the current model-view, which holds
  // the globe's spin) with surface on unit 0 and clouds on unit 1. Leaves
  // fixed-function drawing and unit 0 current.
  void draw(const SphereMesh& sphere, const Texture& surface, const Texture& clouds, const Clouds& how);

 private:
  // Where the line of sight through each vertex enters the shell, as texture
  // coordinates continuing the vertex's own (no jump at the seam).
  void aimShell(const SphereMesh& sphere, float shellScale);

  unsigned program_ = 0;
  unsigned shader_ = 0;
  int shadowAt_ = -1, shellAt_ = -1;
  std::vector<Vec2<float>> shellTexCoords_;
};

}  // namespace orb
