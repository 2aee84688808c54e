#pragma once
// The place and round tables of the "game" parameter object, read with their
// index clamped: a mode or level past the end of an array reads its last entry
// (and a negative one its first), so a short table never reads out of bounds.
namespace picojson {
class value;
}

namespace orb {

class PlaceParams {
 public:
  // game: the "game" object of the parameter file; mode: 0 normal, 1 advanced, 2 survival.
  PlaceParams(const picojson::value& game, int mode);

  float touchRadius() const { return touchRadius_; }  // map units
  int levelOffset() const { return levelOffset_; }    // level L asks place level L + offset
  float initialTime() const { return time_; }         // seconds; 0: no game clock
  float extendRate() const { return extendRate_; }    // factor of the level-up time bonus

  // Correct answers needed to clear a level, by place level (L + offset).
  int questionsNeeded(int placeLevel) const;
  // Seconds per question and the pause after a correct answer, by level L.
  float answerTime(int level) const;
  float refreshDelay(int level) const;

 private:
  const picojson::value& game_;
  float touchRadius_;
  int levelOffset_;
  float time_;
  float extendRate_;
};

}  // namespace orb
