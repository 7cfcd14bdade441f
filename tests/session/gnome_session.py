#!/usr/bin/python3
"""The program as a GNOME user meets it: Debian's mutter, nested in an X
server (Xvfb 1600x1000) with its own Xwayland, the program started as a GNOME
session starts it (WAYLAND_DISPLAY and DISPLAY both set, XDG_CURRENT_DESKTOP
GNOME, no QT_QPA_PLATFORM). The boxes are opened through AT-SPI; where they
are is read from what the compositor draws, and how the desktop treats each
window from the window manager's own properties. Exit 1 when a check fails,
77 (skipped) when mutter or a tool is missing.
    gnome_session.py PROGRAM"""

import glob, os, re, subprocess, sys, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from session import begin, wait_for, xdo  # noqa: E402

APP = os.path.realpath(sys.argv[1])
WIDTH, HEIGHT = 1600, 1000
report, session = begin("gnome", ["Xvfb", "mutter", "Xwayland", "xdotool", "xprop", "import",
                                  "dbus-daemon", "/usr/libexec/at-spi-bus-launcher"],
                        WIDTH, HEIGHT, "gnome")
check, need = report.check, report.need
WORK = session.work
os.environ.clear()
os.environ.update(session.env)
log = open(os.path.join(WORK, "mutter.log"), "w+")
session.start(["mutter", "--nested", "--wayland", "--wayland-display=wayland-k"],
              env={**os.environ, "MUTTER_DEBUG_DUMMY_MODE_SPECS": f"{WIDTH}x{HEIGHT}"},
              stdout=log, stderr=log)


def xwayland():
    log.seek(0)
    found = re.search(r"Using public X11 display (:\d+)", log.read())
    auth = glob.glob(os.path.join(WORK, ".mutter-Xwaylandauth.*"))
    return found and auth and (found.group(1), auth[0])


x11 = wait_for(30, xwayland)
log.seek(0)
need(x11 and os.path.exists(os.path.join(WORK, "wayland-k")),
     f"mutter started with its Xwayland (it said: {log.read()[-600:]!r})")
GNOME = {**os.environ, "WAYLAND_DISPLAY": "wayland-k", "DISPLAY": x11[0], "XAUTHORITY": x11[1],
         "XDG_CURRENT_DESKTOP": "GNOME", "XDG_SESSION_TYPE": "wayland",
         "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}


def on_x(*args):
    """A tool run against the program's X server (mutter's Xwayland)."""
    return subprocess.run(list(map(str, args)), env=GNOME, capture_output=True,
                          text=True).stdout.strip()


def x_window(title):
    """The managed X window called `title`, or None (as for a native Wayland window)."""
    for win in on_x("xdotool", "search", "--name", f"^{title}$").split():
        if "window state: Normal" in on_x("xprop", "-id", win, "WM_STATE"):
            return win
    return None


def prop(win, name):
    return on_x("xprop", "-id", win, name) if win else ""


def screen():
    """What the compositor draws: whether a pixel is light (a box's or the panel's face)."""
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                         capture_output=True).stdout
    return lambda x, y: len(raw) == WIDTH * HEIGHT * 3 and min(
        raw[(y * WIDTH + x) * 3:(y * WIDTH + x) * 3 + 3]) > 200


def box_on_screen():
    """The rows and columns right of the panel and below the window's title
    bar where a box's light face spans 200 pixels; its centre, or None."""
    light = screen()
    rows = [y for y in range(60, HEIGHT, 2) if sum(light(x, y) for x in range(300, WIDTH, 2)) > 100]
    cols = [x for x in range(300, WIDTH, 2) if sum(light(x, y) for y in range(60, HEIGHT, 2)) > 40]
    return rows and cols and ((cols[0] + cols[-1]) / 2, (rows[0] + rows[-1]) / 2)


def panel_drawn():
    light = screen()
    return sum(light(x, y) for x in range(10, 110, 4) for y in range(100, 500, 8)) > 600


def centred():
    c = box_on_screen()
    return bool(c) and abs(c[0] - WIDTH / 2) <= 24 and abs(c[1] - HEIGHT / 2) <= 24


def fixed(title):
    actions = prop(x_window(title), "_NET_WM_ALLOWED_ACTIONS")
    return "CLOSE" in actions and "MINIMIZE" not in actions and "MAXIMIZE" not in actions


app = session.start([APP], env=GNOME)
import pyatspi  # noqa: E402


def find(name):
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.get_process_id() == app.pid:
            a.clear_cache()
            return pyatspi.findDescendant(a, lambda x: x.name == name and x.getRoleName() != "label")
    return None


def press(name):
    control = wait_for(20, lambda: find(name))
    need(control, f"{name} found through AT-SPI")
    control.queryAction().doAction(0)


need(wait_for(20, lambda: find("STOP")), "the window appeared with its panel")
main = x_window("Kaleidra")
extents = prop(main, "_NET_FRAME_EXTENTS")
check(f"the window has the desktop's own title bar (mutter's frame: {extents or 'none'})",
      bool(re.search(r"= 0, 0, [1-9]\d*, 0", extents)))
check("the window opens maximised", "MAXIMIZED_VERT" in prop(main, "_NET_WM_STATE"))
# At a user's pace: mutter restores a window still on its way down to the
# task bar in its state, but leaves it undrawn.
need(wait_for(10, panel_drawn), "the window drew its panel")
on_x("xdotool", "windowminimize", main or "0")
wait_for(10, lambda: "HIDDEN" in prop(main, "_NET_WM_STATE") and not panel_drawn())
on_x("xdotool", "windowactivate", main or "0")
check("minimised and restored, it is maximised again",
      wait_for(10, lambda: "HIDDEN" not in prop(main, "_NET_WM_STATE")
               and "MAXIMIZED_VERT" in prop(main, "_NET_WM_STATE")
               and "MAXIMIZED_HORZ" in prop(main, "_NET_WM_STATE") and panel_drawn()))

press("Info")
check("the info box is centred", wait_for(10, centred))
check("the info box offers no minimise or maximise", wait_for(10, lambda: fixed("Info")))
# Input as a user gives it: into the host server, where mutter takes it first.
shown = x_window("Info")
xdo("mousemove", WIDTH - 200, HEIGHT - 200, "click", 1)
time.sleep(0.5)  # a hand's pause: mutter has settled the click before the key comes
xdo("key", "Return")
check("after a click on the main window the info box keeps the keyboard (Return closes it)",
      bool(shown) and wait_for(10, lambda: not x_window("Info") and not centred()))

press("direkt")
find("Position").queryEditableText().setTextContents("-13")  # camera distance 0: a frame fails
check("the error box is centred", wait_for(10, centred))
check("the error box offers no minimise or maximise", wait_for(10, lambda: fixed("Fehler")))

report.finish()
