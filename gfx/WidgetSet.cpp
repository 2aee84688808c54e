#include "gfx/WidgetSet.h"

#include <cstdio>

#include "data/Json.h"

namespace orb {

WidgetSet::WidgetSet(const picojson::value& params, TextureCache& textures,
                     const std::string& dataDir, const int* screenSize) {
  for (const auto& [name, member] : json::object(params)) {
    for (const char* key : {"pos", "size", "uv", "col"}) {
      if (!json::at(member, key).is<picojson::array>())
        std::fprintf(stderr, "widget %s: missing \"%s\"\n", name.c_str(), key);
    }
    const std::string atlas = json::string(json::at(member, "texture"));
    if (atlas.empty()) std::fprintf(stderr, "widget %s: missing \"texture\"\n", name.c_str());
    auto texture = atlas.empty() ? nullptr : textures.getTexture(dataDir + atlas);
    widgets_[name] = std::make_shared<Widget>(member, std::move(texture), screenSize);
  }
}

std::shared_ptr<Widget> WidgetSet::get(const std::string& name) const {
  auto it = widgets_.find(name);
  if (it != widgets_.end()) return it->second;
  std::fprintf(stderr, "widget set: no widget \"%s\"\n", name.c_str());
  return nullptr;
}

}  // namespace orb
