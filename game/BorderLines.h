#pragma once
#include <memory>
#include <string>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Country borders, and the division borders of the countries whose divisions
// the level asks, drawn as thin lines on the globe when the camera comes
// close, so they stay sharp where the earth image blurs. They fade in between
// "dist" and "full_dist" ("learn"."borders"). Nothing is read before the
// camera first comes within "dist"; then the outlines are read a few files a
// frame, cut down to what a pixel shows at the nearest zoom, and kept for the
// rest of the program run as float arrays per set, at two levels of detail:
// the coarse one is drawn while the lines are still faint. A division's country
// is the prefix of its place key ("us" of "us_ca"). Leaves on kMsgBackToTitle.
class BorderLines : public TaskProc {
 public:
  explicit BorderLines(GameContext* context);
  ~BorderLines() override;

  // The level's place keys: picks the division sets to draw.
  void setPlaces(const std::vector<std::string>& keys);

  float alpha() const { return alpha_; }
  // Sets wanted now whose files are all read.
  bool ready() const;
  // Segments the last frame drew (for measurements).
  std::size_t lastSegments() const { return lastSegments_; }
  // Floats held by every set read so far in this program run.
  static std::size_t heldFloats();

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  struct Set;

 private:
  void loadSome();

  GameContext* context_;
  std::vector<std::shared_ptr<Set>> wanted_;  // "countries" first
  float startDist_ = 800.0f, fullDist_ = 600.0f, maxAlpha_ = 0.6f, width_ = 1.0f, lift_ = 1.0f;
  float tolerance_ = 0.0f;  // radians of arc a dropped vertex may stray
  float nearestGap_ = 100.0f;  // globe surface to the eye at the nearest zoom, globe units
  int filesPerFrame_ = 8;
  float alpha_ = 0.0f;
  std::vector<float> visible_;  // this frame's segments of one set: xyz pairs
  std::size_t lastSegments_ = 0;
};

}  // namespace orb
