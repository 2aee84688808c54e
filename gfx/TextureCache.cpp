#include "gfx/TextureCache.h"

#include <fstream>

namespace orb {
namespace {

// A code names a folder: only letters, digits, '_', '@' and '-' (the locale
// forms "pt_BR", "sr@latin"), never a path.
bool usableCode(const std::string& code) {
  if (code.empty() || code == "en") return false;
  for (char c : code) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '@' || c == '-';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::string TextureCache::resolve(const std::string& path) const {
  if (!usableCode(language_)) return path;
  const std::size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string translated = dir + "lang/" + language_ + "/" + file;
  return std::ifstream(translated, std::ios::binary).good() ? translated : path;
}

std::shared_ptr<Texture> TextureCache::getTexture(const std::string& path) {
  const std::string key = Texture::baseName(path);
  auto it = textures_.find(key);
  if (it != textures_.end()) return it->second.texture;
  const std::string file = resolve(path);
  auto texture = std::make_shared<Texture>(file, false);
  textures_.emplace(key, Entry{texture, path, file});
  return texture;
}

void TextureCache::setLanguage(const std::string& code) {
  if (code == language_) return;
  language_ = code;
  for (auto& entry : textures_) {
    Entry& e = entry.second;
    const std::string file = resolve(e.path);
    if (file != e.loaded && e.texture->replace(file)) e.loaded = file;
  }
}

}  // namespace orb
