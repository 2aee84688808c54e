#pragma once
#include <vector>

#include "input/Touch.h"
#include "input/TouchCallBack.h"
#include "input/Vec2.h"

namespace orb {

// Hands touch events to the registered receivers, in registration order, and
// maps window pixels to layout units (origin at the viewport centre, y down).
class TouchDispatcher {
 public:
  struct Mapping {
    float logicalWidth = 640, logicalHeight = 480;  // layout size in layout units
    float offsetX = 0, offsetY = 0;                 // viewport origin in the window (letter-box margins)
    float windowWidth = 640, windowHeight = 480;    // window client size in pixels
  };

  void setMapping(const Mapping& mapping) { mapping_ = mapping; }
  const Mapping& mapping() const { return mapping_; }

  // Window point (pixels) to layout point; margins map outside +-logical/2, unclamped.
  Vec2<float> toLayout(float x, float y) const;
  Vec2<float> toLayout(const Vec2<float>& p) const { return toLayout(p.x, p.y); }

  void began(const Touches& touches);
  void moved(const Touches& touches);
  void ended(const Touches& touches);

  // A tap the keyboard makes at a window point: began and ended there, through
  // the same road as a mouse tap, so it is judged exactly like one.
  void keyTap(float x, float y);
  // True while a keyboard tap is on its way, so the receivers can tell the
  // keyboard's touches from the mouse's.
  bool fromKeys() const { return fromKeys_; }

  // Receivers register in their constructors and leave in their destructors.
  void add(TouchCallBack* receiver);
  void remove(TouchCallBack* receiver);  // removes the first entry equal to receiver
  const std::vector<TouchCallBack*>& receivers() const { return receivers_; }

 private:
  template <typename Call>
  void each(Call call);

  Mapping mapping_;
  std::vector<TouchCallBack*> receivers_;
  bool fromKeys_ = false;
};

}  // namespace orb
