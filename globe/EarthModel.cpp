#define GL_GLEXT_PROTOTYPES 1
#include "globe/EarthModel.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <iostream>

#include "data/Json.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/ImagePreload.h"
#include "gfx/MathConstants.h"
#include "gfx/PngImage.h"
#include "gfx/Texture.h"
#include "globe/CloudCover.h"
#include "globe/CloudedSurface.h"
#include "globe/GlowProfile.h"
#include "globe/Light.h"

namespace orb {
namespace {

// The halo is drawn over the finished globe: from its inner edge, 3 % inside
// the limb, its image fades in through alpha, so the pixel steps of the
// sphere's silhouette vanish under a soft gradient. tools/earth/make_earth.py
// paints halo.png for this inner edge.
constexpr float kHaloInner = 0.97f;
// The limb is drawn by the halo's image, so it is as round as the ring: 256
// segments keep each chord within a tenth of a pixel of the circle even when
// the globe fills the window.
constexpr int kHaloMinSegments = 256;
// The glow's texture shrinks a little faster than the silhouette widens, so
// the haze stays on the limb as the camera comes close.
constexpr float kGlowNearFactor = 1.4f;
// Highest 16-bit index plus one: the sphere's vertex budget.
constexpr int kMaxVertices = 65536;

const char* const kEarthKeys[] = {"h_div",       "v_div",     "radius",      "rotate",       "cloud_scale",
                                  "cloud_shadow", "air_scale", "atmos_scale"};

// Half the angle the globe covers seen from the camera, as the ratio
// radius / distance, kept below 1 so asin stays defined.
float viewRatio(float radius, float distance) {
  if (!(distance > 0.0f)) return 0.999f;
  return std::clamp(radius / distance, 0.0f, 0.999f);
}

int localMonth() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_mon;
}

// Map images wrap east-west only: repeating north-south would filter each
// pole's texels with the other pole's, a spot of the wrong colour on both.
void bindRepeating(const Texture& texture) {
  texture.bind();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

std::string EarthModel::checkParams(const picojson::value& params) {
  const picojson::value& earth = json::at(params, "earth");
  if (!earth.is<picojson::object>()) return "\"earth\" is missing or not an object";
  for (const char* key : kEarthKeys) {
    if (!json::at(earth, key).is<double>()) return std::string("\"earth\".\"") + key + "\" is missing or not a number";
  }
  if (!json::at(earth, "cloud_texture").is<std::string>()) return "\"earth\".\"cloud_texture\" is missing";
  if (!(json::real(earth, "radius") > 0.0f)) return "\"earth\".\"radius\" must be positive";
  const picojson::value& looks = json::at(params, "earth_appearance");
  if (!looks.is<picojson::array>() || json::size(looks) == 0) return "\"earth_appearance\" must be a non-empty array";
  for (std::size_t i = 0; i < json::size(looks); ++i) {
    const picojson::value& look = json::element(looks, i);
    if (json::size(look) < 5 || !json::element(look, 0).is<std::string>())
      return "\"earth_appearance\"[" + std::to_string(i) + "] needs [image, clouds, atmosphere, glow, halo]";
  }
  for (const char* key : {"cloud_dist_max", "cloud_dist_min", "cloud_alpha_max", "cloud_alpha_min"}) {
    if (!json::at(params, key).is<double>()) return std::string("\"") + key + "\" is missing or not a number";
  }
  return {};
}

EarthModel::EarthModel(const picojson::value& params, const std::string& dataDir, const Camera* cam,
                       const GlCapabilities& caps)
    : camera(cam),
      dataDir_(dataDir),
      earthParams_(json::at(params, "earth")),
      appearances_(json::at(params, "earth_appearance")),
      caps_(caps) {
  hDiv = json::integer(earthParams_, "h_div");
  vDiv = json::integer(earthParams_, "v_div");
  // The glow uses half the columns, so hDiv stays even and at least 2.
  const int h = std::clamp(hDiv + (hDiv & 1), 2, 1024);
  int v = std::clamp(vDiv, 1, 1024);
  while ((h + 1) * (v + 1) > kMaxVertices) --v;
  if (h != hDiv || v != vDiv) {
    std::cerr << "params.json: \"earth\" h_div " << hDiv << " / v_div " << vDiv << " out of range, using " << h
              << " / " << v << "\n";
    hDiv = h;
    vDiv = v;
  }
  radius = json::real(earthParams_, "radius", 1.0f);
  spinSpeed = json::real(earthParams_, "rotate");
  cloudScale = json::real(earthParams_, "cloud_scale", 1.0f);
  cloudShadow = json::real(earthParams_, "cloud_shadow");
  airScale = json::real(earthParams_, "air_scale", 1.0f);
  atmosScale = json::real(earthParams_, "atmos_scale", 1.0f);

  sphere_ = std::make_unique<SphereMesh>(hDiv, vDiv, radius, kTwoPi, SphereMesh::TexMode::Map, caps_.vertexBuffers);
  glowMesh_ = std::make_unique<SphereMesh>(hDiv / 2, vDiv, radius, kPi, SphereMesh::TexMode::Planar,
                                           caps_.vertexBuffers);
  haloRing_ = std::make_unique<RingMesh>(std::max(hDiv, kHaloMinSegments), airScale * radius, kHaloInner * radius,
                                         caps_.vertexBuffers);
  if (caps_.fragmentPrograms && caps_.blendEquation) {
    cloudedSurface_ = std::make_unique<CloudedSurface>();
    if (!cloudedSurface_->ready()) cloudedSurface_.reset();
  }
  const std::string clouds = dataDir_ + "devdata/" + json::string(earthParams_, "cloud_texture");
  if (cloudedSurface_) {
    cloudCover_ = std::make_unique<CloudCover>(clouds);
  } else {
    cloudTexture = std::make_unique<Texture>(clouds, true);
  }

  const float black[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
}

EarthModel::~EarthModel() = default;

int EarthModel::appearanceIndex(int index, int month) { return index < 0 ? month : index; }

void EarthModel::setAppearance(int index) { setAppearance(index, localMonth()); }

std::vector<std::string> EarthModel::imagePaths(const picojson::value& params, const std::string& dataDir,
                                                int index) {
  const std::string devdata = dataDir + "devdata/";
  const picojson::value& look =
      json::element(json::at(params, "earth_appearance"), static_cast<std::size_t>(appearanceIndex(index, localMonth())));
  std::vector<std::string> paths;
  if (json::size(look) == 0) return paths;
  paths.push_back(devdata + json::string(json::element(look, 0)));
  paths.push_back(devdata + json::string(json::at(params, "earth"), "cloud_texture"));
  if (json::boolean(json::element(look, 2))) {
    paths.push_back(devdata + json::string(json::element(look, 3)));
    paths.push_back(devdata + json::string(json::element(look, 4)));
  }
  return paths;
}

void EarthModel::setAppearance(int index, int month) {
  const picojson::value& look = json::element(appearances_, static_cast<std::size_t>(appearanceIndex(index, month)));
  if (json::size(look) == 0) {
    std::cerr << "params.json: \"earth_appearance\" has no element " << index << "\n";
    return;
  }
  showClouds = json::boolean(json::element(look, 1));
  surfaceTexture = loadSurface(dataDir_ + "devdata/" + json::string(json::element(look, 0)), showClouds);
  showAtmosphere = json::boolean(json::element(look, 2));
  if (showAtmosphere) {
    loadGlow(dataDir_ + "devdata/" + json::string(json::element(look, 3)));
    haloTexture = std::make_shared<Texture>(dataDir_ + "devdata/" + json::string(json::element(look, 4)), false);
  }
}

std::shared_ptr<Texture> EarthModel::loadSurface(const std::string& path, bool withClouds) {
  surfaceCarriesClouds_ = false;
  if (!cloudCover_) return std::make_shared<Texture>(path, true);
  PngImage image;
  std::string error;
  if (!ImagePreload::load(path, image, error)) std::cerr << "texture " << path << ": " << error << "\n";
  if (!withClouds || cloudCover_->empty() || image.empty()) {
    return std::make_shared<Texture>(image, Texture::baseName(path), true);
  }
  surfaceCarriesClouds_ = true;
  return std::make_shared<Texture>(cloudCover_->under(image), Texture::baseName(path), true);
}

void EarthModel::loadGlow(const std::string& path) {
  PngImage image;
  std::string error;
  if (!ImagePreload::load(path, image, error)) std::cerr << "texture " << path << ": " << error << "\n";
  glowTexture = std::make_shared<Texture>(image, Texture::baseName(path), false);
  glowProfile_.reset();
  if (cloudedSurface_) {
    glowProfile_ = std::make_unique<GlowProfile>(image);
    if (!glowProfile_->ready()) glowProfile_.reset();
  }
}

float EarthModel::defaultSpinSpeed() const { return json::real(earthParams_, "rotate"); }

void EarthModel::startSpinTween(float to, float duration, int easing) {
  spinTween.from = spinSpeed;
  spinTween.to = to;
  spinTween.duration = duration;
  spinTween.easing = easing;
  spinTween.elapsed = 0.0f;
  spinTween.active = true;
}

void EarthModel::update(float dt) {
  if (spinTween.active) {
    spinTween.elapsed += dt;
    spinTween.active = spinTween.duration > spinTween.elapsed;
    spinSpeed = tweened(spinTween.elapsed, spinTween.from, spinTween.to, spinTween.duration, spinTween.easing);
  }
  spinAngle += spinSpeed * dt;
}

void EarthModel::draw() {
  const float level = lightLevel;
  const float material[4] = {level, level, level, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, material);
  glCullFace(GL_BACK);
  const float ratio = viewRatio(radius, camera ? camera->distance : 0.0f);
  const bool onePass = cloudedSurface_ && surfaceTexture;
  const bool cloudsShown =
      showClouds && (onePass ? surfaceCarriesClouds_ : cloudTexture != nullptr) && cloudLevel * level > 0.0f;
  drawSurface(onePass, cloudsShown, level, ratio);
  if (cloudsShown && !onePass) drawClouds(level);
  if (showAtmosphere && !onePass) drawGlow(level, ratio);
  if (showAtmosphere) drawHalo(level, ratio);
}

void EarthModel::drawHalo(float level, float ratio) {
  if (!haloTexture) return;
  glPushMatrix();
  if (camera) glMultMatrixd(camera->inverseRotation.data());
  // A sphere's silhouette seen in perspective is wider than the sphere.
  const float widen = 1.0f / std::sin(kHalfPi - std::asin(ratio));
  glScalef(widen, widen, 1.0f);
  glEnable(GL_TEXTURE_2D);
  haloTexture->bind();
  glDisable(GL_LIGHTING);
  // Opaque outside the limb (it also covers the cloud shell's and the glow's
  // rims there), fading into the globe inside it.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(level, level, level, 1.0f);
  haloRing_->draw();
  glPopMatrix();
}

void EarthModel::drawSurface(bool onePass, bool clouds, float level, float ratio) {
  glPushMatrix();
  if (light) light->applyLight();
  glRotatef(spinAngle, 0.0f, 1.0f, 0.0f);
  glDisable(GL_BLEND);
  if (onePass) {
    const float k = clouds ? cloudLevel * level : 0.0f;
    CloudedSurface::Layers layers{k * cloudShadow, k, cloudScale};
    if (showAtmosphere && glowTexture) {
      layers.glow = glowTexture.get();
      layers.roundGlow = glowProfile_.get();
      layers.glowLevel = level;
      layers.glowScale = atmosScale;
      layers.glowZoom = glowZoom(ratio);
    }
    glEnable(GL_TEXTURE_2D);
    cloudedSurface_->draw(*sphere_, *surfaceTexture, layers);
    // The state the glow's pass (or without it the cloud shell's) would have left.
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    if (layers.glow) {
      glBlendFunc(GL_ONE, GL_ONE);
      glColor4f(level, level, level, 1.0f);
    } else {
      glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
      glColor4f(k, k, k, 1.0f);
    }
  } else if (surfaceTexture) {
    glEnable(GL_TEXTURE_2D);
    bindRepeating(*surfaceTexture);
    sphere_->draw();
  } else {
    glDisable(GL_TEXTURE_2D);
    sphere_->draw();
  }
  glGetDoublev(GL_MODELVIEW_MATRIX, sphereModelView.data());
  glPopMatrix();
}

void EarthModel::drawClouds(float level) {
  if (!cloudTexture) return;
  const float k = cloudLevel * level;
  // Both passes leave the picture unchanged when k is 0: skip them.
  if (!(k > 0.0f)) return;
  glEnable(GL_TEXTURE_2D);
  bindRepeating(*cloudTexture);
  glDisable(GL_LIGHTING);

  glPushMatrix();
  glEnable(GL_BLEND);
  float shadow = k;
  if (caps_.blendEquation) {
    glBlendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE);
    shadow *= cloudShadow;
  } else {
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  }
  if (shadow > 0.0f) {
    glColor4f(shadow, shadow, shadow, 1.0f);
    glRotatef(spinAngle, 0.0f, 1.0f, 0.0f);
    sphere_->draw();
  }
  if (caps_.blendEquation) glBlendEquation(GL_FUNC_ADD);
  glPopMatrix();

  glPushMatrix();
  glColor4f(k, k, k, 1.0f);
  glRotatef(spinAngle, 0.0f, 1.0f, 0.0f);
  glScalef(cloudScale, cloudScale, cloudScale);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
  sphere_->draw();
  glPopMatrix();
}

float EarthModel::glowZoom(float ratio) { return std::sin(kHalfPi - kGlowNearFactor * std::asin(ratio)); }

void EarthModel::drawGlow(float level, float ratio) {
  if (!glowTexture || !(level > 0.0f)) return;  // additive black changes nothing
  glPushMatrix();
  if (camera) glMultMatrixd(camera->inverseRotation.data());
  glScalef(atmosScale, atmosScale, atmosScale);
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  // Scale the texture coordinates by 2 - k about their centre: the glow image
  // shrinks towards the middle as the camera approaches.
  const float k = glowZoom(ratio);
  glTranslatef((k - 1.0f) / 2.0f, (k - 1.0f) / 2.0f, 1.0f);
  glScalef(2.0f - k, 2.0f - k, 1.0f);
  glDisable(GL_LIGHTING);
  glColor4f(level, level, level, 1.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_TEXTURE_2D);
  glowTexture->bind();
  glowMesh_->draw();
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

}  // namespace orb
