"""CPU time of a process, for the real session and the whole-program benchmark."""

import os


def cpu_seconds(pid):
    """Seconds on a CPU so far, all live threads, to the nanosecond."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as f:
            total += int(f.read().split()[0])
    return total / 1e9
