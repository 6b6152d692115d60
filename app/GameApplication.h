// The program's application-wide settings, shared by the program and the tools that start its
// window the same way.
#pragma once

namespace quorrin {

// Names the application, puts its words in the user's language, and lets it end with its last
// window: closing the game window by its frame leaves a still open About box running; "Quit" ends
// the program at once. Call once, after the QApplication exists.
void SetUpGameApplication();

} // namespace quorrin
