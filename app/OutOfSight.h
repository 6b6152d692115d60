// What the accessibility bus is told about parts of the window a player does not see: controls
// placed out of sight on purpose, and menus kept hidden in the menu bar.
#pragma once

class QWidget;

namespace quorrin {

// Marks a control placed outside the visible area on purpose: it keeps working for programs
// that call it, but assistive technologies are told it is neither visible nor on screen. Call
// it before the control is shown. The first call also makes every menu bar offer assistive
// technologies only the menus it shows.
void KeepOutOfSight(QWidget& control);

} // namespace quorrin
