#pragma once
#include <functional>

#include "gfx/GrpBase.h"

namespace orb {

// An ellipse outline of `dashes` equal dashes and gaps, the first dash
// starting on the +y axis (down on screen).
class GrpDashedCircle : public GrpBase {
 public:
  void draw() override;

  float radiusX = 0.0f;
  float radiusY = 0.0f;
  bool smooth = false;
  float lineWidth = 1.0f;
  int dashes = 0;  // fewer than 1 draws nothing
  // When set, the parts of the outline for which it is false are left out: a
  // dash with one end out is cut where it leaves. Points are in the
  // primitive's own frame, before position, scale and rotation.
  std::function<bool(float x, float y)> visible;
};

}  // namespace orb
