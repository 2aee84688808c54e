#pragma once

namespace orb {

// Base of the immediate-mode 2D primitives. Screens build them on the stack in
// their draw step, fill in the fields and call draw(); nothing is kept between
// frames. Coordinates are in the 2D overlay space (origin at the screen
// centre, y downward, one unit per 2D pixel).
class GrpBase {
 public:
  virtual ~GrpBase() = default;
  // Draws once with the current GL state; leaves the model-view matrix as it was.
  virtual void draw() {}

  int blendMode = 0;     // see BlendMode.h
  float x = 0.0f;        // position of the pivot
  float y = 0.0f;
  float pivotX = 0.0f;   // pivot in the primitive's own frame (origin at its top-left)
  float pivotY = 0.0f;
  float scaleX = 1.0f;   // scale about the pivot
  float scaleY = 1.0f;
  float r = 0.0f;        // colour for glColor4f
  float g = 0.0f;
  float b = 0.0f;
  float a = 1.0f;
  float rotation = 0.0f;  // radians about the pivot, clockwise on screen

 protected:
  // Pushes the model-view matrix and moves into the primitive's own frame.
  void pushTransform() const;
  static void popTransform();
  void applyColor() const;
};

}  // namespace orb
