// Time from exec to the first presented frame of the wait caption, and to the
// first frame of the running game (the globe at the window's centre), the way a
// player sees them: the game is started, and the screen is sampled until those
// pixels light up. Prints each run and the medians.
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

// Whether a region given from the window's centre shows anything bright.
bool regionLit(Display* display, Window window, int dx, int dy, int w, int h, unsigned long threshold) {
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(display, window, &attrs) || attrs.map_state != IsViewable) return false;
  XImage* image = XGetImage(display, window, attrs.width / 2 + dx, attrs.height / 2 + dy, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
  if (!image) return false;
  bool lit = false;
  for (int j = 0; j < h && !lit; j += 2)
    for (int i = 0; i < w && !lit; i += 2) lit = (XGetPixel(image, i, j) & 0xffffff) > threshold;
  XDestroyImage(image);
  return lit;
}

// The wait caption: (96..288, 16..48) from the centre.
bool captionShown(Display* d, Window w) { return regionLit(d, w, 96, 16, 192, 32, 0x808080); }
// The game root's first frame: the globe covers the centre, which the wait screen leaves black.
bool globeShown(Display* d, Window w) { return regionLit(d, w, -4, -4, 8, 8, 0x101010); }

struct Times {
  double caption = -1, game = -1;
};

Times oneRun(Display* display, const char* game) {
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execl(game, game, static_cast<char*>(nullptr));
    _exit(127);
  }
  auto since = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
  Times t;
  Window window = 0;
  while (Clock::now() - start < std::chrono::seconds(20)) {
    if (!window) window = findWindow(display, DefaultRootWindow(display), "GLOBARO:1.00");
    if (window && t.caption < 0 && captionShown(display, window)) t.caption = since();
    if (window && globeShown(display, window)) {
      t.game = since();
      break;
    }
    usleep(500);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  usleep(200000);
  return t;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
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
  std::vector<double> captions, games;
  for (int i = 0; i < runs; ++i) {
    const Times t = oneRun(display, argv[1]);
    std::printf("run %d: wait caption %.1f ms, game root %.1f ms\n", i + 1, t.caption, t.game);
    if (t.caption >= 0) captions.push_back(t.caption);
    if (t.game >= 0) games.push_back(t.game);
  }
  if (captions.empty() || games.empty()) return 1;
  std::printf("exec to first wait frame, median of %zu: %.1f ms (target < 250)\n", captions.size(), median(captions));
  std::printf("exec to first game-root frame, median of %zu: %.1f ms (target < 600)\n", games.size(), median(games));
  XCloseDisplay(display);
  return 0;
}
