// The replay parser on any text (and the loader on ".dz" inputs); whatever it
// keeps must write out and read back to the same records.
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzScratch.h"
#include "records/Replay.h"

namespace {
const orb::fuzz::FuzzScratch scratch;

bool sameRecords(const orb::Replay& a, const orb::Replay& b) {
  if (a.records().size() != b.records().size() || a.seed() != b.seed()) return false;
  for (std::size_t i = 0; i < a.records().size(); ++i) {
    const orb::ReplayRecord& x = a.records()[i];
    const orb::ReplayRecord& y = b.records()[i];
    if (x.time != y.time || x.distance != y.distance || x.touch != y.touch || x.point.x != y.point.x ||
        x.orientation.w != y.orientation.w) {
      return false;
    }
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  orb::Replay replay(nullptr);
  if (orb::fuzz::looksCompressed(data, size)) {
    scratch.clear();
    scratch.write("devdata/replay.dz", data, size);
    replay.load(scratch.folder());
  } else {
    (void)replay.parse(std::string(reinterpret_cast<const char*>(data), size));
  }
  if (replay.records().empty()) return 0;
  orb::Replay again(nullptr);
  if (!again.parse(replay.text()) || !sameRecords(replay, again)) std::abort();
  return 0;
}
