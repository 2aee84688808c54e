// The outline reader on any text, and through its file path for ".dz" inputs.
#include <cmath>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "game/OutlineReader.h"

namespace {
const orb::fuzz::FuzzScratch scratch;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  orb::OutlineReader reader;
  std::vector<orb::OutlineReader::Polygon> polygons;
  bool ok = false;
  if (orb::fuzz::looksCompressed(data, size)) {
    scratch.clear();
    scratch.write("outline.dz", data, size);
    ok = reader.read(scratch.folder() + "outline.json", polygons);
  } else {
    ok = reader.parse(std::string(reinterpret_cast<const char*>(data), size), polygons);
  }
  if (!ok && (reader.error().empty() || !polygons.empty())) std::abort();
  for (const auto& polygon : polygons) {
    if (polygon.empty()) std::abort();
    for (const auto& point : polygon) {
      if (std::isnan(point.x) || std::isnan(point.y)) std::abort();  // only numbers become points
    }
  }
  return 0;
}
