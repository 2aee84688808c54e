#pragma once
#include <picojson.h>

#include <memory>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Ranking;
class ReplayControl;

// The conductor of the time between games. It draws nothing: it opens the
// intro once the achievement display is done (47), creates the menu panels
// when the intro ends (31), runs the idle timer that starts the attract cycle
// (demonstration, then a showcase ranking of the next playable mode, then the
// menu again), and starts the chosen game, drill or explore mode (43; the
// context's learnMode says which) after "game_start_delay",
// ending itself. Reads "title" ("disp_time", "delay_exec", "game_start_delay").
class Title : public TaskProc {
 public:
  enum State : int {
    kMenu = 0,
    kWaitDemo = 1,      // the panels closed; the demonstration follows
    kWaitShowcase = 2,  // the demonstration ended; a showcase ranking follows
    kSubScreen = 3,     // credits and staff roll
    kDormant = 4,       // the achievement display is showing
  };

  // replay: the recorded player the demonstration and the games use (may be null).
  Title(GameContext* context, ReplayControl* replay);

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

  int state() const { return state_; }
  float idleCountdown() const { return idle_; }  // seconds; 0 when stopped
  const std::vector<int>& playableModes() const { return modes_; }
  // The showcase ranking of the attract cycle while it stands, else null.
  std::shared_ptr<Ranking> showcase() const { return showcaseRanking_.lock(); }

 private:
  void openMenu();
  void startGame();

  GameContext* ctx_;
  ReplayControl* replay_;
  picojson::value params_;  // "title"
  int state_ = kDormant;
  std::vector<int> modes_;   // mode 0, then the unlocked ones
  std::size_t showcase_ = 0;  // index into modes_ of the next showcase ranking
  std::weak_ptr<Ranking> showcaseRanking_;
  float gameStart_ = 0.0f;   // seconds until the chosen game starts; 0 when none
  float idle_;               // seconds of menu idling left before the attract cycle
  float step_ = 0.0f;        // seconds left in states 1 and 2
};

}  // namespace orb
