#pragma once

namespace orb {

// SIGTERM, SIGINT and SIGHUP (a session logging out, a terminal closing) ask
// the game to quit the way Ctrl+Q does: the handler only records the signal,
// and the main loop, seeing it, leaves through exit(0), whose handlers save
// the settings. Nothing else is safe inside a signal handler.
class QuitSignals {
 public:
  // Installs the handlers. A SIGHUP that was ignored when the program started
  // (nohup) stays ignored: the player asked the game to outlive the terminal.
  // SIGINT is handled even when it came in ignored, as it does for a game a
  // script started in the background: a SIGINT sent to it then is meant.
  // Each handler runs once; a second signal of the same kind, should the save
  // hang, ends the process the default way.
  static void install();

  // The signal that asked to quit, 0 while none has.
  static int received();

  // Its name for a message ("SIGTERM"), or "" for 0.
  static const char* name(int signal);
};

}  // namespace orb
