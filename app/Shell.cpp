#include "app/Shell.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/Application.h"
#include "gfx/GlCapabilities.h"
#include "app/HeapPolicy.h"
#include "app/PlatformContext.h"
#include "app/QuitSignals.h"
#include "app/WindowPlacement.h"
#include "app/WindowIcon.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "gfx/ImagePreload.h"
#include "globe/EarthModel.h"
#include "input/MouseTouch.h"
#include "app/CommandLine.h"
#include "app/FocusWatch.h"
#include "app/WindowVisibility.h"

namespace orb {
namespace {

constexpr int kBaseWidth = 960;
constexpr int kBaseHeight = 640;
constexpr float kScale = 1.0f;
constexpr const char* kVersion = "1.00";
constexpr const char* kWindowTitle = "GLOBARO:1.00";
constexpr unsigned char kCtrlQ = 17, kCtrlR = 18, kCtrlW = 23;

// GLUT callbacks are plain functions; they reach the run's objects through these.
std::unique_ptr<PlatformContext> gPlatform;
std::unique_ptr<Application> gApp;
std::unique_ptr<MouseTouch> gMouse;
long gFrame = 0;
WindowPlacement gPlacement;
FocusWatch gFocus;
WindowVisibility gVisibility;

void shutdown() {
  // Runs from exit(): Ctrl+Q/W, closing the window, or any other exit call.
  gMouse.reset();
  gApp.reset();  // saves the settings
  gPlatform.reset();
}

void onTimer(int period) {
  if (const int signal = QuitSignals::received()) {
    std::cerr << "globaro: " << QuitSignals::name(signal) << " received; saving and quitting\n";
    std::exit(0);  // the path Ctrl+Q takes
  }
  glutTimerFunc(gVisibility.timerPeriod(static_cast<unsigned>(period)), onTimer, period);
  if (gVisibility.shown()) glutPostRedisplay();
}

// Shown again: draw at once rather than at the next, slow, hidden-window tick.
void onWindowStatus(int status) {
  if (gVisibility.status(status)) glutPostRedisplay();
}

void onDisplay() {
  glClear(GL_COLOR_BUFFER_BIT);
  gApp->frame(Application::kFrameStep);
  ++gFrame;
  glutSwapBuffers();
  if (gFocus.lostThisFrame()) gApp->keys().loseFocus();
  switch (gApp->keys().previous()) {
    case kCtrlQ:
    case kCtrlW:
      std::exit(0);
    case kCtrlR:
      glutPositionWindow(gPlacement.resetX, gPlacement.resetY);
      glutReshapeWindow(kBaseWidth, kBaseHeight);
      break;
    default:
      break;
  }
}

void onReshape(int w, int h) {
  gMouse->setWindowSize(w, h);
  gApp->reshape(w, h);
}

void onMouse(int button, int state, int x, int y) {
  const auto which = button == GLUT_LEFT_BUTTON    ? MouseTouch::Button::Left
                     : button == GLUT_RIGHT_BUTTON ? MouseTouch::Button::Right
                                                   : MouseTouch::Button::Other;
  gMouse->button(which, state == GLUT_DOWN, x, y);
}

void onMotion(int x, int y) { gMouse->motion(x, y, gFrame); }

void onKeyboard(unsigned char key, int, int) {
  if (key < 128) {
    gApp->keys().press(key);
    gApp->keys().down(key);
  }
}

void onSpecial(int key, int, int) {
  if (key == GLUT_KEY_F11) {
    glutFullScreenToggle();
    return;
  }
  gApp->keys().press(static_cast<std::uint8_t>(key + 128));
  gApp->keys().down(static_cast<std::uint8_t>(key + 128));
}

void onKeyUp(unsigned char key, int, int) {
  if (key < 128) gApp->keys().up(key);
}
void onSpecialUp(int key, int, int) { gApp->keys().up(static_cast<std::uint8_t>(key + 128)); }

// The parameter file is the one piece of data the game cannot run without; say
// so plainly before any window opens. Null when it is missing or unusable.
std::unique_ptr<JsonDocument> readParameterFile(const std::string& dataDir) {
  if (dataDir.empty()) {
    std::cerr << "globaro: cannot find the game data (devdata/params.json) beside the program, "
                 "one folder above it, or in the installed data folder\n";
    return nullptr;
  }
  auto params = std::make_unique<JsonDocument>(dataDir + "devdata/params.json");
  if (!params->loaded() || !params->root().is<picojson::object>()) {
    std::cerr << "globaro: unusable parameter file: "
              << (params->error().empty() ? params->path() + ": not a JSON object" : params->error()) << "\n";
    return nullptr;
  }
  const std::string globeProblem = EarthModel::checkParams(params->root());
  if (!globeProblem.empty()) {
    std::cerr << "globaro: unusable parameter file " << params->path() << ": " << globeProblem << "\n";
    return nullptr;
  }
  return params;
}

// The globe's large images decode on a worker thread while the window opens
// and the GL driver starts, instead of after them.
void preloadGlobeImages(const picojson::value& params, const std::string& dataDir, const picojson::value& settings) {
  ImagePreload::start(EarthModel::imagePaths(params, dataDir, json::integer(settings, "texture", -1)));
}

std::string executablePath(const char* argv0) {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) return std::string(buf, static_cast<std::size_t>(n));
  return argv0 ? argv0 : "";
}

}  // namespace

