// Placing the program's windows on the screen.
#pragma once

class QWidget;

namespace quorrin {

// Centres the top-level window on the primary screen by its frame: title bar and borders
// included where a window manager adds them. The frame's size is known only once the window
// manager has decorated the shown window, so the window is centred again when its frame first
// takes its size after being shown.
void CentreOnScreen(QWidget& window);

} // namespace quorrin
