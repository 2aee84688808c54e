#include "game/GameProc.h"

#include "data/Json.h"

namespace orb {
namespace {

std::string placesPath(const std::string& dataDir, const JsonDocument& params) {
  return dataDir + json::string(json::at(json::at(params.root(), "game"), "places"));
}

}  // namespace

GameProc::GameProc(int screenWidth, int screenHeight, float scale, bool /*portrait*/,
                   const Services& services)
    : services_(services),
      screen_{static_cast<int>(static_cast<float>(screenWidth) / scale),
              static_cast<int>(static_cast<float>(screenHeight) / scale)},
      params_(*services.dataDir + "devdata/params.json"),
      places_(placesPath(*services.dataDir, params_)),
      scale_(scale),
      aspect_(static_cast<float>(screenWidth) / static_cast<float>(screenHeight)) {
  camera_.configure(json::at(params_.root(), "camera"), aspect_);
  camera2d_.halfWidth = static_cast<float>(screen_.width);
  camera2d_.halfHeight = static_cast<float>(screen_.height);

  context_.touch = services.touch;
  context_.keys = services.keys;
  context_.sound = services.sound;
  context_.dataDir = services.dataDir;
  context_.saveDir = services.saveDir;
  context_.settings = services.settings;
  context_.screen = &screen_;
  context_.scale = scale_;
  context_.params = &params_;
  context_.places = &places_;
  context_.tasks = &tasks_;
  context_.camera = &camera_;
  context_.camera2d = &camera2d_;
}

GameProc::~GameProc() = default;

void GameProc::resize(int width, int height, float scaleX, float scaleY) {
  camera_.halfWidth *= scaleX;
  camera_.halfHeight *= scaleY;
  screen_.width = static_cast<int>(static_cast<float>(width) / scale_);
  screen_.height = static_cast<int>(static_cast<float>(height) / scale_);
  camera2d_.halfWidth = static_cast<float>(screen_.width);
  camera2d_.halfHeight = static_cast<float>(screen_.height);
}

void GameProc::setAspect(int viewportWidth, int viewportHeight) {
  if (viewportHeight <= 0) return;
  aspect_ = static_cast<float>(viewportWidth) / static_cast<float>(viewportHeight);
  camera_.setAspect(aspect_);
}

bool GameProc::update(float dt) {
  const double measured = clock_.tick();
  tasks_.update(FrameClock::clampStep(measured, dt));
  return true;
}

void GameProc::draw() { tasks_.draw(); }

}  // namespace orb
