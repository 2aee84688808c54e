// The JSON document loader fed plain ".json" text, or a ".dz" twin lying
// beside a good plain file (which must then always load, from one or the other).
#include <cstdlib>

#include "FuzzScratch.h"
#include "data/JsonDocument.h"

namespace {
const orb::fuzz::FuzzScratch scratch;
constexpr char kGoodPlain[] = "{\"plain\":true}";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  scratch.clear();
  const bool compressed = orb::fuzz::looksCompressed(data, size);
  if (compressed) {
    scratch.write("doc.dz", data, size);
    scratch.write("doc.json", kGoodPlain, sizeof kGoodPlain - 1);
  } else {
    scratch.write("doc.json", data, size);
  }
  orb::JsonDocument doc(scratch.folder() + "doc.json");
  if (compressed && !doc.loaded()) std::abort();  // the plain file was there to fall back on
  if (!doc.loaded() && (doc.error().empty() || !doc.root().is<picojson::null>())) std::abort();
  return 0;
}
