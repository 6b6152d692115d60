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

// True while the left mouse button is held down, as the application last saw it.
bool LeftButtonDown();

} // namespace quorrin::platform
