#pragma once
#include <memory>
#include <string>

namespace orb {

// The process entry: builds the platform context, GLUT, the application and
// the window, then runs GLUT's main loop for good. Returns only on a start-up
// failure, with the exit status to use.
int runShell(int argc, char** argv, const std::string& installDataDir);

}  // namespace orb
