#pragma once

namespace orb {

// Who is asked first: the focus ring of the screens' buttons, then the in-game
// menu, then the globe, and last the tap that keys nobody took become.
enum KeyRank : int { kKeyRankFocus = 0, kKeyRankMenu = 1, kKeyRankGlobe = 2, kKeyRankTap = 3 };

// A receiver of key events (codes as in KeyInput: 1-127 characters, GLUT
// special keys + 128). Unlike touches, a key goes to one receiver: they are
// asked in rank order and the first that takes the key (returns true) ends the
// round, so the focus ring, the in-game menu and the globe never act on the
// same press.
class KeyCallBack {
 public:
  virtual ~KeyCallBack() = default;
  // The first down of a key; held keys do not repeat. True when taken.
  virtual bool keyDown(int code) = 0;
  // Every receiver hears every release, whoever took the press.
  virtual void keyUp(int) {}
  // The window lost the keyboard; the held keys have been released already.
  virtual void focusLost() {}
};

}  // namespace orb
