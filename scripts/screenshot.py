#!/usr/bin/python3
"""Saves what a person sees, for a person to look at: the program in Xvfb
(1600 x 1000) under openbox, maximised; with --info, with the info box open.
    scripts/screenshot.py PROGRAM FILE.png [--info]
(scripts/setup.sh session installs the tools.)"""

import os, subprocess, sys, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from session import Failed, Session, wait_for  # noqa: E402

program, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
session = Session()
try:
    session.x_server(1600, 1000)
    session.buses()
    session.window_manager()
    os.environ.update(session.env)
    app = session.start([program], env={**session.env, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})

    def shown(title):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                              capture_output=True, text=True).stdout.split()

    if not wait_for(20, lambda: shown("Kaleidra")):
        raise Failed("the window did not appear")
    if "--info" in sys.argv:
        import pyatspi

        def info():  # the "Info" button, read as a screen reader reads it
            for a in pyatspi.Registry.getDesktop(0):
                if a is not None and a.get_process_id() == app.pid:
                    return pyatspi.findDescendant(a, lambda x: x.name == "Info")
            return None

        button = wait_for(20, info)
        if not button:
            raise Failed("no Info button through AT-SPI")
        button.queryAction().doAction(0)
        if not wait_for(10, lambda: shown("Info")):
            raise Failed("the info box did not open")
    time.sleep(1)  # a few frames drawn
    subprocess.run(["import", "-window", "root", out], check=True)
    print(f"screenshot: {out}")
except Failed as why:
    sys.exit(f"screenshot: {why}")
finally:
    session.close()
