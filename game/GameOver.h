#pragma once
#include "gfx/Easing.h"
#include <memory>

#include "game/TrackPlayer.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The game-over banner: the "gameover" widget scaled and faded by the
// "gameover"."easing" track (scale, alpha). When the track ends it announces
// 25 (the HUD slides away) and then 21 (on to the results), and leaves.
// Ignores every message.
class GameOver : public TaskProc {
 public:
  static constexpr int kEasing = kEaseCubicOut;  // cubic out, for segments of the track

  // context: the game's shared record; widgets: the game screen's widget set ("gameover").
  GameOver(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  void update(float dt) override;
  void draw() override;
  void message(int) override {}

  const TrackPlayer& track() const { return track_; }

 private:
  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> banner_;
  TrackPlayer track_;
};

}  // namespace orb
