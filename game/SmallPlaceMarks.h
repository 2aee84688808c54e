#pragma once
#include <string>
#include <vector>

#include "gfx/Vec3.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Faint circles on the globe around every place of the level that is smaller
// than a few pixels at the normal view (micro-states, small islands), shown
// while a question is open. Every small place of the level is marked, so a
// mark tells nothing about which one is asked; a tap inside the asked place's
// own circle counts as a hit on it (GameMain asks hits()). Sizes are fixed on
// the globe, from the camera's normal distance and the layout's height, so a
// judgement never depends on the window. Leaves on kMsgBackToTitle.
class SmallPlaceMarks : public TaskProc {
 public:
  // Reads "learn"."marks" and the camera's normal "dist" from the parameters.
  explicit SmallPlaceMarks(GameContext* context);

  // The level's place keys; their outlines are read once per program run.
  void setPlaces(const std::vector<std::string>& keys);
  // Whether unit globe point p lies inside key's circle (false when key is
  // not a small place of the level).
  bool hits(const std::string& key, const Vec3& p) const;

  struct Mark {
    std::string key;
    Vec3 centre;  // unit direction
  };
  const std::vector<Mark>& marks() const { return marks_; }
  float markAngle() const { return markAngle_; }  // circle radius, radians of arc
  float alpha() const { return alpha_; }

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

 private:
  GameContext* context_;
  std::vector<Mark> marks_;
  float smallAngle_ = 0.0f;  // places whose outline fits in this half angle are small
  float markAngle_ = 0.0f;
  float maxAlpha_ = 0.35f, width_ = 1.5f, lift_ = 1.002f, fadeTime_ = 0.3f;
  bool open_ = false;  // a question takes taps
  float alpha_ = 0.0f;
};

}  // namespace orb
