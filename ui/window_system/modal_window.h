#pragma once

class QDialog;

namespace lookwell {

// Runs a modal window to its end and returns its result, then gives the
// keyboard focus back to the window that owns it, and there to the control
// that had it. A window manager does this by itself; on a display without
// one the focus would stay with the root window once the modal window is
// gone, and keys would reach nothing.
int runModal(QDialog& modal);

} // namespace lookwell
