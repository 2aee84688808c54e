#pragma once
#include <memory>
#include <vector>

#include "game/HudSlide.h"
#include "gfx/Vec3.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The distance hint: how far (km) the last tap was from the place, counted up
// or down in five small digits beside the "distance" and "km" widgets. After a
// miss (not the game's first judgement) a bobbing arrow says whether the tap
// came closer ("up") or went farther ("down") than the value shown.
// With the setting "miles" the panel shows the "mi" mark and the same
// distances in miles; everything else counts in km.
class Distance : public TaskProc {
 public:
  static constexpr float kEarthRadiusKm = 6378.137f;  // equatorial radius
  static constexpr float kFarAway = 50000.0f;         // km, more than any distance on earth
  static constexpr int kDigits = 5;
  static constexpr float kBobHeight = 8.0f;  // 2D units
  static constexpr float kBobSpeed = 6.0f;   // radians per second
  static constexpr float kKmPerMile = 1.609344f;

  // context: the game's shared record; widgets: the game screen's widget set
  // ("distance", "km", "up", "down").
  Distance(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  // Great-circle distance in km from the globe point `from` to the nearest of
  // points, on a sphere of the earth's equatorial radius; kFarAway for no points.
  static float measure(const Vec3& from, const std::vector<Vec3>& points);
  // Angle in radians between two directions; 0 when either has zero length.
  static float angleBetween(const Vec3& a, const Vec3& b);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  float shownValue() const { return shown_; }  // km on display
  bool miles() const { return miles_; }         // the display counts in miles
  float target() const { return countTo_; }    // km the display is counting to
  bool arrow() const { return arrow_; }
  bool closer() const { return closer_; }      // the arrow points up
  float arrowLift() const;                      // 2D units the arrow is moved up (negative: down)
  const HudSlide& slide() const { return slide_; }

 private:
  void countTo(float km);

  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> label_, km_, up_, down_;
  float ofsX_ = 0.0f;                // "ofs_x": the slide's off-screen offset
  float numX_ = 0.0f, numY_ = 0.0f;  // "num_x", "num_y": digits relative to "km"
  float countTime_ = 0.0f;           // "dist_time": seconds of a count
  HudSlide slide_;
  float shown_ = 0.0f;
  float countFrom_ = 0.0f, countTo_ = 0.0f, countElapsed_ = 0.0f;
  bool counting_ = false;
  bool arrow_ = false;
  bool closer_ = false;
  float arrowClock_ = 0.0f;
  bool first_ = true;  // nothing judged yet in this game
  bool miles_ = false;
};

}  // namespace orb
