#pragma once
#include <map>
#include <memory>
#include <string>

#include <picojson.h>

#include "gfx/TextureCache.h"
#include "gfx/Widget.h"

namespace orb {

// The widgets of one screen, by member name, built from a parameter object
// whose members are widget objects; each also names its atlas with
// "texture" (a path under the data directory, e.g. "devdata/game.png").
class WidgetSet {
 public:
  WidgetSet() = default;
  // dataDir is prepended to each "texture"; screenSize as for Widget. A member
  // that lacks a required key still becomes a widget (missing numbers read
  // 0) after one line on stderr naming it.
  WidgetSet(const picojson::value& params, TextureCache& textures, const std::string& dataDir,
            const int* screenSize);

  // The widget of that name, or null after one line on stderr.
  std::shared_ptr<Widget> get(const std::string& name) const;
  bool has(const std::string& name) const { return widgets_.count(name) != 0; }

  using Map = std::map<std::string, std::shared_ptr<Widget>>;
  const Map& widgets() const { return widgets_; }
  Map::const_iterator begin() const { return widgets_.begin(); }
  Map::const_iterator end() const { return widgets_.end(); }
  std::size_t size() const { return widgets_.size(); }

 private:
  Map widgets_;
};

}  // namespace orb
