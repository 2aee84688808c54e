#pragma once
#include "gfx/Easing.h"
#include <memory>
#include <vector>

#include "game/TrackPlayer.h"
#include "gfx/Vec2.h"
#include "gfx/Vec3.h"
#include "globe/RingMesh.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Texture;

// The ring laid on the globe where a correct tap landed: a textured annulus in
// the tangent plane at the tapped point, spinning, growing and fading along
// the "konahen"."easing" track (scale, alpha). Drawn in the 3D pass after the
// globe (task layer 2).
class Konahen : public TaskProc {
 public:
  static constexpr int kEasing = kEaseCubicInOut;  // cubic in-out, for segments of the track

  // context: the game's shared record (params "konahen", textures, earth). Needs a current GL context.
  explicit Konahen(GameContext* context);
  ~Konahen() override;
  Konahen(const Konahen&) = delete;
  Konahen& operator=(const Konahen&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool showing() const { return showing_; }
  float spin() const { return spin_; }        // degrees about the ring's axis
  float scale() const;                        // ring radius factor: "size" x track
  float alpha() const { return track_.value().y; }
  const Vec3& point() const { return point_; }  // tapped globe point
  // The strip: inner, outer, inner, ... vertices in ring units.
  const std::vector<Vec2<float>>& positions() const { return ring_->positions; }
  const std::vector<Vec2<float>>& texCoords() const { return ring_->texCoords; }

 private:
  GameContext* context_;
  std::shared_ptr<Texture> texture_;
  TrackPlayer track_;
  float rotate_ = 0.0f;  // degrees per second
  float size_ = 1.0f;    // globe units per ring unit
  bool showing_ = false;
  float spin_ = 0.0f;
  Vec3 point_;
  std::unique_ptr<RingMesh> ring_;
};

}  // namespace orb
