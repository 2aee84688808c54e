// Start-up cost of the sound set (read, parse and upload every WAV) and the
// cost of one play() call, on OpenAL Soft's null backend.
//   cmake --build build --target bench && ALSOFT_DRIVERS=null build/bench/SoundSystem_bench
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "audio/SoundSystem.h"

int main() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  using Clock = std::chrono::steady_clock;
  constexpr int kLoads = 10;
  constexpr int kPlays = 20000;
  const char* const names[] = {"touch_just", "question", "count_down", "lvup"};

  double loadMs = 0.0;
  for (int i = 0; i < kLoads; ++i) {
    const auto t0 = Clock::now();
    orb::SoundSystem sound(GLOBARO_SOURCE_DIR);
    loadMs += std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    if (sound.soundCount() == 0) {
      std::fprintf(stderr, "no sounds loaded\n");
      return 1;
    }
  }
  std::printf("construct + load sound set: %.2f ms (mean of %d)\n", loadMs / kLoads, kLoads);

  orb::SoundSystem sound(GLOBARO_SOURCE_DIR);
  const auto t0 = Clock::now();
  for (int i = 0; i < kPlays; ++i) sound.play(names[i % 4], 1.0f);
  const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / kPlays;
  std::printf("play(): %.2f us per call (mean of %d)\n", us, kPlays);
  return 0;
}
