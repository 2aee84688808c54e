#pragma once
#include "game/PlayCounter.h"

namespace orb {

// The level counter: the "level" panel with the level number (level index + 1)
// as one large digit.
class PlayLevel : public PlayCounter {
 public:
  // context: the game's shared record; widgets: the game screen's widget set ("level").
  PlayLevel(GameContext* context, std::shared_ptr<const WidgetSet> widgets);
  int shownValue() const override;
};

}  // namespace orb
