#pragma once
#include <string>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Writes what a real game or a drill shows about the player into the place
// statistics of the settings (PlaceStats), and lists the places not found at
// the first tap in the context's missedPlaces for the results. It listens to
// the round's codes only: each question (23) is judged once, by its first
// miss (18), time-out (19) or correct answer (17); a question the game's end
// leaves without a tap counts for nothing. The demonstration has none.
class MasteryRecord : public TaskProc {
 public:
  explicit MasteryRecord(GameContext* context);

  void update(float) override {}
  void draw() override {}
  void message(int code) override;

 private:
  void judge(bool firstTapHit);

  GameContext* context_;
  std::string open_;  // key of the question not judged yet, "" when none
};

}  // namespace orb
