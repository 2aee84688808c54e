// The reference globe on its own: the same layers as the game's globe pass in
// straight-line GL, 600 frames at 960 x 640; prints the median and 95th
// percentile frame cost (wall and CPU). globe_bench runs it side by side with
// the game's pass.
#define GL_GLEXT_PROTOTYPES 1  // buffer objects and glBlendEquation, as Mesa exports them
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "globe_reference.h"

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(960, 640);
  glutCreateWindow("globe_reference");
  glViewport(0, 0, 960, 640);
  bench::ReferenceGlobe::Setup setup;
  setup.dir = std::string(GLOBARO_SOURCE_DIR) + "devdata/";
  setup.lightOffset[0] = -350;
  setup.lightOffset[1] = 300;
  setup.lightOffset[2] = 700;
  bench::ReferenceGlobe globe(setup);
  // 30 degrees across the height, camera at 450, mirrored frustum as the game's.
  const double h = std::tan(15.0 * 3.14159265358979 / 180.0) * 5.0, w = h * 1.5;
  const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::vector<double> wall, cpu;
  for (int i = 0; i < 610; ++i) {
    timespec c0{}, c1{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
    const auto w0 = std::chrono::steady_clock::now();
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(w, -w, -h, h, 5.0, 3000.0);
    globe.draw(450.0f, identity, identity, static_cast<float>(i) * 0.025f);
    glFinish();
    glutSwapBuffers();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
    if (i < 10) continue;  // the first frames compile the pipelines
    wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - w0).count());
    cpu.push_back((c1.tv_sec - c0.tv_sec) * 1e3 + (c1.tv_nsec - c0.tv_nsec) / 1e6);
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("reference globe, 600 frames: wall median %.2f ms p95 %.2f ms, cpu median %.2f ms p95 %.2f ms\n",
              wall[wall.size() / 2], wall[wall.size() * 95 / 100], cpu[cpu.size() / 2], cpu[cpu.size() * 95 / 100]);
  return 0;
}
