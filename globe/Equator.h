#pragma once
#include "globe/OverlayFade.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// The equator as a red dashed circle round the globe. The part the globe
// stands in front of is not drawn (worked out from the limb, as there is no
// depth buffer); the part seen beyond the silhouette is fogged to black. Drawn
// in the 3D pass (task layer 2) with the camera's matrices; fades in over 2 s,
// out after the game ends (11), and leaves at once on 12.
class Equator : public TaskProc {
 public:
  static constexpr float kLineWidth = 2.0f;
  // Fog beyond the silhouette, in globe units, when "equator"."fog" does not
  // give [reach, reach lost at the far clip distance]: a nearer camera fades
  // the far half more gradually. These suit a globe of radius about 300; the
  // parameter scales them to the globe in use.
  static constexpr float kFogReach = 350.0f;
  static constexpr float kFogReachByDistance = 50.0f;

  // context: the game's shared record (camera, earth, params "equator").
  explicit Equator(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  static constexpr float kFadeTime = OverlayFade::kFadeTime;

  float alpha() const { return fade_.alpha(); }
  bool closing() const { return fade_.closing(); }
  // Linear fog range for a camera at distance from the centre of a globe of
  // radius, with the camera's far clip distance: from the silhouette's depth
  // over reach - reachByDistance * distance / far.
  static void fogRange(float distance, float radius, float far, float reach, float reachByDistance,
                       float& start, float& end);

 private:
  GameContext* context_;
  float scale_ = 1.0f;  // "scale": circle radius / globe radius
  int div_ = 0;         // "div": dashes
  // The fade: in from 0 at creation, out from the current alpha after 11.
  OverlayFade fade_;
};

}  // namespace orb
