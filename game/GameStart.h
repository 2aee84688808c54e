#pragma once
#include "gfx/Easing.h"
#include <memory>

#include "game/TrackPlayer.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The start banner: the "gamestart" widget scaled and faded by the
// "gamestart"."easing" track (scale, alpha) with the "gamestart" jingle. When
// the track ends it announces 10 (the questions begin) and leaves. In
// demonstration play it is silent and ends at its first update. Ignores every
// message.
class GameStart : public TaskProc {
 public:
  static constexpr int kEasing = kEaseQuadOut;           // quad out, for segments of the track
  static constexpr float kDemoSkip = 1000.0f;  // seconds: past the end of any track

  // context: the game's shared record; widgets: the game screen's widget set ("gamestart").
  GameStart(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

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
