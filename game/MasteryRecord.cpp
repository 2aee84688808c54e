#include "game/MasteryRecord.h"

#include <algorithm>

#include "data/SettingsStore.h"
#include "game/PlaceStats.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {

MasteryRecord::MasteryRecord(GameContext* context) : context_(context) { context_->missedPlaces.clear(); }

void MasteryRecord::judge(bool firstTapHit) {
  if (open_.empty()) return;
  if (context_->settings) PlaceStats(context_->settings->root()).record(open_, firstTapHit);
  std::vector<std::string>& missed = context_->missedPlaces;
  if (!firstTapHit && std::find(missed.begin(), missed.end(), open_) == missed.end()) missed.push_back(open_);
  open_.clear();
}

void MasteryRecord::message(int code) {
  switch (code) {
    case kMsgNewQuestion:
      open_ = context_->placeKey;
      break;
    case kMsgCorrect:
      judge(true);
      break;
    case kMsgMiss:
    case kMsgTimeOut:
      judge(false);
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
