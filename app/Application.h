#pragma once
#include <memory>
#include <string>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/LanguageChoice.h"
#include "data/SettingsStore.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "task/ProcBase.h"
#include "title/GameScenes.h"

namespace orb {

// Everything that lives for the whole run: sizes, directories, sound, touch and
// key input, the settings, and the current root process (the start-up screen,
// then the game). Destroying it saves the settings: that is the only save.
class Application {
 public:
  static constexpr float kFrameStep = 1.0f / 60.0f;  // the nominal step every part assumes

  Application(int baseWidth, int baseHeight, float scale, std::string dataDir, std::string saveDir);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Once the window and GL context exist: silence sound, reload the settings
  // and build the root for the current phase.
  void init();
  // Rebuild the root for the current phase.
  void restart();
  void frame(float dt);
  void reshape(int windowWidth, int windowHeight);

  int windowWidth() const { return windowWidth_; }
  int windowHeight() const { return windowHeight_; }
  int phase() const { return phase_; }
  const std::string& dataDir() const { return dataDir_; }
  const std::string& saveDir() const { return saveDir_; }
  SoundSystem& sound() { return sound_; }
  SoundScheduler& scheduler() { return scheduler_; }
  TouchDispatcher& touch() { return touch_; }
  KeyInput& keys() { return keys_; }
  SettingsStore& settings() { return settings_; }
  LanguageChoice& languages() { return languages_; }
  ProcBase* root() { return root_.get(); }

 private:
  void createRoot();

  int screenWidth_, screenHeight_;
  int baseWidth_, baseHeight_;
  int windowWidth_ = 0, windowHeight_ = 0;
  float aspect_;
  float scale_;
  bool portrait_;
  std::string dataDir_, saveDir_;
  SoundSystem sound_;
  SoundScheduler scheduler_;
  TouchDispatcher touch_;
  KeyInput keys_;
  SettingsStore settings_;
  LanguageChoice languages_;
  GameScenes scenes_;
  int phase_ = 0;  // 0: start-up screen, 1: the game
  std::shared_ptr<ProcBase> root_;
};

}  // namespace orb
