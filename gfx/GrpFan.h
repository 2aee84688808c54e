#pragma once
#include <memory>

#include "gfx/GrpBase.h"
#include "gfx/Texture.h"

namespace orb {

// A pie slice or disc about the local origin. Angle 0 points along +y (down
// on screen) and the sweep grows towards +x; sweep 2 pi is a full circle.
// Textured fans take one texel for the centre and one for the rim, which
// gives the clock faces their gradient.
class GrpFan : public GrpBase {
 public:
  void draw() override;

  float radiusX = 0.0f;
  float radiusY = 0.0f;
  float srcX0 = 0.0f;  // texel (image pixels) colouring the centre
  float srcY0 = 0.0f;
  float srcX1 = 0.0f;  // texel colouring the rim
  float srcY1 = 0.0f;
  bool smooth = false;
  float lineWidth = 1.0f;
  bool filled = false;    // triangle fan, else the outline including both radii
  bool textured = false;  // texture is used only when set
  std::shared_ptr<Texture> texture;
  int segments = 10;      // fewer than 1 draws nothing
  float sweep = 0.0f;     // radians covered
};

}  // namespace orb
