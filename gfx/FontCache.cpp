#include "gfx/FontCache.h"

#include <cstdio>
#include <utility>

#include "data/Json.h"

namespace orb {

FontCache::FontCache(const picojson::value& fonts, std::string dataDir)
    : params_(fonts), dataDir_(std::move(dataDir)) {}

std::shared_ptr<Font> FontCache::getFont(const std::string& name) {
  auto it = fonts_.find(name);
  if (it != fonts_.end()) return it->second;
  const picojson::value& entry = json::at(params_, name);
  const std::string file = json::string(json::at(entry, "file"));
  if (file.empty()) std::fprintf(stderr, "fonts: no font \"%s\" in the parameters\n", name.c_str());
  auto font = std::make_shared<Font>(file.empty() ? std::string() : dataDir_ + file,
                                     json::integer(entry, "height"));
  fonts_.emplace(name, font);
  return font;
}

}  // namespace orb
