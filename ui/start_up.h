#pragma once

class QCoreApplication;

namespace kaleidra {

// What the program settles before the toolkit starts.

// The command line, answered before any window or display: --help and
// --version print and give 0, an unknown option or an argument prints why
// and gives 2. The toolkit's own options (-platform, -display, ...) pass.
// -1: no answer, the program starts.
int AnswerCommandLine(int argc, char* argv[]);

// Qt's own event loop instead of glib's. A frame passes through the loop
// three times (the timer, the tick, the repaint), and each pass through
// glib's runs prepare, check and dispatch over every source under its locks:
// with Qt's own the program uses a sixth to a third less CPU. Nothing in the
// program needs glib's loop. A value the user set stays.
void ChooseEventLoop();

// X11 (through Xwayland) on a Wayland compositor that draws no title bars
// for its clients, as GNOME's mutter does. Natively there the toolkit draws
// a title bar of its own, cannot place the boxes (mutter puts them in the
// corner), offers minimise and maximise on fixed-size boxes, loses the
// maximised state on minimise, and lets a modal box lose the keyboard. On
// Xwayland the desktop draws its own title bars and places and keeps every
// window as on X11. Only where the user has chosen no platform
// (QT_QPA_PLATFORM unset) and an X server is at hand; a compositor that
// decorates its clients (KDE's kwin) keeps the native window.
void ChoosePlatform();

// Roles a screen reader announces that the toolkit does not give by itself:
// the main window as a frame, the picture as an image rather than an empty
// pane, and the start button (the push button named "StartButton") as a
// check box that is checked while the animation runs, so that the change from
// "STOP" to "START" is heard as the new state of the button in the focus.
void InstallScreenReaderRoles();

// What the program asks of the toolkit before its first window: the roles a
// screen reader announces, and the toolkit's own
// texts (context menus, standard buttons) in German, whatever the locale,
// since every text of the program is German. True when the translation was
// found; without it those few texts stay English.
bool SetUpToolkit(QCoreApplication& app);

}  // namespace kaleidra
