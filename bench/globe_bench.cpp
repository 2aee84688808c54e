// The game's globe pass against the reference drawing of the same layers, in
// one run, interleaved in blocks so both see the same machine; then the cost
// of loading one surface image (PNG decode and mipmap build).
//   cmake --build build --target bench
//   LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/globe_bench [--distance D] [extra.png ...]
// --distance: the camera's distance from the globe's centre instead of the
// game's starting one (500, the nearest zoom, is past the clouds).
#define GL_GLEXT_PROTOTYPES 1  // buffer objects and glBlendEquation, as Mesa exports them
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/GlCapabilities.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "gfx/PngImage.h"
#include "globe/EarthModel.h"
#include "globe/GameWorld.h"
#include "globe/Light.h"
#include "globe_reference.h"

namespace {

constexpr int kWidth = 960, kHeight = 640;
constexpr int kFrames = 600, kBlock = 50;

double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double wallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Samples {
  std::vector<double> wall, cpu;
  static double pct(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
  }
};

template <typename Draw>
void timeFrame(Samples& s, Draw draw) {
  const double w0 = wallMs(), c0 = cpuMs();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  draw();
  glFinish();
  glutSwapBuffers();
  s.wall.push_back(wallMs() - w0);
  s.cpu.push_back(cpuMs() - c0);
}

void imageCost(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    std::printf("%s: cannot open\n", path.c_str());
    return;
  }
  std::vector<unsigned char> bytes;
  unsigned char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.insert(bytes.end(), buf, buf + n);
  std::fclose(f);
  std::vector<double> decode, mip;
  orb::PngImage image;
  for (int i = 0; i < 5; ++i) {
    std::string error;
    double t0 = wallMs();
    image = orb::PngImage{};
    if (!image.decode(bytes.data(), bytes.size(), error)) {
      std::printf("%s: %s\n", path.c_str(), error.c_str());
      return;
    }
    decode.push_back(wallMs() - t0);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    t0 = wallMs();
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
    glFinish();
    mip.push_back(wallMs() - t0);
    glDeleteTextures(1, &name);
  }
  std::printf("%-40s %4d x %4d  decode %6.1f ms  gluBuild2DMipmaps %6.1f ms  (median of 5)\n", path.c_str(),
              image.width, image.height, Samples::pct(decode, 0.5), Samples::pct(mip, 0.5));
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("globe_bench");
  glViewport(0, 0, kWidth, kHeight);
  orb::GlCapabilities::get().detect();

  const std::string root = GLOBARO_SOURCE_DIR;
  orb::JsonDocument params(root + "devdata/params.json");
  if (!params.loaded()) {
    std::fprintf(stderr, "devdata/params.json: %s\n", params.error().c_str());
    return 1;
  }
  const picojson::value& p = params.root();
  orb::Camera camera(orb::Camera::kPerspective);
  camera.configure(orb::json::at(p, "camera"), static_cast<float>(kWidth) / kHeight);
  camera.orientation = orb::quatFromAngles(20.0f * orb::kDegToRad, 100.0f * orb::kDegToRad);
  int firstImage = 1;
  if (argc > 2 && std::string(argv[1]) == "--distance") {
    camera.distance = static_cast<float>(std::atof(argv[2]));
    firstImage = 3;
  }
  orb::Light light = orb::Light::fromParams(orb::json::element(orb::json::at(p, "lights"), 0));
  orb::EarthModel earth(p, root, &camera);
  earth.light = &light;
  earth.setAppearance(0);
  orb::GameContext context;
  context.params = &params;
  context.camera = &camera;
  context.earth = &earth;
  context.light = &light;
  orb::GameWorld world(&context);

  const auto setup = bench::ReferenceGlobe::Setup::of(earth, light, p, root);
  bench::ReferenceGlobe reference(setup);

  const float dt = 1.0f / 60.0f;
  float refSpin = 0.0f;
  Samples game, ref;
  // Warm-up: the first frames compile the pipelines.
  for (int i = 0; i < 10; ++i) {
    Samples junk;
    timeFrame(junk, [&] { world.draw(); });
    timeFrame(junk, [&] {
      camera.apply();
      reference.draw(camera.distance, orb::Mat4::fromQuat(camera.orientation).data(), camera.inverseRotation.data(),
                     refSpin);
    });
  }
  for (int done = 0; done < kFrames; done += kBlock) {
    for (int i = 0; i < kBlock; ++i) {
      earth.update(dt);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      timeFrame(game, [&] { world.draw(); });
    }
    for (int i = 0; i < kBlock; ++i) {
      refSpin += earth.spinSpeed * dt;
      // The reference sets its own projection; Camera::apply is only borrowed for the same frustum numbers.
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      camera.apply();
      const orb::Mat4 rot = orb::Mat4::fromQuat(camera.orientation);
      timeFrame(ref, [&] { reference.draw(camera.distance, rot.data(), camera.inverseRotation.data(), refSpin); });
    }
  }
  const char* threads = std::getenv("LP_NUM_THREADS");
  std::printf("globe pass, %d frames at %d x %d, LP_NUM_THREADS=%s (per frame: clear, draw, glFinish, swap)\n", kFrames,
              kWidth, kHeight, threads ? threads : "default");
  std::printf("%-22s %12s %12s %12s %12s\n", "", "wall median", "wall p95", "cpu median", "cpu p95");
  auto row = [](const char* name, const Samples& s) {
    std::printf("%-22s %9.2f ms %9.2f ms %9.2f ms %9.2f ms\n", name, Samples::pct(s.wall, 0.5), Samples::pct(s.wall, 0.95),
                Samples::pct(s.cpu, 0.5), Samples::pct(s.cpu, 0.95));
  };
  row("game (GameWorld)", game);
  row("reference (raw GL)", ref);
  std::printf("%-22s %12.3f %12.3f %12.3f %12.3f   (target <= 1.10)\n", "ratio game/reference",
              Samples::pct(game.wall, 0.5) / Samples::pct(ref.wall, 0.5),
              Samples::pct(game.wall, 0.95) / Samples::pct(ref.wall, 0.95),
              Samples::pct(game.cpu, 0.5) / Samples::pct(ref.cpu, 0.5),
              Samples::pct(game.cpu, 0.95) / Samples::pct(ref.cpu, 0.95));
  std::printf("\nloading one surface image:\n");
  imageCost(root + "devdata/earth_01.png");
  for (int i = firstImage; i < argc; ++i) imageCost(argv[i]);
  return 0;
}
