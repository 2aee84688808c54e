#include "app/QuitSignals.h"

#include <csignal>

namespace orb {
namespace {

volatile std::sig_atomic_t gReceived = 0;

extern "C" void onQuitSignal(int signal) { gReceived = signal; }

void handle(int signal, bool keepIgnored) {
  struct sigaction previous {};
  if (keepIgnored && sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  // Restarting keeps a read or a write of a save from failing with EINTR.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  sigaction(signal, &action, nullptr);
}

}  // namespace

void QuitSignals::install() {
  handle(SIGTERM, false);
  handle(SIGINT, false);
  handle(SIGHUP, true);
}

int QuitSignals::received() { return gReceived; }

const char* QuitSignals::name(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return signal == 0 ? "" : "a signal";
  }
}

}  // namespace orb
