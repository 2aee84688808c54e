#include "app/HeapPolicy.h"

#include <malloc.h>

namespace orb {
namespace {

// glibc's starting value; setting it explicitly is what stops the raising.
constexpr int kMapThresholdBytes = 128 * 1024;
// Setting the threshold also fixes the heap's trim point at 128 KiB, and the
// driver's per-frame blocks then shrink and regrow the heap several times a
// frame (thousands of brk calls in a short game); a few MiB of slack at the
// top keeps the heap still between frames.
constexpr int kTrimThresholdBytes = 4 * 1024 * 1024;

}  // namespace

void HeapPolicy::apply() {
  mallopt(M_MMAP_THRESHOLD, kMapThresholdBytes);
  mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
}

}  // namespace orb
