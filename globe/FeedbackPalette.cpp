#include "globe/FeedbackPalette.h"

#include "data/SettingsStore.h"

namespace orb {

FeedbackPalette::FeedbackPalette(const SettingsStore* settings)
    : safe_(settings && settings->getFlag("colour_safe")) {}

}  // namespace orb
