#pragma once

class QWidget;

namespace kaleidra {

// Moves a top-level window, not yet shown or shown, so that its frame (title
// bar and borders included) is centred on the screen of `owner`. Before the
// window manager has framed it once, the frame is taken to be as wide as the
// owner's. A Wayland compositor places windows itself; there it does nothing.
void CentreOnScreen(QWidget& window, const QWidget* owner);

}  // namespace kaleidra
