#pragma once
#include <array>
#include <memory>

#include "game/TrackPlayer.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The round's banners, one at a time: "levelup" (26), "hurryup" (27),
// "time_short" (28) at once, and "dobest" (29) after "gameinfo"."delay"
// seconds. Each banner flies in from the right and out to the left along the
// "ease_in" then "ease_out" track (x as a fraction of half the screen plus a
// margin, alpha); a new banner replaces the one showing.
class GameInfo : public TaskProc {
 public:
  enum Banner { kNone = -1, kLevelUp = 0, kHurryUp, kTimeShort, kDoBest, kBannerCount };
  static constexpr int kEaseInCurve = 17;   // expo out
  static constexpr int kEaseOutCurve = 16;  // expo in
  static constexpr float kFlightMargin = 250.0f;  // beyond the screen edge, 2D units

  // context: the game's shared record; widgets: the game screen's widget set
  // ("levelup", "hurryup", "time_short", "dobest").
  GameInfo(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  Banner showing() const { return showing_; }
  float offsetX() const;  // 2D units
  float alpha() const { return track_.value().y; }

 private:
  void show(Banner banner);

  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::array<std::shared_ptr<Widget>, kBannerCount> banners_;
  TrackPlayer track_;
  Banner showing_ = kNone;
  float delay_ = 0.0f;        // "delay": seconds before "dobest"
  float pendingDelay_ = 0.0f;
  bool pending_ = false;      // "dobest" scheduled
};

}  // namespace orb
