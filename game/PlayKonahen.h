#pragma once
#include "game/PlayCounter.h"

namespace orb {

// The found-places counter: the "konahen" panel with the correct count as
// three large digits (leading zeros).
class PlayKonahen : public PlayCounter {
 public:
  // context: the game's shared record; widgets: the game screen's widget set ("konahen").
  PlayKonahen(GameContext* context, std::shared_ptr<const WidgetSet> widgets);
  int shownValue() const override;
};

}  // namespace orb
