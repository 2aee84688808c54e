#pragma once
#include "gfx/Easing.h"
#include <memory>

#include "game/TrackPlayer.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The first-tap bonus: the "just" banner swept along the "just"."easing"
// track (x offset, alpha) and, from a streak of two, the "just_x" mark with
// the streak count in small digits at its anchor + "num_ofs". One is created
// per first-tap hit; it leaves when its track ends.
class TouchJust : public TaskProc {
 public:
  static constexpr int kEasing = kEaseExpoOut;     // expo out, for segments of the track
  static constexpr int kShowStreakFrom = 2;

  // context: the game's shared record; widgets: the game screen's widget set
  // ("just", "just_x"); streak: the streak this hit reached.
  TouchJust(GameContext* context, std::shared_ptr<const WidgetSet> widgets, int streak);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  int streak() const { return streak_; }
  int streakDigits() const { return streak_ < 10 ? 1 : 2; }
  bool showsStreak() const { return streak_ >= kShowStreakFrom; }
  const TrackPlayer& track() const { return track_; }

 private:
  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> banner_, mark_;
  int streak_;
  float numX_ = 0.0f, numY_ = 0.0f;  // "num_ofs"
  TrackPlayer track_;
};

}  // namespace orb
