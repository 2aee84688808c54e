#pragma once
// Timing shared by the frame benchmarks: the CPU time of every thread of the
// process (the rasterizer's included, so it is the figure to compare between
// runs), wall time, and percentiles of the samples.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace bench {

inline double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline double wallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The sample at fraction p (0..1) of the sorted samples; -1 when there are none.
inline double percentile(std::vector<double> v, double p) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

struct Samples {
  std::vector<double> wall, cpu;
};

}  // namespace bench
