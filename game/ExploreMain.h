#pragma once
#include <memory>

#include "game/PlaceFinder.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class ExploreCard;
class PlaceOutline;

// The explore mode: no clock, no score. The globe turns and zooms freely; a
// tap names the most specific place under the finger (PlaceFinder) with its
// answer line and outline; the continue button goes back to the title.
// Started by the title in place of a game (context learnMode kLearnExplore).
class ExploreMain : public TaskProc {
 public:
  explicit ExploreMain(GameContext* context);
  ~ExploreMain() override;

  void update(float) override {}
  void draw() override {}
  void message(int code) override;

  const PlaceFinder& finder() const { return finder_; }

 private:
  void tapped();

  GameContext* ctx_;
  PlaceFinder finder_;
  std::shared_ptr<ExploreCard> card_;
  std::shared_ptr<PlaceOutline> outline_;
  bool leaving_ = false;
};

}  // namespace orb
