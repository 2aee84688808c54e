#pragma once
#include "gfx/GrpBase.h"

namespace orb {

// A line from the local origin to (endX, endY), untextured.
class GrpLine : public GrpBase {
 public:
  void draw() override;

  float endX = 0.0f;
  float endY = 0.0f;
  bool smooth = false;  // line antialiasing
  float lineWidth = 1.0f;
};

}  // namespace orb
