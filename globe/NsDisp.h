#pragma once
#include "globe/OverlayFade.h"
#include <memory>

#include "gfx/Vec2.h"
#include "gfx/Vec3.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Texture;

// "N" and "S" labels at the screen positions of the poles (just beyond the
// globe's surface), each fading as its pole turns away from the viewer. Drawn
// in the 2D pass (task layer 4); fades in over 2 s, out after the game ends
// (11), and leaves at once on 12.
class NsDisp : public TaskProc {
 public:
  // Label cuts in "devdata/game.png", fixed by the atlas: source rectangle and pivot.
  struct Label {
    float x0, y0, x1, y1;
    float pivotX, pivotY;
  };
  static constexpr Label kNorth{365.0f, 68.0f, 396.0f, 108.0f, 15.0f, 20.0f};
  static constexpr Label kSouth{396.0f, 68.0f, 422.0f, 108.0f, 13.0f, 20.0f};
  // Window depths differ by tiny amounts; this stretches them so the
  // direction from the centre to a pole reads its tilt towards the viewer.
  static constexpr float kDepthStretch = 100000.0f;

  // context: the game's shared record (cameras, earth, textures, params "nsdisp").
  explicit NsDisp(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  static constexpr float kFadeTime = OverlayFade::kFadeTime;

  float alpha() const { return fade_.alpha(); }
  bool closing() const { return fade_.closing(); }
  // Visibility of a pole from its projected point and the projected centre
  // (window coordinates and depth): 1 while the pole faces the viewer or sits
  // on the silhouette, falling to 0 as it points straight away.
  static float poleFade(const Vec3& pole, const Vec3& centre);

 private:
  void drawLabel(const Label& label, const Vec3& pole, const Vec3& centre,
                 const double* modelView) const;

  GameContext* context_;
  std::shared_ptr<Texture> atlas_;
  float scale_ = 1.0f;  // "scale": label distance from the centre / globe radius
  // The fade: in from 0 at creation, out from the current alpha after 11.
  OverlayFade fade_;
};

}  // namespace orb
