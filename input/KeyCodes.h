#pragma once
// The keys the game plays with, in KeyInput's codes: characters as they are,
// GLUT's special keys + 128 (GLUT_KEY_LEFT is 100, so the left arrow is 228).

namespace orb {

constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyPlus = '+';
constexpr int kKeyEquals = '=';  // '+' without shift on most layouts
constexpr int kKeyMinus = '-';
constexpr int kKeyLeft = 100 + 128;
constexpr int kKeyUp = 101 + 128;
constexpr int kKeyRight = 102 + 128;
constexpr int kKeyDown = 103 + 128;

}  // namespace orb
