#include "app/Application.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ctime>

#include "app/WindowPlacement.h"
#include "data/Json.h"
#include "game/GameProc.h"
#include "gfx/GamePre.h"

namespace orb {
namespace {

// A stored size below this is not a usable window; the authored size is used instead.
constexpr int kMinimumWindow = 64;

}  // namespace

Application::Application(int baseWidth, int baseHeight, float scale, std::string dataDir,
                         std::string saveDir)
    : screenWidth_(baseWidth),
      screenHeight_(baseHeight),
      baseWidth_(baseWidth),
      baseHeight_(baseHeight),
      aspect_(static_cast<float>(baseWidth) / static_cast<float>(baseHeight)),
      scale_(scale),
      portrait_(baseHeight > baseWidth),
      dataDir_(std::move(dataDir)),
      saveDir_(std::move(saveDir)),
      sound_(dataDir_),
      scheduler_(sound_),
      languages_(dataDir_) {
  settings_.open(dataDir_, saveDir_);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  sound_.setVolume(json::real(settings_.root(), "volume", 1.0f));
  windowWidth_ = json::integer(settings_.root(), "width", baseWidth_);
  windowHeight_ = json::integer(settings_.root(), "height", baseHeight_);
  if (windowWidth_ < kMinimumWindow || windowHeight_ < kMinimumWindow) {
    windowWidth_ = baseWidth_;
    windowHeight_ = baseHeight_;
  }
}

Application::~Application() {
  settings_.setNumber("width", windowWidth_);
  settings_.setNumber("height", windowHeight_);
  settings_.setNumber("volume", sound_.volume());
  root_.reset();
  settings_.close();
  scheduler_.clear();
}

void Application::init() {
  sound_.stopAll();
  scheduler_.clear();
  root_.reset();
  settings_.reload();
  createRoot();
  screenWidth_ = baseWidth_;
  screenHeight_ = baseHeight_;
  aspect_ = static_cast<float>(screenWidth_) / static_cast<float>(screenHeight_);
}

void Application::restart() {
  root_.reset();
  createRoot();
  screenWidth_ = baseWidth_;
  screenHeight_ = baseHeight_;
  aspect_ = static_cast<float>(screenWidth_) / static_cast<float>(screenHeight_);
  // The new root has not seen the window yet.
  if (windowWidth_ > 0 && windowHeight_ > 0) {
    const Viewport v = Viewport::fit(windowWidth_, windowHeight_, aspect_);
    root_->setAspect(v.width, v.height);
  }
}

void Application::createRoot() {
  if (phase_ == 0) {
    root_ = std::make_shared<GamePre>(screenWidth_, screenHeight_, dataDir_);
  } else {
    GameProc::Services services{&touch_, &keys_, &scheduler_, &settings_, &dataDir_, &saveDir_, &scenes_,
                                &languages_};
    root_ = std::make_shared<GameProc>(screenWidth_, screenHeight_, scale_, portrait_, services);
  }
}

void Application::frame(float dt) {
  keys_.swap();
  const bool keep = root_->update(dt);
  if (!keep && phase_ == 0) phase_ = 1;
  scheduler_.update(dt);
  root_->draw();
  if (!keep) restart();
}

void Application::reshape(int w, int h) {
  windowWidth_ = w;
  windowHeight_ = h;
  const Viewport v = Viewport::fit(w, h, aspect_);
  glViewport(v.x, v.y, v.width, v.height);
  TouchDispatcher::Mapping m;
  m.logicalWidth = static_cast<float>(screenWidth_) / scale_;
  m.logicalHeight = static_cast<float>(screenHeight_) / scale_;
  m.offsetX = static_cast<float>(v.x);
  m.offsetY = static_cast<float>(v.y);
  m.windowWidth = static_cast<float>(w);
  m.windowHeight = static_cast<float>(h);
  touch_.setMapping(m);
  if (root_) root_->setAspect(v.width, v.height);
}

}  // namespace orb