int runShell(int argc, char** argv, const std::string& installDataDir) {
  HeapPolicy::apply();
  const CommandLine options = CommandLine::parse(argc, argv);
  switch (options.action) {
    case CommandLine::Action::Help:
      std::cout << CommandLine::usage();
      return 0;
    case CommandLine::Action::Version:
      std::cout << "globaro " << kVersion << "\n";
      return 0;
    case CommandLine::Action::Error:
      std::cerr << "globaro: " << options.problem << "\n" << CommandLine::usage();
      return 2;
    case CommandLine::Action::Play:
      break;
  }
  // GLUT would abort with its own message; say it plainly instead.
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    std::cerr << "globaro: no display to open the game window on (DISPLAY is not set)\n";
    return 1;
  }

  // From here on a quit signal is held until the main loop can save and exit.
  QuitSignals::install();
  gPlatform = std::make_unique<PlatformContext>(executablePath(argc > 0 ? argv[0] : nullptr),
                                                installDataDir);
  std::unique_ptr<JsonDocument> params = readParameterFile(gPlatform->dataDir());
  if (!params) return 1;

  gApp = std::make_unique<Application>(kBaseWidth, kBaseHeight, kScale, gPlatform->dataDir(),
                                       gPlatform->saveDir());
  // Before glutInit, which loads the GL driver: the decoding overlaps that.
  preloadGlobeImages(params->root(), gPlatform->dataDir(), gApp->settings().root());
  params.reset();  // only start-up needed it; the game root reads its own
  glutInit(&argc, argv);
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
  gMouse = std::make_unique<MouseTouch>(gApp->touch());
  LanguageChoice& languages = gApp->languages();
  languages.use(languages.resolve(options.language, json::string(json::at(gApp->settings().root(), "lang"))));

  gPlacement = WindowPlacement::compute(gApp->windowWidth(), gApp->windowHeight(),
                                        glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
  glutInitWindowSize(gPlacement.width, gPlacement.height);
  glutInitWindowPosition(gPlacement.x, gPlacement.y);
  // The stencil lets an outline on the globe be filled, whatever its shape;
  // without one the outline is drawn as a line only.
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_STENCIL);
  if (!glutGet(GLUT_DISPLAY_MODE_POSSIBLE)) glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
  glutCreateWindow(kWindowTitle);
  // A missing icon is cosmetic: apply() has said why, and the game goes on.
  (void)WindowIcon::apply(gPlatform->dataDir());
  gMouse->setWindowSize(gPlacement.width, gPlacement.height);
  if (options.fullscreen) glutFullScreen();

  GlCapabilities::get().detect();
  gApp->init();
  const int period = GlCapabilities::enableSwapControl() ? 15 : 16;

  std::atexit(shutdown);
  glutDisplayFunc(onDisplay);
  glutReshapeFunc(onReshape);
  glutMouseFunc(onMouse);
  glutMotionFunc(onMotion);
  glutKeyboardFunc(onKeyboard);
  glutKeyboardUpFunc(onKeyUp);
  glutSpecialFunc(onSpecial);
  glutSpecialUpFunc(onSpecialUp);
  glutWindowStatusFunc(onWindowStatus);
  // Held keys turn and zoom the globe; their repeats would only restart the press.
  glutIgnoreKeyRepeat(1);

  glHint(GL_FOG_HINT, GL_NICEST);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glDisable(GL_DEPTH_TEST);
  glClearColor(0, 0, 0, 1);

  glutTimerFunc(0, onTimer, period);
  glutMainLoop();
  return 0;
}

}  // namespace orb
