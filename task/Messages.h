#pragma once
// The game's one vocabulary: the codes tasks broadcast to each other and the
// layers the task list runs them in. Codes are plain integers on the wire
// (TaskProc::message takes an int), so these are unscoped on purpose; a task
// ignores every code it does not know.

namespace orb {

enum Message : int {
  kMsgControlOn = 0,         // the camera control takes touches again (a question is posed)
  kMsgControlOff = 1,        // the camera control stops taking touches
  kMsgControlBlock = 2,      // title opening: touches blocked until unblocked
  kMsgControlUnblock = 3,
  kMsgLatitudeLocked = 4,    // normal mode: the globe turns about its axis only
  kMsgFreeTurning = 5,       // advanced and survival: the globe turns freely
  kMsgGameCreated = 9,       // a game's tasks exist; the globe fades its clouds
  kMsgQuestionsBegin = 10,   // the start banner is done; the first question follows
  kMsgGameEnding = 11,       // the end-of-game test holds; the round winds down
  kMsgBackToTitle = 12,      // every game task leaves at once
  kMsgPauseToggle = 13,      // the in-game menu pauses or resumes
  kMsgTapsOn = 14,           // a new question is open to taps
  kMsgTapsOff = 15,          // no more answers for this question
  kMsgGlobeTapped = 16,      // a tap picked a globe point (stored in the context)
  kMsgCorrect = 17,
  kMsgMiss = 18,
  kMsgTimeOut = 19,          // the answer clock ran out
  kMsgIntroDone = 20,        // the intro caption is over: start banner
  kMsgGameOverDone = 21,     // the game-over banner is over: results
  kMsgResultsDone = 22,
  kMsgNewQuestion = 23,      // first of the three codes of a new question
  kMsgHudLeave = 25,         // the game-over banner ended: HUD panels slide out
  kMsgLevelUp = 26,
  kMsgAnswerTimeShort = 27,  // the answer clock fell to a quarter (sent by chance)
  kMsgGameClockShort = 28,   // the game clock fell under ten seconds
  kMsgDoYourBest = 29,       // a time-out with time to spare (sent by chance)
  kMsgAgreed = 30,           // the continue button was tapped
  kMsgTitleIntroDone = 31,
  kMsgTitleReady = 32,       // the title opening is over or skipped: panels open now
  kMsgCreditsTapped = 33,
  kMsgCreditsShown = 34,
  kMsgStaffDone = 35,
  kMsgSoundMenuOpened = 36,
  kMsgSoundMenuClosed = 37,
  kMsgEarthMenuOpened = 40,
  kMsgEarthMenuClosed = 41,
  kMsgEarthMenuTimeout = 42,
  kMsgModeChosen = 43,       // a mode button of the title was tapped
  kMsgTitleOpening = 44,     // the title's opening timers
  kMsgDemoEnded = 45,
  kMsgRankingClosed = 46,    // sets the back-to-title request
  kMsgAchievementDone = 47,
  kMsgRankingGone = 48,      // after 46: the light jumps to its end
  kMsgCameraMoveDone = 49,   // a scripted camera move finished
};

// Layers, run in ascending order: logic first, then the globe, the 3D overlays,
// the switch to the 2D projection, and the 2D screens on top.
enum Layer : int {
  kLayerLogic = 0,      // input and game logic
  kLayerGlobe = 1,      // the earth
  kLayerOverlay3D = 2,  // overlays on the globe and camera moves
  kLayer2DSetup = 3,    // switches to the 2D projection
  kLayerScreen = 4,     // every 2D screen
  kLayerKeys = 5,       // the keyboard's focus ring and reticle, above every screen
};

}  // namespace orb
