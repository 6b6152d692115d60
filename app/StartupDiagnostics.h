// Developer aids for measuring and showing the program, switched on by environment variables
// and inert otherwise:
//   QUORRIN_REPORT_STARTUP=1  after the first paint, print the wall-clock time (ms since the
//                             epoch) and the resident memory to standard output, then quit;
//   QUORRIN_SCREENSHOT=path   after the first paint, save a picture of the window to path.
#pragma once

namespace quorrin {

class GAME;

void InstallStartupDiagnostics(GAME& window);

} // namespace quorrin
