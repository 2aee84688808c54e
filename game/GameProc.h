#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "task/FrameClock.h"
#include "task/ProcBase.h"
#include "task/TaskList.h"

namespace orb {

class TouchDispatcher;
class KeyInput;
class SoundScheduler;
class SettingsStore;
class EarthModel;
class FontCache;
class TextureCache;
class SceneFactory;
class LanguageChoice;
class PlaceDatabase;
struct Light;

// Makes the settings' map of announced unlocks hold every key the parameter
// "achievement"."text" announces: missing keys are added as not yet announced,
// existing ones are kept as they stand, and a map that is not an object starts
// afresh.
void seedAchievements(const picojson::value& announcements, picojson::value& announced);

// The game root: built once the wait screen has been shown, it owns the
// parameters, the places, the cameras, the globe, the caches and the task list,
// and runs the scene cycle until the program ends.
class GameProc : public ProcBase {
 public:
  // The application's services the game reaches through its context.
  struct Services {
    TouchDispatcher* touch;
    KeyInput* keys;
    SoundScheduler* sound;
    SettingsStore* settings;
    const std::string* dataDir;
    const std::string* saveDir;
    SceneFactory* scenes;  // the screens above the game layer
    LanguageChoice* languages = nullptr;  // null: English
  };

  GameProc(int screenWidth, int screenHeight, float scale, bool portrait, const Services& services);
  ~GameProc() override;

  void resize(int width, int height, float scaleX, float scaleY) override;
  void setAspect(int viewportWidth, int viewportHeight) override;
  bool update(float dt) override;
  void draw() override;

  GameContext& context() { return context_; }
  TaskList& tasks() { return tasks_; }

 private:
  void createPermanentTasks();
  void startOpeningCameraMove();

  Services services_;
  ScreenSize screen_;
  JsonDocument params_;
  JsonDocument places_;
  float scale_;
  float aspect_;
  Camera camera_{Camera::kPerspective};
  Camera camera2d_{Camera::kOrtho2D};
  std::unique_ptr<EarthModel> earth_;
  std::vector<Light> lights_;
  std::unique_ptr<FontCache> fonts_;
  std::unique_ptr<TextureCache> textures_;
  GameContext context_;
  TaskList tasks_;
  FrameClock clock_;
};

}  // namespace orb
