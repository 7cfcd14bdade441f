#!/usr/bin/python3
"""The program as a user meets it: the real binary in an X server (Xvfb
1600x1000) under a window manager (openbox), read as a screen reader reads it
(AT-SPI) and driven by real keys and clicks (xdotool) at the places AT-SPI
reports; screenshots only for what only pixels show. Then a start on Wayland
(weston, headless) and starts without a usable display. Every check prints
PASS or FAIL; exit 1 when one fails, 77 (skipped) when a tool is missing.
    real_session.py PROGRAM [RANDOM_SECONDS]"""

import os, random, shutil, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from session import Failed, begin, cpu_seconds, wait_for, xdo  # noqa: E402

APP = os.path.realpath(sys.argv[1])
RANDOM_SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 20
WIDTH, HEIGHT = 1600, 1000  # the screen
report, session = begin("session", ["Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "xmessage",
                                    "import", "dbus-daemon", "/usr/libexec/at-spi-bus-launcher"],
                        WIDTH, HEIGHT, "session")
check, need = report.check, report.need
WORK = session.work


def start(args, env=None, **kw):
    return session.start(args, env=env or dict(os.environ), **kw)


session.window_manager()
os.environ.clear()
os.environ.update(session.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")  # the real xcb window


def sh(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout.strip()


import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402


def events_after(kind, action, until, seconds=10, all_of_them=False):
    """What AT-SPI announces of `kind` after the action, until one of its
    events satisfies `until` (or, for all of them, until the time is up)."""
    seen = []
    listener = lambda e: seen.append(e)  # noqa: E731
    pyatspi.Registry.registerEventListener(listener, kind)
    action()
    end = time.monotonic() + seconds
    while (all_of_them or not any(map(until, seen))) and time.monotonic() < end:
        GLib.MainContext.default().iteration(False) or time.sleep(0.01)
    pyatspi.Registry.deregisterEventListener(listener, kind)
    return [e for e in seen if until(e)]


# ------------------------------------------------------------ the program through AT-SPI

class App:
    def __init__(self, env=None, wide=1500):
        self.log = open(os.path.join(WORK, "app.log"), "w")
        self.proc = start([APP], stdout=self.log, stderr=self.log, env={**os.environ, **(env or {})})
        need(wait_for(20, lambda: self.find("STOP")), "the window appeared with its panel")
        self.window = wait_for(10, lambda: sh("xdotool", "search", "--onlyvisible", "--name",
                                              "^Kaleidra$").split("\n")[0])
        need(self.window, "the window has an X window id")
        need(wait_for(10, lambda: self.extents("Anzeige")[2] >= wide), "the window was maximised")
        xdo("mousemove", *self.centre("Anzeige"))  # off the panel: no hover anywhere

    def root(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.proc.pid:
                app.clear_cache()  # every read asks the program
                return app
        return None

    def find(self, name, role=None):
        """The control called `name` (a field, not its label, unless asked for)."""
        try:
            top = self.root()
            return top and pyatspi.findDescendant(top, lambda a: a.name == name and (
                a.getRoleName() == role if role else a.getRoleName() != "label"))
        except Exception:  # the tree changes under us while it is read
            return None

    def control(self, name, role=None):
        """The control called `name`, or a failure that names it."""
        found = self.find(name, role)
        if not found:
            raise Failed(f"no {role or 'control'} called {name!r} through AT-SPI")
        return found

    def extents(self, name):
        e = self.control(name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def centre(self, name):
        x, y, w, h = self.extents(name)
        return x + w // 2, y + h // 2

    def state(self, name, state):
        a = self.find(name)
        return bool(a) and a.getState().contains(state)

    def shown(self, name):
        return self.state(name, pyatspi.STATE_SHOWING)

    def click(self, name, button=1):
        xdo("mousemove", *self.centre(name), "click", button)

    def type_into(self, name, text):  # click into a field, replace its text
        self.click(name)
        xdo("key", "ctrl+a", "type", "--", text)

    def value(self, name):
        v = self.control(name).queryValue()
        return v.currentValue, v.minimumValue, v.maximumValue, v.minimumIncrement

    def text(self, name):
        t = self.control(name).queryText()
        return t.getText(0, -1)

    def running(self):  # the start button says STOP while the animation runs
        return bool(self.find("STOP"))

    def cpu_share(self, seconds=5):  # of one core, over the next `seconds`
        before = cpu_seconds(self.proc.pid)
        time.sleep(seconds)
        return (cpu_seconds(self.proc.pid) - before) / seconds

    def stop(self):
        self.proc.terminate()
        self.proc.wait(10)


def shot():
    """The screen as rows of (r, g, b)."""
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                         capture_output=True).stdout
    return lambda x, y: tuple(raw[(y * WIDTH + x) * 3:(y * WIDTH + x) * 3 + 3])


def count(px, x, y, w, h, colour):
    return sum(px(i, j) == colour for j in range(y, y + h) for i in range(x, x + w))


def picture_moves(app):
    x, y, w, h = app.extents("Anzeige")
    a, _ = shot(), time.sleep(0.2)
    b = shot()
    return any(a(i, j) != b(i, j) for j in range(y + 100, y + h - 100, 4)
               for i in range(x + 300, x + w - 100, 4))


def frame_of(title):
    """The window manager's frame of the top-level called `title`: x, y, w, h."""
    win = sh("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split("\n")[0]
    if not win:
        return None
    info = dict(line.strip().split(": ", 1) for line in sh("xwininfo", "-id", win).split("\n")
                if ": " in line)
    ext = sh("xprop", "-id", win, "_NET_FRAME_EXTENTS").split("=")[-1].split(",")
    if len(ext) != 4:
        return None
    left, right, top, bottom = map(int, ext)
    return (int(info["Absolute upper-left X"]) - left, int(info["Absolute upper-left Y"]) - top,
            int(info["Width"]) + left + right, int(info["Height"]) + top + bottom, win)


def transient(title, app):
    f = frame_of(title)
    owner = sh("xprop", "-id", f[4], "WM_TRANSIENT_FOR").split("#")[-1] if f else ""
    return owner.strip().startswith("0x") and int(owner, 16) == int(app.window)


def centred(title):
    f = frame_of(title)
    return bool(f) and abs(f[0] + f[2] / 2 - WIDTH / 2) <= 1 and abs(f[1] + f[3] / 2 - HEIGHT / 2) <= 1


# ------------------------------------------------------------ what the last rounds mended

app = App()
face = shot()(*app.centre("Steuerungspanel"))
print(f"session: panel face {face}")

app.type_into("Größe", "12")
app.click("Vollbild")
check("a click after typing 12 into Größe hides the panel",
      wait_for(10, lambda: not app.shown("Steuerungspanel")))
xdo("mousemove", *app.centre("Anzeige"), "click", 1)
check("a press on the picture brings the panel back",
      wait_for(10, lambda: app.shown("Steuerungspanel")))
app.type_into("Basis", "12")
app.click("STOP")
check("a click on STOP after typing 12 into Basis stops the animation",
      wait_for(10, lambda: not app.running()) and not picture_moves(app))
app.click("START")
check("a second click starts it again", wait_for(10, app.running) and picture_moves(app))

announced = events_after("object:property-change:accessible-value",
                         lambda: app.type_into("Größe", "7"),
                         lambda e: e.source.name == "Größe")
check("typing 7 into Größe is announced to a screen reader", bool(announced))
check("a screen reader reads what Größe shows, its range and step (7, 1..10, 1)",
      wait_for(10, lambda: app.value("Größe") == (7, 1, 10, 1)))
app.type_into("Rotation Y", "15")
check("a typed 15 in Rotation Y reads 15 until the field is left",
      wait_for(10, lambda: app.value("Rotation Y")[0] == 15))
xdo("key", "Tab")
check("... and 10 once it is left", wait_for(10, lambda: app.text("Rotation Y") == "10"))

app.type_into("Wechsel", "0")
xdo("key", "Tab")
app.click("Standard")


def arrows_alike():  # "Wechsel" (6) and "Morph" (1): both inside their range
    px = shot()
    (wx, wy, *_), (mx, my, *_) = app.extents("Wechsel"), app.extents("Morph")
    return all(px(wx + 25 + i, wy + j) == px(mx + 25 + i, my + j)
               for i in range(16) for j in range(22))


check("after Standard the arrows of Wechsel look like those of Morph",
      wait_for(10, lambda: app.text("Wechsel") == "6" and arrows_alike()))

app.click("Morph")
xdo("key", "Tab", "space")  # Space selects whichever projection item has the focus
check("Tab into the projection group lands on parallel",
      wait_for(10, lambda: app.state("parallel", pyatspi.STATE_CHECKED))
      and not app.state("direkt", pyatspi.STATE_CHECKED))
app.click("Rot/Blau")
app.click("Standard")
app.click("schwarz")
xdo("key", "Tab", "space")
check("Tab into the effect group lands on Rot/Cyan",
      wait_for(10, lambda: app.state("Rot/Cyan", pyatspi.STATE_CHECKED)))


def indicator_runs():
    """Down the column through the radio indicators' centres: the runs that
    are not the face, and how many of them touch the one before."""
    px, (x, y, _, _) = shot(), app.extents("Rot/Cyan")
    _, last, _, h = app.extents("Grau")
    runs = touching = gap = was = 0
    for j in range(y - 2, last + h + 2):
        on = px(x + 6, j) != face
        if on and not was:
            touching += runs > 0 and gap < 2
            runs += 1
        gap = 0 if on else gap + 1
        was = on
    return runs, touching


check(f"nine separate radio indicators (runs, touching: {indicator_runs()})",
      wait_for(10, lambda: indicator_runs() == (9, 0)))

# The picture fills the whole client area; resizes keep it.
app.click("weiss")
app.click("STOP")
need(wait_for(10, lambda: not app.running()), "STOP stopped the animation")
x, y, w, h = app.extents("Anzeige")
white = (255, 255, 255)
px = shot()
# Some shapes reach the edges, so a few cross pixels may lie there; a strip the
# picture does not cover has no white at all.
edges = (count(px, x + w - 8, y + 200, 8, 400, white), count(px, x + 300, y + h - 20, 1000, 20, white))
check(f"on weiss the right and bottom edges of the window are white (white: {edges} of 3200, 20000)",
      edges[0] >= 0.9 * 3200 and edges[1] >= 0.9 * 20000)
app.click("Vollbild")
wait_for(10, lambda: not app.shown("Steuerungspanel"))
xdo("mousemove", x + w - 4, y + h // 2, "click", 1)
check("a press on the right edge brings the panel back",
      wait_for(10, lambda: app.shown("Steuerungspanel")))

x, y, w, *_ = frame_of("Kaleidra")  # a double click on the title bar unmaximises
xdo("mousemove", x + w // 2, y + 8, "click", "--repeat", 2, "--delay", 80, 1)
wait_for(10, lambda: app.extents("Anzeige")[2] < 1500)
xdo("windowsize", app.window, 900, 650)
need(wait_for(10, lambda: app.extents("Anzeige")[2:] == (900, 650)), "the window took 900x650")
before, (x, y, _, _) = shot(), app.extents("Anzeige")
xdo("windowsize", app.window, 1100, 750)
need(wait_for(10, lambda: app.extents("Anzeige")[2:] == (1100, 750)), "the window took 1100x750")
x2, y2, _, _ = app.extents("Anzeige")
px = wait_for(10, lambda: (lambda p: p if count(p, x2 + 900, y2, 200, 750, white) == 150000
                           else None)(shot()))
check("the newly exposed part shows the background (white)", bool(px))
check("a resize while stopped keeps the picture where it overlaps",
      bool(px) and all(px(x2 + i, y2 + j) == before(x + i, y + j)
                       for j in range(0, 650, 2) for i in range(230, 900, 2)))
xdo("windowsize", app.window, 400, 300)
wait_for(10, lambda: app.extents("Anzeige")[2] != 1100)
check(f"a window sized 400x300 keeps the panel and the buttons ({app.extents('Anzeige')[2:]})",
      app.extents("Anzeige")[2] >= 225 and app.extents("Anzeige")[3] >= 561)
app.stop()

# ------------------------------------------------------------ keyboard, German, boxes

app = App()
app.click("Vollbild")
need(wait_for(10, lambda: not app.shown("Steuerungspanel")), "Vollbild hid the panel")
xdo("key", "Escape")
check("Escape after Vollbild brings the panel back, the focus on Vollbild",
      wait_for(10, lambda: app.shown("Steuerungspanel")
               and app.state("Vollbild", pyatspi.STATE_FOCUSED)))
xdo("key", "F11")
check("F11 hides the panel", wait_for(10, lambda: not app.shown("Steuerungspanel")))
xdo("key", "F11")
check("F11 shows it again", wait_for(10, lambda: app.shown("Steuerungspanel")))

# A menu is announced by the item that takes the focus, not in the window's tree.
focused = events_after("object:state-changed:focused",
                       lambda: (app.click("Größe", button=3), xdo("key", "Down")),
                       lambda e: e.detail1 and e.source.getRoleName() == "menu item")
items = [a.name.split("\t")[0] for a in focused[0].source.parent] if focused else []
check(f"the field's context menu is German ({', '.join(items)})",
      "Einfügen" in items and "Paste" not in items)
xdo("key", "Escape")
app.click("Info")
check("the info box is centred on the screen with its frame", wait_for(10, lambda: centred("Info")))
info = frame_of("Info")
check("the info box is transient for the main window", transient("Info", app))
# Motif hints: functions without minimise (8) and maximise (16), decorations
# without their buttons (32, 64); openbox draws its buttons all the same.
hints = sh("xprop", "-id", info[4], "_MOTIF_WM_HINTS").split("=")[-1].split(",") if info else []
check("the info box asks for no minimise or maximise",
      len(hints) == 5 and int(hints[1], 16) & 24 == 0 and int(hints[2], 16) & 96 == 0
      and "MAXIMIZE" not in sh("xprop", "-id", info[4], "_NET_WM_ALLOWED_ACTIONS"))
xdo("key", "Return")
need(wait_for(10, lambda: not frame_of("Info")), "the info box closed")

app.click("direkt")
app.type_into("Position", "-13")  # camera distance 0: the next frame fails
check("a failing frame shows the error box, centred on the screen with its frame",
      wait_for(10, lambda: centred("Fehler")))
check("the error box is transient for the main window", transient("Fehler", app))
xdo("key", "Return")
check("after OK the defaults are back and the animation runs",
      wait_for(10, lambda: app.text("Position") == "0" and app.running()))

xdo("windowminimize", app.window)
need(wait_for(10, lambda: "Iconic" in sh("xprop", "-id", app.window, "WM_STATE")),
     "the window manager minimised the window")
used = app.cpu_share()
check(f"minimised, the program uses {used:.3%} of a core (at most 0.2 %)", used <= 0.002)
xdo("windowactivate", app.window)
check("shown again, the animation goes on and the button still says STOP",
      wait_for(10, lambda: picture_moves(app)) and app.running())
cover = start(["xmessage", "-geometry", f"{WIDTH}x{HEIGHT}+0+0", "cover"])
need(wait_for(10, lambda: sh("xdotool", "search", "--onlyvisible", "--name", "^xmessage$")),
     "the covering window was mapped")
used = app.cpu_share()
check(f"covered by another window, it uses {used:.3%} of a core (at most 0.2 %)", used <= 0.002)
cover.kill()

app.click("STOP")  # a still picture, so that the screen shows what was saved
need(wait_for(10, lambda: not app.running()), "STOP stopped the animation")
saved = os.path.join(WORK, "gespeichert.png")
xdo("key", "ctrl+s")
need(wait_for(10, lambda: frame_of("Bild speichern")), "Ctrl+S opened the save dialog")
xdo("key", "ctrl+a", "type", "--", saved)
xdo("key", "Return")
need(wait_for(10, lambda: frame_of("Bild gespeichert")), "the program said where the file went")
xdo("key", "Return")
need(wait_for(10, lambda: not frame_of("Bild gespeichert")), "the box closed")
x, y, w, h = app.extents("Anzeige")
raw = subprocess.run(["convert", saved, "-depth", "8", "rgb:-"], capture_output=True).stdout
px = shot()
differ = sum(tuple(raw[(j * w + i) * 3:(j * w + i) * 3 + 3]) != px(x + i, y + j)
             for j in range(0, h, 3) for i in range(300, w, 3)) if len(raw) == w * h * 3 else -1
check(f"Ctrl+S saves through the dialog the picture the window shows ({differ} pixels differ)",
      differ == 0)

xdo("key", "ctrl+q")
check("Ctrl+Q closes the program", wait_for(10, lambda: app.proc.poll() is not None))

# ------------------------------------------------------------ assistive technology as input

from gi.repository import Gio  # noqa: E402


class Requests:
    """Requests on the accessibility bus sent as a flooding client sends
    them: without waiting for replies."""

    def __init__(self):
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                    None, GLib.VariantType("(s)"), 0, -1, None).unpack()[0]
        self.bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def send(self, acc, interface, method, body):
        m = Gio.DBusMessage.new_method_call(acc.app.bus_name, acc.path, interface, method)
        m.set_body(body)
        m.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        self.bus.send_message(m, Gio.DBusSendMessageFlags.NONE)

    def set_value(self, acc, v):
        self.send(acc, "org.freedesktop.DBus.Properties", "Set", GLib.Variant(
            "(ssv)", ("org.a11y.atspi.Value", "CurrentValue", GLib.Variant("d", v))))

    def action(self, acc, index):
        self.send(acc, "org.a11y.atspi.Action", "DoAction", GLib.Variant("(i)", (index,)))


def action_index(acc, name):
    a = acc.queryAction()
    return [a.getName(i) for i in range(a.nActions)].index(name)


def alive(condition):
    def read():
        try:
            return app.proc.poll() is None and condition()
        except Exception:  # a control not found: the program has gone or not answered
            return False
    return read


app = App()
flood = Requests()
size, chroma, grau, blue = (app.find(n) for n in ("Größe", "Chroma", "Grau", "Rot/Blau"))
toggle = action_index(grau, "Toggle")
for i in range(8000):
    flood.set_value(size, 1 + i % 10)
flood.set_value(size, 7)
for i in range(8000):
    flood.action(chroma if i % 2 else grau, toggle)
flood.action(blue, toggle)
flood.bus.flush_sync(None)
wait_for(180, lambda: app.proc.poll() is not None or alive(
    lambda: app.text("Größe") == "7" and app.state("Rot/Blau", pyatspi.STATE_CHECKED))())
check("8,000 value writes and 8,000 actions sent without awaiting replies: the program lives, "
      "takes the last of each (Größe 7, Rot/Blau) and animates",
      alive(lambda: app.text("Größe") == "7" and app.state("Rot/Blau", pyatspi.STATE_CHECKED)
            and picture_moves(app))())
if app.proc.poll() is not None:
    app = App()
app.click("Rot/Cyan")


def write(name, v, shows=None):
    """Writes a value as assistive technology does; what the field then shows
    (once it shows `shows`, or after 2 s)."""
    app.control(name).queryValue().currentValue = v
    return wait_for(2, lambda: (lambda t: t if shows is None or t == shows else None)(
        app.text(name))) or app.text(name)


nan, inf = float("nan"), float("inf")
rows = [(2.0**31, "10"), (-(2.0**31) - 1, "-10"), (4294967301, "10"), (-1e300, "-10"),
        (nan, "-10"), (inf, "10"), (nan, "10"), (-inf, "-10"), (3, "3")]
got = [write("Rotation Y", v, want) for v, want in rows]
check(f"values written to Rotation Y clamp at any size, NaN changes nothing ({got})",
      got == [want for _, want in rows])
app.click("Pulfrich")
need(wait_for(10, lambda: not app.state("Basis", pyatspi.STATE_ENABLED)), "Pulfrich disabled Basis")
app.control("Ebene").queryValue().currentValue = 20
app.control("Basis").queryAction().doAction(action_index(app.control("Basis"), "Increase"))
write("Rotation Y", 1, "1")  # taken after the two before it, which have then been handled
check("disabled Ebene and Basis refuse a written value and the Increase action",
      app.text("Ebene") == "0" and app.text("Basis") == "4")
app.click("Rot/Cyan")
app.click("Größe")
app.find("Größe").queryEditableText().setTextContents("3")
check("text set into Größe is used as typed (3)", wait_for(10, lambda: app.value("Größe")[0] == 3))
xdo("key", "Tab")
check("... and kept when the field is left", wait_for(5, lambda: app.text("Größe") == "3")
      and app.value("Größe")[0] == 3)

app.click("Morph")
xdo("key", "F11")
need(wait_for(10, lambda: not app.shown("Steuerungspanel")), "F11 hid the panel")
check("with the panel hidden the focus is on the picture",
      wait_for(5, lambda: app.state("Anzeige", pyatspi.STATE_FOCUSED))
      and not app.state("STOP", pyatspi.STATE_FOCUSED))
xdo("key", "space", "Return")
check("... where Space and Enter press nothing", wait_for(1, lambda: not app.running()) is False)
xdo("key", "F11")
check("F11 brings the panel back with the focus on Morph, where it was",
      wait_for(10, lambda: app.state("Morph", pyatspi.STATE_FOCUSED)))


heard = len(events_after("object:property-change:accessible-value", lambda: xdo("key", "Up"),
                         lambda e: e.source.name == "Morph", 1.5, all_of_them=True))
check(f"one arrow step is one value change for a screen reader (heard {heard})", heard == 1)


def names_heard_twice():
    """Controls that a screen reader would name twice: a label or group that
    labels a control under another name, or a radio item its group labels."""
    twice = []
    for acc in pyatspi.findAllDescendants(app.root(), lambda a: a.getRoleName() in (
            "spin button", "radio button", "check box", "push button", "toggle button")):
        for rel in acc.getRelationSet():
            if rel.getRelationType() != pyatspi.RELATION_LABELLED_BY:
                continue
            for i in range(rel.getNTargets()):
                t = rel.getTarget(i)
                if t.getRoleName() == "label" and t.name != acc.name or (
                        acc.getRoleName() == "radio button" and t.getRoleName() == "panel"):
                    twice.append(f"{acc.name} by {t.name}")
    return twice


twice = names_heard_twice()
check(f"each control's name is heard once ({twice})", not twice)
changes = events_after("object:state-changed", lambda: app.click("STOP"),
                       lambda e: e.source.name in ("STOP", "START") and (
                           e.type.endswith("checked") or e.type.endswith("pressed")))
check("a screen reader hears STOP turn into START", bool(changes))
app.click("START")
app.click("Info")
dialog = wait_for(10, lambda: pyatspi.findDescendant(app.root(), lambda a: a.getRoleName() == "dialog"))
check(f"the info box is named with the program and its version ({dialog and dialog.name})",
      bool(dialog) and "Kaleidra" in dialog.name and "Version 2.1" in dialog.name)
picture = dialog and pyatspi.findDescendant(dialog, lambda a: a.getRoleName() == "image")
check(f"the info box's picture has a name ({picture and picture.name})", bool(picture and picture.name))
xdo("key", "Return")
app.stop()

# ------------------------------------------------------------ larger text, dark palette, short screen

config = os.path.join(WORK, "config")
os.makedirs(os.path.join(config, "qt6ct"))
with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w") as f:
    f.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
            "custom_palette=true\nstyle=Fusion\n[Fonts]\n"
            'general="DejaVu Sans,16,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"\n')


def luminance(c):
    f = [v / 255 for v in c]
    f = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in f]
    return 0.2126 * f[0] + 0.7152 * f[1] + 0.0722 * f[2]


def contrast(name, role):
    """The contrast of a control's text with its background: the commonest
    colour inside it against the one farthest from it."""
    e = app.find(name, role).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    px = shot()
    colours = [px(i, j) for j in range(e.y + 2, e.y + e.height - 2)
               for i in range(e.x + 2, e.x + e.width - 2)]
    lg = luminance(max(set(colours), key=colours.count))
    a, b = sorted((lg, max(map(luminance, colours), key=lambda v: abs(v - lg))))
    return (b + 0.05) / (a + 0.05)


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def crowded(top):
    """Controls of a box that overlap each other or stick out of it."""
    faults = []
    for box in [top] + pyatspi.findAllDescendants(top, lambda a: a.getRoleName() == "panel"):
        outer, rects, todo = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), [], list(box)
        while todo:  # through the plain holders, down to the controls
            k = todo.pop()
            if not k.getState().contains(pyatspi.STATE_SHOWING):
                continue
            if k.getRoleName() == "filler":
                todo.extend(k)
            else:
                rects.append((k.name, k.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)))
        for n, r in rects:
            if r.x < outer.x or r.y < outer.y or r.x + r.width > outer.x + outer.width \
                    or r.y + r.height > outer.y + outer.height:
                faults.append(f"{n} outside {box.name}")
        for i, (n, r) in enumerate(rects):
            for m, q in rects[i + 1:]:
                if overlaps((r.x, r.y, r.width, r.height), (q.x, q.y, q.width, q.height)):
                    faults.append(f"{n} on {m}")
    return faults


app = App({"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config})
x, y, w, h = app.extents("Steuerungspanel")
check(f"with a 16-point desktop font the panel grows with it ({w} x {h}, designed 121 x 561)",
      w >= 121 * 16 / 9 * 0.9)
faults = crowded(app.find("Steuerungspanel")) + crowded(app.find("Schaltflächen"))
check(f"... with nothing overlapping or sticking out ({faults})", not faults)
ratios = {n: round(contrast(n, r), 1) for n, r in (("Wechsel", "label"), ("STOP", None))}
app.click("Info")
need(wait_for(10, lambda: frame_of("Info") and contrast("Version 2.1", "label") > 1),
     "the info box opened and drew its texts")
ratios.update({n: round(contrast(n, r), 1)
               for n, r in (("Version 2.1", "label"), ("kaleidra.example.org", "push button"))})
check(f"under a dark palette every specified text keeps a contrast of 4.5:1 ({ratios})",
      min(ratios.values()) >= 4.5)
faults = crowded(app.find("Version 2.1", "label").parent)
check(f"... and the info box holds its larger texts ({faults})", not faults)
xdo("key", "Return")
app.stop()

app = App({"QT_SCALE_FACTOR": "2"}, wide=700)
frame = frame_of("Kaleidra")
check(f"at 200 % the window fits the 1000-pixel screen (frame {frame and frame[:4]})",
      bool(frame) and frame[1] >= 0 and frame[1] + frame[3] <= HEIGHT)
app.find("Größe").queryComponent().grabFocus()  # AT-SPI speaks in the scaled screen's units
xdo("key", "Tab", "Tab", "Tab")
check("Tab brings Zufall Punkte into view",
      wait_for(5, lambda: app.state("Zufall Punkte", pyatspi.STATE_FOCUSED)
               and sum(app.extents("Zufall Punkte")[1::2]) <= HEIGHT / 2))
app.stop()

# ------------------------------------------------------------ random clicks and keys

app = App()
seed = int(os.environ.get("KALEIDRA_SESSION_SEED", time.time_ns() % 1000000))
print(f"session: random input with seed {seed} (KALEIDRA_SESSION_SEED={seed} replays it)")
dice = random.Random(seed)
keys = "0 1 2 3 5 7 9 minus plus Up Down Tab Return BackSpace Delete Home End F11".split()
panel = app.extents("Steuerungspanel")
buttons = [app.centre(n) for n in ("STOP", "Standard", "Info")]
clicks = boxes = 0


def close_boxes():
    """Return into each box that is open; how many were."""
    closed = 0
    for title in ("Fehler", "Info"):
        f = frame_of(title)
        if f:  # the box may close by itself meanwhile: not a failure
            subprocess.run(["xdotool", "windowactivate", "--sync", f[4], "key", "Return"],
                           capture_output=True)
            closed += 1
    return closed


end = time.monotonic() + RANDOM_SECONDS
while time.monotonic() < end and app.proc.poll() is None:
    if dice.random() < 0.2:
        xdo("key", dice.choice(keys))
    else:
        bx, by = dice.choice(buttons) if dice.random() < 0.3 else (
            panel[0] + dice.randrange(2, panel[2] - 2), panel[1] + dice.randrange(2, panel[3] - 2))
        xdo("mousemove", bx, by, "click", 1)
        clicks += 1
    boxes += close_boxes()
    if not app.shown("Steuerungspanel"):
        xdo("key", "Escape")
    time.sleep(0.05)
print(f"session: {clicks} random clicks, {boxes} boxes closed")
check("the program survives random clicks and keys", app.proc.poll() is None)
need(wait_for(10, lambda: close_boxes() == 0), "every box closed after the random input")
app.click("Standard")


def anaglyph(px, x, y, w, h):
    return (count(px, x, y, w, h, (255, 0, 0)) > 100 and count(px, x, y, w, h, (0, 255, 255)) > 100)


check("after Standard the picture shows red and cyan crosses",
      wait_for(10, lambda: anaglyph(shot(), *app.extents("Anzeige"))))
app.stop()

# ------------------------------------------------------------ no usable display

for env, what in (({"DISPLAY": ":99"}, "a display that is not there"),
                  ({"QT_QPA_PLATFORM": "nonesuch"}, "a platform that does not exist")):
    run = subprocess.run([APP], env={**os.environ, **env}, capture_output=True, text=True,
                         timeout=30)
    check(f"with {what} the program says why and ends with status 1 (got {run.returncode})",
          run.returncode == 1 and "Fenster" in run.stderr)

# ------------------------------------------------------------ Wayland

if shutil.which("weston") and shutil.which("weston-screenshooter"):
    socket = os.path.join(WORK, "wayland-kaleidra")
    start(["weston", "--backend=headless-backend.so", "--use-pixman", "--socket=" + socket,
           f"--width={WIDTH}", f"--height={HEIGHT}", "--idle-time=0", "--debug"])
    wait_for(10, lambda: os.path.exists(socket))
    env = {**os.environ, "WAYLAND_DISPLAY": socket, "QT_QPA_PLATFORM": "wayland"}
    start([APP], env=env)

    def wayland_drawn():
        shots = tempfile.mkdtemp(dir=WORK)
        subprocess.run(["weston-screenshooter"], cwd=shots, env=env, capture_output=True)
        pngs = [f for f in os.listdir(shots) if f.endswith(".png")]
        if not pngs:
            return False
        raw = subprocess.run(["convert", os.path.join(shots, pngs[0]), "-depth", "8", "rgb:-"],
                             capture_output=True).stdout
        px = lambda x, y: tuple(raw[(y * WIDTH + x) * 3:(y * WIDTH + x) * 3 + 3])  # noqa: E731
        return anaglyph(px, 0, 0, WIDTH, HEIGHT) and count(px, 0, 0, 400, HEIGHT, face) > 10000

    check("on Wayland the window shows its panel and red and cyan crosses",
          wait_for(15, wayland_drawn))
else:
    print("session: SKIPPED: weston is missing, no Wayland check")

report.finish()
