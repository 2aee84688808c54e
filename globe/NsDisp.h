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
// globe's surface). A label shows only while its pole is on the near side: it
// fades out as the pole crosses the limb and is gone while the globe hides the
// pole, so it is never drawn over the far side's land. It also keeps below the
// place-name box while the box shows (the box publishes its lower edge in the
// game context). Drawn in the
// 2D pass (task layer 4); fades in over 2 s, out after the game ends (11), and
// leaves at once on 12.
class NsDisp : public TaskProc {
 public:
  // Label cuts in "devdata/game.png", fixed by the atlas: source rectangle and pivot.
  struct Label {
    float x0, y0, x1, y1;
    float pivotX, pivotY;
  };
  static constexpr Label kNorth{365.0f, 68.0f, 396.0f, 108.0f, 15.0f, 20.0f};
  static constexpr Label kSouth{396.0f, 68.0f, 422.0f, 108.0f, 13.0f, 20.0f};
  // A label fades in while its pole rises this far in front of the limb
  // plane, in globe radii (about six degrees of tilt at the usual distance).
  static constexpr float kLimbFade = 0.1f;

  // context: the game's shared record (cameras, earth, textures, params
  // "nsdisp": "scale").
  explicit NsDisp(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  static constexpr float kFadeTime = OverlayFade::kFadeTime;

  float alpha() const { return fade_.alpha(); }
  bool closing() const { return fade_.closing(); }

 private:
  // point: where the label goes, in the globe's model frame; visibility: the
  // label's share of the overlay's alpha from its pole's side of the limb.
  void drawLabel(const Label& label, const Vec3& point, float visibility, const double* modelView) const;

  GameContext* context_;
  std::shared_ptr<Texture> atlas_;
  float scale_ = 1.0f;  // "scale": label distance from the centre / globe radius
  // The fade: in from 0 at creation, out from the current alpha after 11.
  OverlayFade fade_;
};

}  // namespace orb
