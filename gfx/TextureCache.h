#pragma once
#include <map>
#include <memory>
#include <string>

#include "gfx/Texture.h"

namespace orb {

// Shares one Texture per image among all screens. Keyed by the file's base
// name, so "devdata/game.png" and "other/game.png" are one entry. Owned by the
// game object; entries live as long as the cache.
//
// Images with words come in one copy per language: with a language set,
// "<dir>/<file>.png" is read from "<dir>/lang/<code>/<file>.png" when that file
// exists. Such a copy has the English image's layout, so the widgets'
// rectangles in the parameter file hold for every language.
class TextureCache {
 public:
  // The cached texture for path's base name, loaded (not mipmapped) on first request.
  std::shared_ptr<Texture> getTexture(const std::string& path);

  // Switches to the language's images ("en" or "": the English ones); textures
  // already handed out are reloaded in place, so screens built before the
  // choice (or before a change in the sound panel) follow it.
  void setLanguage(const std::string& code);
  const std::string& language() const { return language_; }
  // The file path is read from under the current language.
  std::string resolve(const std::string& path) const;

  std::size_t size() const { return textures_.size(); }
  void clear() { textures_.clear(); }

 private:
  struct Entry {
    std::shared_ptr<Texture> texture;
    std::string path;    // as requested
    std::string loaded;  // the file read for the current language
  };
  std::map<std::string, Entry> textures_;
  std::string language_;
};

}  // namespace orb
