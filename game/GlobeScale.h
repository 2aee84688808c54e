#pragma once

namespace orb {

class Camera;

// How large the globe's surface looks: window pixels per radian of arc at the
// point of the globe facing the eye.
class GlobeScale {
 public:
  // camera: the perspective camera (its extents and last viewport; a camera
  // never applied counts as 640 pixels high); radius: the globe's; distance:
  // eye to globe centre, both in globe units.
  static float pixelsPerRadian(const Camera& camera, float radius, float distance);
  // The same for a viewport of the given height in pixels.
  static float pixelsPerRadian(const Camera& camera, float radius, float distance, float viewportHeight);
  // The height the game's layout is drawn for (the normal view's window).
  static constexpr float kLayoutHeight = 640.0f;
};

}  // namespace orb
