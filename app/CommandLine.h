#pragma once
#include <string>

namespace orb {

// What the player asked for on the command line. Parsed before anything opens,
// so --help and --version work without a display.
struct CommandLine {
  enum class Action { Play, Help, Version, Error };

  Action action = Action::Play;
  bool fullscreen = false;  // --fullscreen; --windowed (the default) turns it off again
  std::string language;     // --lang CODE: the language to play in ("" follows the settings, then the desktop)
  std::string problem;      // for Error: what was wrong, as the player should read it

  static CommandLine parse(int argc, const char* const* argv);
  static const char* usage();
};

}  // namespace orb
