"""What the real-session tests and the whole-program benchmark share: an X
server of their own, the session and accessibility buses, a window manager,
checked xdotool calls, bounded waits that fail with their reason, and the CPU
time of a process."""

import atexit, importlib.util, os, shutil, socket, subprocess, sys, tempfile, time


class Failed(Exception):
    """A step that cannot go on; the message says what was seen."""


class Report:
    """PASS and FAIL lines under one name. A step that cannot go on (Failed)
    ends the run as a failure with its reason; finish() ends it with status 1
    when a check failed."""

    def __init__(self, name):
        self.name, self.failures = name, []
        sys.excepthook = self._stop

    def _stop(self, kind, value, trace):
        if kind is not Failed:
            return sys.__excepthook__(kind, value, trace)
        print(f"{self.name}: FAIL: {value}; the session cannot go on", flush=True)

    def check(self, what, ok):
        print(f"{self.name}: {'PASS' if ok else 'FAIL'}: {what}", flush=True)
        if not ok:
            self.failures.append(what)

    @staticmethod
    def need(ok, what):
        if not ok:
            raise Failed(what)

    def finish(self):
        failed = len(self.failures)
        print(f"{self.name}: {failed} checks failed" if failed else f"{self.name}: passed")
        sys.exit(1 if failed else 0)


def wait_for(seconds, condition):
    """Polls the condition for at most `seconds`; its last value. A condition
    that fails (a control not found yet) counts as not yet met."""
    end = time.monotonic() + seconds
    while True:
        try:
            value = condition()
        except Failed:
            value = None
        if value or time.monotonic() > end:
            return value
        time.sleep(0.1)


def xdo(*args, env=None):
    """xdotool, checked: a call that fails raises with xdotool's own words."""
    run = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, env=env)
    if run.returncode != 0:
        raise Failed(f"xdotool {' '.join(map(str, args))}: {run.stderr.strip() or run.returncode}")
    return run.stdout.strip()


_thread_ns = {}  # (process, thread): its CPU time when last read


def cpu_seconds(pid):
    """Seconds on a CPU so far, all threads, to the nanosecond. A thread that
    has ended (or ends while it is read) counts with its time when last read."""
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                _thread_ns[pid, task] = int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return sum(ns for (p, _), ns in _thread_ns.items() if p == pid) / 1e9


def begin(name, tools, width, height, purpose):
    """A report under `name` and a session with its X server and buses; when
    a tool (or pyatspi) is missing or no X server starts, exit 77 (skipped)
    saying why."""
    missing = [t for t in tools if not shutil.which(t)]
    missing += [] if importlib.util.find_spec("pyatspi") else ["python3-pyatspi"]
    if missing:
        print(f"{name}: SKIPPED: {' '.join(missing)} missing "
              f"(scripts/setup.sh {purpose} installs it)")
        sys.exit(77)
    report, session = Report(name), Session()
    atexit.register(session.close)
    try:
        session.x_server(width, height)
    except Failed as why:
        print(f"{name}: SKIPPED: {why}")
        sys.exit(77)
    session.buses()
    return report, session


class Session:
    """Processes started for a session, ended politely (so that an X server
    takes its socket with it) when it closes."""

    def __init__(self):
        self.work = tempfile.mkdtemp()
        os.chmod(self.work, 0o700)
        self.procs = []
        self.pipes = []
        self.env = {k: v for k, v in os.environ.items() if k not in (
            "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "WAYLAND_DISPLAY", "XAUTHORITY", "DISPLAY")}
        self.env["XDG_RUNTIME_DIR"] = self.work

    def start(self, args, env=None, **kw):
        kw.setdefault("stdout", subprocess.DEVNULL)
        kw.setdefault("stderr", subprocess.DEVNULL)
        p = subprocess.Popen(args, env=env or self.env, **kw)
        self.procs.append(p)
        return p

    def x_server(self, width, height):
        """Xvfb on a display of its own choosing; it keeps running between
        clients (-noreset), so that none connects while it resets."""
        r, w = os.pipe()
        self.start(["Xvfb", "-displayfd", str(w), "-screen", "0", f"{width}x{height}x24",
                    "-nolisten", "tcp", "-noreset"], pass_fds=[w])
        os.close(w)
        display = os.read(r, 32).decode().strip()
        # Open while the server runs: Xvfb may write to it again, and dies of a
        # closed pipe.
        self.pipes.append(r)
        if not display:
            raise Failed("no X server can start here (Xvfb failed)")

        def answers():
            with socket.socket(socket.AF_UNIX) as s:
                return s.connect_ex(f"/tmp/.X11-unix/X{display}") == 0

        if not wait_for(10, answers):
            raise Failed(f"Xvfb named display :{display} but takes no connection there")
        self.env["DISPLAY"] = ":" + display
        return self.env["DISPLAY"]

    def buses(self):
        """A session bus and the accessibility bus on it."""
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address"],
                         stdout=subprocess.PIPE, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])

    def window_manager(self, seconds=60):
        """openbox, once it has said it manages the screen."""
        log = open(os.path.join(self.work, "openbox.log"), "w+")
        wm = self.start(["openbox"], stdout=log, stderr=log)
        sign = lambda: subprocess.run(  # noqa: E731
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, capture_output=True,
            text=True).stdout
        if not wait_for(seconds, lambda: wm.poll() is not None or "window id" in sign()) \
                or wm.poll() is not None:
            log.seek(0)
            raise Failed(f"openbox gave no sign of life in {seconds} s (status {wm.poll()}, "
                         f"root says {sign().strip()!r}, openbox said {log.read().strip()!r})")

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
        for p in self.procs:
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        self.procs = []
        for r in self.pipes:
            os.close(r)
        self.pipes = []
        shutil.rmtree(self.work, ignore_errors=True)
