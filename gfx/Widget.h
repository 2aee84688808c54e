#pragma once
#include <memory>

#include <picojson.h>

#include "gfx/Texture.h"
#include "gfx/Vec2.h"

namespace orb {

// A named, parameter-driven atlas image that screens draw and the touch menu
// hit-tests. Built from one widget object of the parameter file:
//   "pos" [x, y], "size" [w, h], "uv" [u, v], "col" [r, g, b, a] (required);
//   "center" [cx, cy], "scale" [sx, sy], "x_layout", "y_layout", "id" (optional).
// Positions are in the 2D overlay space (origin at the screen centre, y down);
// "x_layout"/"y_layout" move the anchor to a screen edge, so a widget keeps its
// distance from that edge whatever the window's shape.
class Widget {
 public:
  static constexpr int kAnchorLeft = 1;
  static constexpr int kAnchorRight = 2;
  static constexpr int kAnchorTop = 4;
  static constexpr int kAnchorBottom = 8;

  // screenSize points at the logical 2D screen's width and height (two ints)
  // and must outlive the widget; null means no edge shift.
  Widget(const picojson::value& params, std::shared_ptr<Texture> atlas, const int* screenSize);

  // The on-screen top-left corner of the hit rectangle (scale and rotation ignored).
  Vec2<float> topLeft() const;
  // Hit test, right and bottom edges included.
  bool contains(const Vec2<float>& p) const;
  void draw() const;
  // The shift that edge anchoring adds to the anchor position.
  Vec2<float> anchorOffset() const;

  float x = 0.0f, y = 0.0f;          // anchor position before edge anchoring
  float width = 0.0f, height = 0.0f; // drawn and hit size; also the atlas rectangle's size
  float u = 0.0f, v = 0.0f;          // atlas top-left, in pixels
  float centerX = 0.0f, centerY = 0.0f;  // pivot inside the widget (when not autoCenter)
  float scaleX = 1.0f, scaleY = 1.0f;
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
  int blendMode = 0;
  bool autoCenter = true;            // pivot at the middle ("center" absent or not an array)
  // Rest values that animations restore.
  float baseX = 0.0f, baseY = 0.0f, baseWidth = 0.0f, baseHeight = 0.0f;
  float baseU = 0.0f, baseV = 0.0f, baseCenterX = 0.0f, baseCenterY = 0.0f;
  std::shared_ptr<Texture> texture;
  int layoutFlags = 0;               // kAnchor* bits; 0 = anchored to the centre
  int id = 0;                        // free for the owning screen
  const int* screenSize = nullptr;
};

}  // namespace orb
