#pragma once
// Key codes as the window library numbers them (GLFW's values), so that the
// rules can name keys without depending on GLFW.
namespace keys {
constexpr int Space = 32;
constexpr int Digit1 = 49;
constexpr int Digit2 = 50;
constexpr int Digit3 = 51;
constexpr int Digit4 = 52;
constexpr int Digit5 = 53;
constexpr int A = 65;
constexpr int D = 68;
constexpr int S = 83;
constexpr int W = 87;
constexpr int Escape = 256;
constexpr int F2 = 291;
constexpr int F3 = 292;
constexpr int F4 = 293;
constexpr int F5 = 294;
constexpr int F6 = 295;
constexpr int F8 = 297;
constexpr int F10 = 299;
}  // namespace keys
