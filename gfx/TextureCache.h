#pragma once
#include <map>
#include <memory>
#include <string>

#include "gfx/Texture.h"

namespace orb {

// Shares one Texture per image among all screens. Keyed by the file's base
// name, so "devdata/game.png" and "other/game.png" are one entry. Owned by the
// game object; entries live as long as the cache.
class TextureCache {
 public:
  // The cached texture for path's base name, loaded (not mipmapped) on first request.
  std::shared_ptr<Texture> getTexture(const std::string& path);

  std::size_t size() const { return textures_.size(); }
  void clear() { textures_.clear(); }

 private:
  std::map<std::string, std::shared_ptr<Texture>> textures_;
};

}  // namespace orb
