// The few platform facts and calls that the board and the windows rely on: twips and screen
// metrics, the state of the left mouse button.
#pragma once

#include <QPoint>
#include <QSize>

namespace quorrin::platform {

// Twips per pixel of the primary screen, horizontally and vertically: 1440 / logical DPI,
// 15 at normal density.
int TwipsPerPixelX();
int TwipsPerPixelY();

// Lengths in twips to pixels and back, at the screen's twips per pixel; halves round to even.
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// The primary screen's size in pixels.
QSize ScreenSize();

// True while the left mouse button is held down. On X11 the X server is asked, so a release
// that went to another window counts too; elsewhere this is the state the application last
// heard of, and a release it never heard of stays unseen.
bool LeftButtonDown();

// Whether LeftButtonDown reads the button itself rather than the application's remembered
// state. Where it cannot, a carried piece must be put back when its window is hidden or loses
// activation, since the release may go to another window.
bool ReadsLeftButtonItself();

} // namespace quorrin::platform
