#include "game/PlayKonahen.h"

#include <utility>

#include "globe/GameContext.h"

namespace orb {

PlayKonahen::PlayKonahen(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : PlayCounter(context, std::move(widgets), {"konahen", "playkonahen", 3, -150.0f}) {}

int PlayKonahen::shownValue() const { return context_->correctCount; }

}  // namespace orb
