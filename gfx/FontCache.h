#pragma once
#include <map>
#include <memory>
#include <string>

#include <picojson.h>

#include "gfx/Font.h"

namespace orb {

// Shares one Font per name. Names are described by the parameter file's
// "fonts" section: {"name": {"file": "devdata/fonts/x.ttf", "height": 24}}.
// Owned by the game; fonts live as long as the cache.
class FontCache {
 public:
  // fonts: the "fonts" parameter object (copied); dataDir is prepended to "file".
  FontCache(const picojson::value& fonts, std::string dataDir);

  // The font of that name, built on first request. An unknown name gives a
  // font that draws nothing, after one line on stderr.
  std::shared_ptr<Font> getFont(const std::string& name);

  std::size_t size() const { return fonts_.size(); }

 private:
  picojson::value params_;
  std::string dataDir_;
  std::map<std::string, std::shared_ptr<Font>> fonts_;
};

}  // namespace orb
