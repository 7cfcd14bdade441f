#pragma once

namespace kaleidra {

// Roles a screen reader announces that the toolkit does not give by itself:
// the main window as a frame, the picture as an image rather than an empty
// pane, and the start button (the push button named "StartButton") as a
// check box that is checked while the animation runs, so that the change from
// "STOP" to "START" is heard as the new state of the button in the focus.
void InstallScreenReaderRoles();

}  // namespace kaleidra
