#pragma once
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "globe/GameContext.h"
#include "game/PlaceDatabase.h"
#include "game/PlaceParams.h"
#include "task/TaskProc.h"

namespace orb {

class Place;
class PlaceOutline;
class SmallPlaceMarks;
class BorderLines;
class ReplayControl;
class WidgetSet;

// Runs one game: picks each level's places, asks them one after another, keeps
// the game clock and the answer clock, judges taps, scores, levels up and
// decides when the game is over. Talks to the display tasks only through
// broadcast codes and the fields of the game context.
class GameMain : public TaskProc {
 public:
  // replay: source of the seed and playback switch in demonstration play (may be
  // null for a real game).
  GameMain(GameContext* context, ReplayControl* replay);
  ~GameMain() override;

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

  // For tests and the results screen.
  const std::vector<std::string>& answeredKeys() const { return answered_; }
  const std::vector<std::string>& questionList() const { return questions_; }
  const std::string& currentKey() const { return currentKey_; }
  bool running() const { return running_; }
  bool paused() const { return paused_; }
  std::shared_ptr<const WidgetSet> widgets() const { return widgets_; }

 private:
  void setLevel(int level);
  void askNextQuestion();
  void timeOut();
  void judgeTap();
  void levelUp();
  void createDisplayTasks();
  void broadcast(int code);
  void play(const char* sound, float volume = 1.0f, float delay = 0.0f);
  // Draws from the process-wide generator, never the game's: the banner chances
  // must not disturb the question order a seed reproduces.
  static bool chance(int percent);

  GameContext* ctx_;
  ReplayControl* replay_;
  PlaceDatabase places_;
  PlaceParams tables_;  // the mode's level and clock tables

  bool paused_ = false, started_ = false, running_ = false, nextDue_ = false;
  float nextDelay_ = 0;         // seconds until the next question
  int levelOffset_ = 0;         // level L asks places of "level" L + offset
  float touchRadius_ = 0;       // map units
  float clockAtLevelStart_ = 0, initialClock_ = 0, bonusRate_ = 0;
  int askedThisLevel_ = 0;
  int lastWholeSecond_ = 0;
  float previousFraction_ = 1;  // answer clock / answer time at the previous update
  bool missedSinceCorrect_ = false;
  int tapsSinceCorrect_ = 0;
  bool timeShortSent_ = false;
  float refreshDelay_ = 0;
  std::vector<std::string> questions_;
  std::string currentKey_;
  std::shared_ptr<Place> place_;
  std::vector<std::string> answered_;
  std::mt19937 generator_;
  std::shared_ptr<const WidgetSet> widgets_;
  // The answer on the globe, the marks around the level's tiny places and
  // the close-up borders.
  std::shared_ptr<PlaceOutline> outline_;
  std::shared_ptr<SmallPlaceMarks> marks_;
  std::shared_ptr<BorderLines> borders_;
  float revealTime_ = 0;  // seconds the outline fades over: the answer line's "miss_disp"
};

}  // namespace orb
