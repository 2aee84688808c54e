#pragma once
// The record every task of the game shares. Tasks hold a plain pointer to it and
// reach the application's services and the game root's resources through it;
// the round's clocks, counters and current place live here too.
#include <memory>
#include <string>
#include <vector>

#include "gfx/Vec3.h"

namespace picojson {
class value;
}

namespace orb {

class TouchDispatcher;
class KeyInput;
class SoundScheduler;
class SettingsStore;
class Translation;
class LanguageChoice;
class TaskList;
class TaskProc;
class TouchMenu;
class JsonDocument;
class Camera;
class EarthModel;
class FontCache;
class TextureCache;
class SceneFactory;
class ReplayControl;
struct Light;

// Game modes, used as indices into the per-mode parameter arrays.
enum GameMode { kModeNormal = 0, kModeAdvanced = 1, kModeSurvival = 2 };
constexpr int kModeCount = 3;

// The ways to learn beside the scored game, chosen on the title. They are not
// game modes: no clock, no score, no ranking, so no per-mode parameters either.
enum LearnMode { kLearnNone = 0, kLearnDrill = 1, kLearnExplore = 2 };

struct ScreenSize {
  int width = 960;   // layout units
  int height = 640;
  // The same two numbers as an array, the form widgets read for edge anchoring.
  int pair[2] = {960, 640};
  void set(int w, int h) {
    width = pair[0] = w;
    height = pair[1] = h;
  }
};

constexpr float kNoPlaceBox = -1.0e9f;

struct GameContext {
  // Application services.
  TouchDispatcher* touch = nullptr;
  KeyInput* keys = nullptr;
  SoundScheduler* sound = nullptr;
  const std::string* dataDir = nullptr;  // prefix of every data-file path
  const std::string* saveDir = nullptr;  // prefix of the settings and results files
  SettingsStore* settings = nullptr;
  const ScreenSize* screen = nullptr;
  float scale = 1.0f;  // window pixels per layout unit

  // Game-root resources.
  std::shared_ptr<TouchMenu> touchMenu;  // every on-screen button registers here
  JsonDocument* params = nullptr;
  JsonDocument* places = nullptr;
  FontCache* fonts = nullptr;
  TaskList* tasks = nullptr;
  TextureCache* textures = nullptr;
  Camera* camera = nullptr;    // perspective camera of the globe
  Camera* camera2d = nullptr;  // 2D overlay camera
  EarthModel* earth = nullptr;
  Light* light = nullptr;  // first light record
  SceneFactory* scenes = nullptr;  // title, results, ranking and menu screens
  ReplayControl* replay = nullptr;  // the recorded player of the demonstration game
  // The language texts are drawn in (nullptr: English). Only drawing translates:
  // every saved map stays keyed by place keys and English names.
  const Translation* language = nullptr;
  LanguageChoice* languages = nullptr;  // the shipped languages; the sound panel changes the choice

  // The game in play.
  int mode = kModeNormal;
  float gameClock = 0;    // seconds of game time left
  float answerClock = 0;  // seconds left for the open question
  float answerTime = 0;   // answer time of the current level, seconds
  int level = 0;          // 0 first
  int correctCount = 0;   // places found ("konahen")
  int streak = 0;         // current run of first-tap correct answers
  int justCount = 0;      // first-tap correct answers
  int bestStreak = 0;     // largest streak - 1 reached
  int totalTaps = 0;      // taps that led to correct answers
  int score = 0;
  int questionsNeeded = 0;  // correct answers needed to clear the level
  int askedInLevel = 0;
  int askedInGame = 0;
  int correctInLevel = 0;
  bool questionShown = false;
  int earthTexture = 0;  // index of the chosen earth image (settings "texture")

  // The current place.
  std::string placeKey;  // its key in the places document
  std::string placeName;
  bool hasAnswer = false;
  std::string answerText;
  std::vector<Vec3> answerPoints;  // unit globe points of the place's polygon centres

  // Lower edge of the place-name box in the 2D overlay frame (y down) while it
  // shows, so the pole labels can keep clear of it; far above the screen when
  // there is no box.
  float placeBoxBottom = kNoPlaceBox;

  Vec3 touchPoint{};     // last picked globe point, globe model space
  bool touchHit = false;  // the last tap hit the globe
  bool reticleShown = false;  // the keyboard aims: a reticle marks the screen centre
  bool lastJudgement = false;

  bool demonstration = false;
  int learnMode = kLearnNone;  // what the title started instead of a game
  // Keys of the places the finished game's player did not find at the first
  // tap (a miss or a time-out), in the order asked; the results list them.
  std::vector<std::string> missedPlaces;
  int seed = 0;
  bool titleNeeded = true;
  bool backToTitle = false;
};

}  // namespace orb
