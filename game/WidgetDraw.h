#pragma once
// Drawing a shared game widget moved and tinted for one frame. The widget set
// is shared by every display task, so nothing here changes the widget itself:
// a copy is drawn instead.
#include "gfx/Vec2.h"

namespace orb {

class Widget;

struct Tint {
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// Draws w at its base position plus (dx, dy), coloured with tint (replacing
// the widget's own colour multiplied in: tint * widget colour) and scaled by
// scale about its pivot. A null widget draws nothing.
void drawWidget(const Widget* w, float dx, float dy, const Tint& tint, float scale = 1.0f);

// The widget's anchor point on screen: its "pos" after edge anchoring. With
// "center" [0, 0] this is the top-left corner, where tasks place digits.
Vec2<float> widgetAnchor(const Widget& w);

}  // namespace orb
