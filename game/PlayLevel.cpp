#include "game/PlayLevel.h"

#include <utility>

#include "globe/GameContext.h"

namespace orb {

PlayLevel::PlayLevel(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : PlayCounter(context, std::move(widgets), {"level", "playlevel", 1, -125.0f}) {}

int PlayLevel::shownValue() const { return context_->level + 1; }

}  // namespace orb
