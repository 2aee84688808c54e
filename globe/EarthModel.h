#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <picojson.h>

#include "gfx/GlCapabilities.h"
#include "globe/RingMesh.h"
#include "globe/SphereMesh.h"

namespace orb {

class Camera;
class CloudCover;
class CloudedSurface;
class GlowProfile;
class Texture;
struct Light;

// The globe: a lit, textured sphere spinning about its polar (y) axis, with an
// optional cloud layer (a darkening shadow on the surface and a brighter shell
// above it) and an optional atmosphere (an additive glow in front and a halo
// ring around the limb). Everything is drawn with the fixed-function pipeline
// and no depth buffer: the drawing order and back-face culling decide what is
// seen. Needs a current GL context for its whole life.
class EarthModel {
 public:
  // params: the parameter root; reads "earth" now and "earth_appearance" in
  // setAppearance. dataDir: prefix of every data path (ends with '/' or is
  // empty). camera: the perspective camera, read for its distance and inverse
  // rotation. caps: vertex buffers for the meshes, glBlendEquation for the
  // reverse-subtract cloud shadow. Out-of-range mesh sizes are clamped with a
  // message on stderr.
  EarthModel(const picojson::value& params, const std::string& dataDir, const Camera* camera,
             const GlCapabilities& caps = GlCapabilities::get());
  ~EarthModel();
  EarthModel(const EarthModel&) = delete;
  EarthModel& operator=(const EarthModel&) = delete;

  // Empty when the parameter root holds every key the globe needs with a
  // usable value, else a one-line reason. The game root checks this before
  // opening its window.
  static std::string checkParams(const picojson::value& params);

  // Element index of "earth_appearance"; index < 0 picks the element of the
  // current local month (0 = January). Loads the surface image (mipmapped) and,
  // with the atmosphere shown, the glow and halo images; otherwise those keep
  // what they held. An index past the end reads the last element.
  void setAppearance(int index);
  // The same with the month (0..11) given instead of read from the clock.
  void setAppearance(int index, int month);
  // The element setAppearance(index) uses in month (0..11).
  static int appearanceIndex(int index, int month);
  // The images a globe with appearance index (this month) reads first: the
  // surface, the clouds and, with the atmosphere, the glow and the halo.
  static std::vector<std::string> imagePaths(const picojson::value& params, const std::string& dataDir,
                                             int index);

  float defaultSpinSpeed() const;  // "earth"."rotate", degrees per second
  // Eases spinSpeed from its current value to `to` (degrees per second).
  void startSpinTween(float to, float duration, int easing);

  void update(float dt);
  // Draws surface, cloud shadow, cloud shell, glow and halo, in that order,
  // with the perspective camera already applied. The halo comes last so its
  // alpha can feather the sphere's silhouette. Leaves blending enabled or not
  // as the last layer set it; lighting off after the clouds, glow or halo.
  void draw();

  const Camera* camera = nullptr;
  int hDiv = 0;              // sphere columns
  int vDiv = 0;              // sphere rows
  float radius = 1.0f;       // globe units
  float spinAngle = 0.0f;    // degrees about +y, no wrap-around
  float spinSpeed = 0.0f;    // degrees per second
  float lightLevel = 1.0f;   // multiplies everything drawn (FadeLight eases it)
  float cloudScale = 1.0f;   // cloud shell radius / globe radius
  float cloudShadow = 0.0f;  // strength of the subtractive cloud shadow
  float airScale = 1.0f;     // halo outer radius / globe radius
  float atmosScale = 1.0f;   // glow radius / globe radius
  Light* light = nullptr;    // the game's first light, applied to the surface
  float cloudLevel = 1.0f;   // cloud visibility 0..1, set each frame by GameWorld
  bool showAtmosphere = true;
  bool showClouds = true;
  std::array<double, 16> sphereModelView{};  // model-view of the last surface draw (picking)

  struct SpinTween {
    float elapsed = 0, from = 0, to = 0, duration = 0;
    int easing = 0;
    bool active = false;
  } spinTween;

  // With the one-pass program the surface texture carries the clouds in its
  // alpha (see CloudCover) and there is no separate cloud texture.
  std::shared_ptr<Texture> surfaceTexture;
  std::unique_ptr<Texture> cloudTexture;
  std::shared_ptr<Texture> glowTexture;
  std::shared_ptr<Texture> haloTexture;

  const SphereMesh& sphere() const { return *sphere_; }
  const SphereMesh& glowMesh() const { return *glowMesh_; }
  const RingMesh& haloRing() const { return *haloRing_; }

 private:
  void drawHalo(float level, float viewRatio);
  // onePass: the surface, both cloud layers and the glow in one pass (see
  // CloudedSurface); clouds: whether the clouds are seen.
  void drawSurface(bool onePass, bool clouds, float level, float viewRatio);
  void drawClouds(float level);
  void drawGlow(float level, float viewRatio);
  // How far the glow's image is drawn in towards its centre (1 far away).
  static float glowZoom(float viewRatio);
  std::shared_ptr<Texture> loadSurface(const std::string& path, bool withClouds);
  // The glow's image, and with the one-pass program its profile when round.
  void loadGlow(const std::string& path);

  const std::string dataDir_;
  picojson::value earthParams_;
  picojson::value appearances_;
  GlCapabilities caps_;
  std::unique_ptr<SphereMesh> sphere_;
  std::unique_ptr<SphereMesh> glowMesh_;
  std::unique_ptr<RingMesh> haloRing_;
  std::unique_ptr<CloudedSurface> cloudedSurface_;  // null without fragment programs
  std::unique_ptr<CloudCover> cloudCover_;          // with cloudedSurface_ only
  std::unique_ptr<GlowProfile> glowProfile_;        // with cloudedSurface_ and a round glow only
  bool surfaceCarriesClouds_ = false;
};

}  // namespace orb
