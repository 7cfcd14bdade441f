#!/usr/bin/python3
"""The whole program against the floor: Kaleidra and a minimal Qt window that
repaints one 16 x 16 square every 20 ms, each alone in its own Xvfb of the
given size under openbox, which maximises it. Rounds alternate the two and the
sizes; each run settles, then the CPU time of the process and of its X server
is read over a fixed span (all threads, nanoseconds, /proc/PID/task/*/schedstat).
Prints one table of medians with the spread over the rounds, and exits 1,
naming the bar, when one is missed.
    whole_program.py PROGRAM FLOOR [ROUNDS] [SECONDS]"""

import os, shutil, statistics, subprocess, sys, tempfile, time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "support"))
from cpu_time import cpu_seconds as cpu  # noqa: E402

PROGRAM, FLOOR = sys.argv[1], sys.argv[2]
ROUNDS = int(sys.argv[3]) if len(sys.argv) > 3 else 7
SECONDS = float(sys.argv[4]) if len(sys.argv) > 4 else 5
SIZES = [(1600, 1000), (3840, 2160)]
RUNTIME = tempfile.mkdtemp()
BARS = {(1600, 1000): 1.3, (3840, 2160): 1.5}  # program / floor, program alone

missing = [t for t in ("Xvfb", "openbox", "xdotool") if not shutil.which(t)]
if missing:
    print(f"whole program: SKIPPED: {' '.join(missing)} missing (scripts/setup.sh session)")
    sys.exit(0)


def wait_for(seconds, condition):
    end = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > end:
            return False
        time.sleep(0.1)
    return True


def run(exe, title, width, height):
    """CPU share of one core of the process and of its X server."""
    procs = []
    try:
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0",
                                 f"{width}x{height}x24", "-nolisten", "tcp"],
                                pass_fds=[w], stderr=subprocess.DEVNULL)
        procs.append(xvfb)
        os.close(w)
        env = {**os.environ, "DISPLAY": ":" + os.read(r, 32).decode().strip(),
               "XDG_RUNTIME_DIR": RUNTIME}
        for name in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        procs.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL))
        geometry = lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name",  # noqa
                                        f"^{title}$", "getwindowgeometry", "%@"], env=env,
                                       capture_output=True, text=True).stdout
        time.sleep(0.5)
        app = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        procs.append(app)
        if not wait_for(20, lambda: f"Geometry: {width}x" in geometry()):
            raise RuntimeError(f"{title} did not come up maximised at {width}x{height}")
        time.sleep(2)  # settled: first frames drawn, caches warm
        a0, x0, t0 = cpu(app.pid), cpu(xvfb.pid), time.monotonic()
        time.sleep(SECONDS)
        a1, x1, t1 = cpu(app.pid), cpu(xvfb.pid), time.monotonic()
        return (a1 - a0) / (t1 - t0), (x1 - x0) / (t1 - t0)
    finally:
        for p in reversed(procs):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()


results = {size: {"program": [], "floor": []} for size in SIZES}
for r in range(ROUNDS):
    for size in SIZES:
        order = [("program", PROGRAM, "Kaleidra"), ("floor", FLOOR, "Floor")]
        for name, exe, title in order if r % 2 == 0 else reversed(order):
            results[size][name].append(run(exe, title, *size))

print(f"whole program against the floor: {ROUNDS} rounds of {SECONDS:g} s, median [min, max]")
print(f"| {'figure':34} | {'1600x1000':>22} | {'3840x2160':>22} | {'bar':14} | {'':4} |")
print(f"|{'-' * 36}|{'-' * 24}|{'-' * 24}|{'-' * 16}|{'-' * 6}|")
missed = []


def row(what, values, bar="", met=None, digits=2):
    cells = [f"{statistics.median(v):.{digits}f} [{min(v):.{digits}f}, {max(v):.{digits}f}]"
             for v in values]
    mark = "" if met is None else ("ok" if met else "MISS")
    print(f"| {what:34} | {cells[0]:>22} | {cells[1]:>22} | {bar:14} | {mark:4} |")
    if met is False:
        missed.append(what)


pct = lambda size, name, i: [100 * s[i] for s in results[size][name]]  # noqa: E731
row("program, % of a core", [pct(s, "program", 0) for s in SIZES])
row("floor, % of a core", [pct(s, "floor", 0) for s in SIZES])
ratios = [[p[0] / f[0] for p, f in zip(results[s]["program"], results[s]["floor"])] for s in SIZES]
row("program / floor", ratios, "<= 1.3, <= 1.5",
    all(statistics.median(ratios[i]) <= BARS[s] for i, s in enumerate(SIZES)))
row("X server with program, % of a core", [pct(s, "program", 1) for s in SIZES])
row("X server with floor, % of a core", [pct(s, "floor", 1) for s in SIZES])
with_x = [[(p[0] + p[1]) / (f[0] + f[1]) for p, f in zip(results[s]["program"],
                                                       results[s]["floor"])] for s in SIZES]
row("  program + X / floor + X", with_x)
x_share = [[p[1] / p[0] for p in results[s]["program"]] for s in SIZES]
row("X server / program", x_share, "<= 1", all(statistics.median(v) <= 1 for v in x_share))
print("every whole-program bar met" if not missed else f"missed: {', '.join(missed)}")
sys.exit(1 if missed else 0)
