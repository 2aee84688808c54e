// Frames of the globe from fixed cameras, for comparing the picture before
// and after a change to the drawing (bench/compare_frames gives the PSNR).
// Usage (under an X server): globe_frames_bench <output prefix> [width height] [--no-programs]
//   --no-programs: draw as a driver without fragment programs would (the multi-pass path)
//   writes <prefix>-far.ppm, -near.ppm, -pole.ppm, -night.ppm, -closest.ppm
#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "gfx/Camera.h"
#include "gfx/GlCapabilities.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "globe/GameWorld.h"
#include "globe/Light.h"

namespace {

void save(const std::string& path, int w, int h) {
  std::vector<unsigned char> px(static_cast<std::size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fprintf(f, "P6 %d %d 255\n", w, h);
  for (int y = h - 1; y >= 0; --y) std::fwrite(&px[static_cast<std::size_t>(y) * w * 3], 1, w * 3, f);
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <prefix> [width height]\n", argv[0]);
    return 2;
  }
  const int w = argc > 3 ? std::atoi(argv[2]) : 960, h = argc > 3 ? std::atoi(argv[3]) : 640;
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(w, h);
  glutCreateWindow("globe_frames_bench");
  glViewport(0, 0, w, h);
  orb::GlCapabilities::get().detect();
  if (argc > 4 && std::string(argv[4]) == "--no-programs") orb::GlCapabilities::get().fragmentPrograms = false;
  const std::string root = GLOBARO_SOURCE_DIR;
  orb::JsonDocument params(root + "devdata/params.json");
  const picojson::value& p = params.root();
  orb::Camera camera(orb::Camera::kPerspective);
  camera.configure(orb::json::at(p, "camera"), static_cast<float>(w) / static_cast<float>(h));
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
  struct View {
    const char* name;
    float latitude, longitude, distance, spin;
  };
  const float far = camera.distance;
  const View views[] = {{"far", 20, 100, far, 30},
                        {"near", 35, 10, far * 0.45f, 200},
                        {"pole", 80, -60, far * 0.7f, 77},
                        {"night", -10, 250, far, 140},
                        {"closest", 42, 77, far * 0.28f, 30}};  // past the clouds: a clear sky
  for (const View& v : views) {
    camera.orientation = orb::quatFromAngles(v.latitude * orb::kDegToRad, v.longitude * orb::kDegToRad);
    camera.distance = v.distance;
    earth.spinAngle = v.spin;
    for (int i = 0; i < 2; ++i) {  // the second frame, once the pipeline is built
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      world.draw();
      glFinish();
      if (i == 1) save(std::string(argv[1]) + "-" + v.name + ".ppm", w, h);
      glutSwapBuffers();
    }
  }
  return 0;
}
