#pragma once
#include <memory>
#include <string>
#include <vector>

#include "game/PlaceDatabase.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Place;
class PlaceOutline;
class WidgetSet;

// The drill: the player's weakest places first (PlaceStats), one question at
// a time, with no game clock, no answer clock, no score and no ranking, until
// the continue button takes the player back to the title. A question stays
// open until it is found; after kRevealAfter misses the answer is shown as a
// time-out shows it (the globe flies over the place) and the place comes
// back kRequeueGap questions later. Every judgement is kept in the place
// statistics (MasteryRecord), as a game's are. Started by the title in place
// of a game (context learnMode kLearnDrill).
class DrillMain : public TaskProc {
 public:
  static constexpr int kRevealAfter = 3;        // misses before the answer is shown
  static constexpr std::size_t kRequeueGap = 4;  // questions before a revealed place returns
  static constexpr float kFirstDelay = 1.0f;     // seconds before the first question
  static constexpr float kRevealFlight = 1.0f;   // seconds of the flight over the answer

  explicit DrillMain(GameContext* context);
  ~DrillMain() override;

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

  // The keys still to ask, the current one first once asked.
  const std::vector<std::string>& order() const { return order_; }
  const std::string& currentKey() const { return current_; }

 private:
  void ask();
  void judgeTap();
  void reveal();

  GameContext* ctx_;
  PlaceDatabase places_;
  float touchRadius_ = 0.0f;
  float correctPause_ = 0.0f, revealPause_ = 0.0f;  // seconds before the next question
  std::vector<std::string> order_;
  std::size_t next_ = 0;
  std::string current_;
  std::shared_ptr<Place> place_;
  std::shared_ptr<PlaceOutline> outline_;
  std::shared_ptr<const WidgetSet> widgets_;
  int misses_ = 0;
  bool open_ = false;  // a question waits for its answer
  float nextDelay_ = 0.0f;
  bool leaving_ = false;
};

}  // namespace orb
