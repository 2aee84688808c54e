#pragma once

namespace orb {

// How the C library's allocator gives memory back. By default glibc raises its
// threshold for serving a block with its own mapping to the largest block
// freed so far, so after the first decoded image every later image, mipmap
// level and file buffer lands in the heap and stays resident once freed. The
// game frees its big blocks as soon as they are uploaded, so it keeps the
// threshold fixed: each such block is mapped and unmapped whole (about 6 MB
// less at the peak of a game, measured with bench/scene_bench --memory).
class HeapPolicy {
 public:
  // Call once, first thing in main, before any large allocation.
  static void apply();
};

}  // namespace orb
