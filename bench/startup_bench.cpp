// Time from exec to the first presented frame of the wait caption, the way a
// player sees it: the game is started, and the screen is sampled until the
// caption's pixels light up. Prints each run and the median.
// Usage (under an X server): startup_bench <path of globaro> [runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Window findWindow(Display* display, Window root, const char* title) {
  Window parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name) {
      if (std::strcmp(name, title) == 0) found = children[i];
      XFree(name);
    }
    if (!found) found = findWindow(display, children[i], title);
  }
  if (children) XFree(children);
  return found;
}

// Whether the caption region (96..288, 16..48 from the centre) shows anything.
bool captionShown(Display* display, Window window) {
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(display, window, &attrs) || attrs.map_state != IsViewable) return false;
  const int x = attrs.width / 2 + 96, y = attrs.height / 2 + 16;
  XImage* image = XGetImage(display, window, x, y, 192, 32, AllPlanes, ZPixmap);
  if (!image) return false;
  bool lit = false;
  for (int j = 0; j < 32 && !lit; j += 2)
    for (int i = 0; i < 192 && !lit; i += 2) lit = (XGetPixel(image, i, j) & 0xffffff) > 0x808080;
  XDestroyImage(image);
  return lit;
}

double oneRun(Display* display, const char* game) {
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execl(game, game, static_cast<char*>(nullptr));
    _exit(127);
  }
  double ms = -1;
  Window window = 0;
  while (Clock::now() - start < std::chrono::seconds(20)) {
    if (!window) window = findWindow(display, DefaultRootWindow(display), "GLOBARO:1.00");
    if (window && captionShown(display, window)) {
      ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      break;
    }
    usleep(500);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  usleep(200000);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <globaro> [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "startup_bench: no X display\n");
    return 1;
  }
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = oneRun(display, argv[1]);
    std::printf("run %d: %.1f ms\n", i + 1, ms);
    if (ms >= 0) times.push_back(ms);
  }
  if (times.empty()) return 1;
  std::sort(times.begin(), times.end());
  std::printf("exec to first wait frame, median of %zu: %.1f ms\n", times.size(), times[times.size() / 2]);
  XCloseDisplay(display);
  return 0;
}
