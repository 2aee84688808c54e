#include "gfx/TextureCache.h"

namespace orb {

std::shared_ptr<Texture> TextureCache::getTexture(const std::string& path) {
  const std::string key = Texture::baseName(path);
  auto it = textures_.find(key);
  if (it != textures_.end()) return it->second;
  auto texture = std::make_shared<Texture>(path, false);
  textures_.emplace(key, texture);
  return texture;
}

}  // namespace orb
