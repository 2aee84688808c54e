#pragma once
#include "game/GlowTexture.h"
#include "game/SphereOutline.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Place;

// A place shown on the globe: its outline as a glowing line along the surface
// with a translucent fill, and, when the place is too small to see at the
// camera's distance, a ring at its centre. The game reveals the asked place
// after a miss or a time-out and flashes it after a right answer; explore
// shows the tapped place. Lives in the 3D overlay layer, drawn in the globe's
// own frame so it turns with the earth. Leaves on kMsgBackToTitle.
class PlaceOutline : public TaskProc {
 public:
  // Reads "learn"."outline" from the context's parameters.
  explicit PlaceOutline(GameContext* context);

  // Full strength until hide() or the next show, reveal or flash. The place's
  // polygons are copied.
  void show(const Place& place);
  // Full strength, fading to nothing over seconds.
  void reveal(const Place& place, float seconds);
  // A short flash in the feedback palette's "right" colour.
  void flash(const Place& place);
  // Gone at once.
  void hide();
  // Fades what is shown out over the "hide_time" parameter.
  void fadeOut();

  bool visible() const { return strength() > 0.0f; }
  // 0..1: how strongly the outline is drawn now.
  float strength() const;
  // Whether the ring marks the place this frame (too small to see).
  bool ringShown() const { return ringShown_; }
  const SphereOutline& outline() const { return outline_; }

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

 private:
  struct Rgb {
    float r, g, b;
  };
  void start(const Place& place, float seconds, Rgb colour);

  GameContext* context_;
  SphereOutline outline_;
  Rgb answerColour_{1.0f, 0.82f, 0.3f};
  Rgb colour_{1.0f, 0.82f, 0.3f};
  float width_ = 2.0f, glowWidth_ = 7.0f, glowAlpha_ = 0.3f, fillAlpha_ = 0.25f;
  float lift_ = 1.002f, step_ = 0.005f, flashTime_ = 0.8f, hideTime_ = 0.3f;
  float smallPx_ = 6.0f, ringPx_ = 14.0f;
  float tolerancePx_ = 1.5f;  // how far a dropped vertex may lie from the line, in pixels
  GlowTexture glow_;
  bool stencil_ = false;
  bool steady_ = false;   // shown until hidden
  float clock_ = 0.0f, duration_ = 0.0f;
  float fadeFrom_ = 1.0f;  // strength a fade-out starts from
  bool ringShown_ = false;
};

}  // namespace orb
