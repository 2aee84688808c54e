#include "game/GameProc.h"

#include <cstdlib>
#include <iostream>

#include "data/Json.h"
#include "data/LanguageChoice.h"
#include "data/SettingsStore.h"
#include "game/PlaceDatabase.h"
#include "game/SceneFactory.h"
#include "gfx/Easing.h"
#include "gfx/FontCache.h"
#include "gfx/Game2DSetup.h"
#include "gfx/GlobeMath.h"
#include "gfx/ImagePreload.h"
#include "gfx/KeyFocus.h"
#include "gfx/MathConstants.h"
#include "gfx/TextureCache.h"
#include "gfx/TouchMenu.h"
#include "globe/Control.h"
#include "globe/EarthModel.h"
#include "globe/FadeLight.h"
#include "globe/GameWorld.h"
#include "globe/Light.h"
#include "globe/Reticle.h"
#include "globe/ResetCamera.h"
#include "globe/TouchEft.h"
#include "task/Messages.h"

namespace orb {
namespace {

// The opening light fade: up to full brightness over two seconds.
constexpr float kOpeningLightLevel = 1.0f;
constexpr float kOpeningLightTime = 2.0f;
constexpr int kOpeningLightCurve = kEaseQuadIn;
constexpr int kOpeningMoveCurve = kEaseQuadOut;
// Pitches a returning player's globe starts at: 20 steps across +-45 degrees.
constexpr int kPitchSteps = 20;

std::string placesPath(const std::string& dataDir, const JsonDocument& params) {
  return dataDir + json::string(json::at(params.root(), "game"), "places");
}

}  // namespace

void seedAchievements(const picojson::value& announcements, picojson::value& announced) {
  if (!announced.is<picojson::object>()) announced = picojson::value(picojson::object());
  picojson::object& map = announced.get<picojson::object>();
  // Only add: a key already there records what this player has been told.
  for (const auto& entry : json::object(announcements)) map.emplace(entry.first, false);
}

GameProc::GameProc(int screenWidth, int screenHeight, float scale, bool /*portrait*/,
                   const Services& services)
    : services_(services),
      params_(*services.dataDir + "devdata/params.json"),
      places_(placesPath(*services.dataDir, params_)),
      scale_(scale),
      aspect_(static_cast<float>(screenWidth) / static_cast<float>(screenHeight)) {
  screen_.set(static_cast<int>(static_cast<float>(screenWidth) / scale),
              static_cast<int>(static_cast<float>(screenHeight) / scale));
  if (!places_.loaded()) std::cerr << "globaro: no places to ask about: " << places_.error() << "\n";
  else if (!places_.root().is<picojson::object>())
    std::cerr << "globaro: no places to ask about: " << places_.path() << " is not a JSON object\n";
  const picojson::value& params = params_.root();

  earth_ = std::make_unique<EarthModel>(params, *services.dataDir, &camera_);
  fonts_ = std::make_unique<FontCache>(json::at(params, "fonts"), *services.dataDir);
  textures_ = std::make_unique<TextureCache>();
  if (services.languages) textures_->setLanguage(services.languages->current().code());

  camera_.configure(json::at(params, "camera"), aspect_);
  camera2d_.halfWidth = static_cast<float>(screen_.width);
  camera2d_.halfHeight = static_cast<float>(screen_.height);

  for (const picojson::value& light : json::array(json::at(params, "lights"))) {
    lights_.push_back(Light::fromParams(light));
  }
  if (lights_.empty()) {
    std::cerr << "globaro: the parameter file has no \"lights\"; using a default light\n";
    lights_.emplace_back();
  }
  earth_->light = &lights_.front();

  for (const picojson::value& file : json::array(json::at(params, "texture"))) {
    textures_->getTexture(*services.dataDir + json::string(file));
  }

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
  context_.fonts = fonts_.get();
  context_.tasks = &tasks_;
  context_.textures = textures_.get();
  context_.camera = &camera_;
  context_.camera2d = &camera2d_;
  context_.earth = earth_.get();
  context_.light = &lights_.front();
  context_.scenes = services.scenes;
  context_.languages = services.languages;
  context_.language = services.languages ? &services.languages->current() : nullptr;
  context_.mode = kModeNormal;
  context_.titleNeeded = true;
  context_.backToTitle = false;
  context_.demonstration = false;

  PlaceDatabase(places_.root(), *services.dataDir).seedFound(services.settings->root());
  seedAchievements(json::at(json::at(params, "achievement"), "text"),
                   services.settings->member("achievement"));

  createPermanentTasks();
  startOpeningCameraMove();
  ImagePreload::finish();  // the globe has taken its images; drop any it did not need
}

GameProc::~GameProc() = default;

void GameProc::createPermanentTasks() {
  if (context_.scenes) context_.scenes->createPermanentTasks(context_);
  context_.earthTexture = json::integer(services_.settings->root(), "texture", -1);
  earth_->setAppearance(context_.earthTexture);
  tasks_.create<Control>(kLayerLogic, &context_);
  tasks_.create<Game2DSetup>(kLayer2DSetup, camera2d_);
  tasks_.create<GameWorld>(kLayerGlobe, &context_);
  tasks_.create<TouchEft>(kLayerOverlay3D, &context_);
  // After the camera control in the touch order: a tap that ends on a button
  // is still held by the menu when the control decides whether it was a pick.
  context_.touchMenu = tasks_.create<TouchMenu>(kLayerLogic, services_.touch);
  tasks_.create<KeyFocus>(kLayerKeys, context_.touchMenu.get(), services_.keys, services_.touch);
  tasks_.create<Reticle>(kLayerKeys, &context_);
}

void GameProc::startOpeningCameraMove() {
  const picojson::value& params = params_.root();
  const float startDelay = json::real(params, "start_delay");
  camera_.distance = json::real(params, "start_dist");
  // Like every scripted move, the opening turns touch control off first: the
  // control's zoom spring still aims at the distance the camera had when the
  // control was made, and during the start delay it would pull the far camera
  // in, only for the move to snap it back out when it starts. The first game
  // turns control on (0); the move's end (49) aligns the spring's target.
  tasks_.broadcast(kMsgControlOff);

  auto move = tasks_.create<ResetCamera>(kLayerOverlay3D, &context_);
  move->easing = kOpeningMoveCurve;
  move->duration = json::real(params, "start_time");
  move->delay = startDelay;
  if (services_.settings->getFlag("played")) {
    move->pickRandomDistance();
    const float pitch = static_cast<float>(std::rand() % kPitchSteps) * (kPi / 2) / kPitchSteps - kPi / 4;
    move->setTarget(pitch, kPi, true);
  } else {
    const picojson::value& angle = json::at(params, "start_angle");
    move->setTarget(json::realAt(angle, 0) * kPi / 180.0f, json::realAt(angle, 1) * kPi / 180.0f, true);
  }

  auto fade = tasks_.create<FadeLight>(kLayerOverlay3D, &context_);
  fade->end = kOpeningLightLevel;
  fade->duration = kOpeningLightTime;
  fade->easing = kOpeningLightCurve;
  fade->delay = startDelay;
}

void GameProc::resize(int width, int height, float scaleX, float scaleY) {
  camera_.halfWidth *= scaleX;
  camera_.halfHeight *= scaleY;
  screen_.set(static_cast<int>(static_cast<float>(width) / scale_),
              static_cast<int>(static_cast<float>(height) / scale_));
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
  // The sound panel may switch languages at any time; the atlases with words follow.
  if (context_.language) textures_->setLanguage(context_.language->code());
  if (context_.titleNeeded) {
    earth_->spinSpeed = earth_->defaultSpinSpeed();
    if (context_.scenes) context_.scenes->createTitle(context_);
    context_.titleNeeded = false;
    context_.demonstration = false;
  }
  if (context_.backToTitle) {
    tasks_.broadcast(kMsgBackToTitle);
    context_.mode = kModeNormal;
    context_.backToTitle = false;
    context_.titleNeeded = true;
  }
  tasks_.update(FrameClock::clampStep(measured, dt));
  return true;
}

void GameProc::draw() { tasks_.draw(); }

}  // namespace orb
