"""Start-up benchmark: the time from exec to the first paint of the dialog and
the peak memory, for Lookwell and its yardsticks, on one private Xvfb display
with a session bus and an accessibility bus, as a desktop user has them.

Every program starts in two homes: one without the update checker's key and
one with it (hkcu/Software/Tidemark under the home's .config), each made
afresh for the run and kept over its starts, as a user's home is. All starts
of all programs in both homes are taken in turns, in a shuffled order per
round, so that whatever else the machine does falls on every program alike.
One warm-up round goes first: it fills the file and font caches and lets
Lookwell record itself once in the home with the key, so that the timed
starts are the everyday ones.

First paint is the moment a program first sends window pixels to the X
server, noted by first_paint_probe (preloaded into every program alike, so no
program is changed for the measurement) together with the processor time the
program has used until then; on a busy machine the processor time shows the
work itself, where the time to first paint also holds the waits for a
processor. Peak memory is the program's resident high-water mark (VmHWM,
what /usr/bin/time -v reports as maximum resident set size) once its dialog
is on screen.

Run it through startup_benchmark.sh, which builds the parts and provides the
private namespaces and session bus.
Usage: startup_benchmark.py PROBE STARTS NAME=PROGRAM...
The first program is the yardstick that the others are compared with.
"""
import os
import random
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import (Processes, start_accessibility_bus, start_xvfb,  # noqa: E402
                             wait_until)

WAIT = 20  # seconds for one start, however slow the machine
HOMES = ("no key", "key")


def peak_resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def make_home(parent, name, with_key):
    home = os.path.join(parent, name.replace(" ", "-"))
    os.makedirs(os.path.join(home, "runtime"), mode=0o700)
    if with_key:
        os.makedirs(os.path.join(home, ".config", "hkcu", "Software", "Tidemark"))
    return home


def one_start(program, probe, home, processes):
    """Starts the program once; returns milliseconds to first paint, the
    processor milliseconds used until then and the peak resident memory in
    KiB at that moment."""
    stamp = os.path.join(home, "first-paint")
    if os.path.exists(stamp):
        os.unlink(stamp)
    environment = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
    environment.update(HOME=home, XDG_RUNTIME_DIR=os.path.join(home, "runtime"),
                       LD_PRELOAD=probe, FIRST_PAINT_STAMP=stamp, QT_QPA_PLATFORM="xcb")
    started = time.monotonic_ns()
    process = processes.start([program], env=environment)

    def painted():
        if process.poll() is not None:
            raise RuntimeError(f"{program} ended with {process.returncode} before painting")
        if not os.path.exists(stamp):
            return None
        line = open(stamp).read()
        return line if line.endswith("\n") else None

    painted_at, used = map(int, wait_until(painted, WAIT, f"the first paint of {program}",
                                           interval=0.002).split())
    peak = peak_resident_kib(process.pid)
    processes.stop(process)
    return (painted_at - started) / 1e6, used / 1e6, peak


def measure(programs, probe, starts, homes, processes):
    """Returns {(home, name): [(ms, processor ms, KiB), ...]} over all timed
    starts."""
    turns = [(home, name) for home in homes for name in programs]
    for home, name in turns:
        one_start(programs[name], probe, homes[home], processes)
    results = {turn: [] for turn in turns}
    shuffle = random.Random(11)
    for _ in range(starts):
        shuffle.shuffle(turns)
        for home, name in turns:
            results[(home, name)].append(one_start(programs[name], probe, homes[home], processes))
    return results


def quartiles(values):
    q1, median, q3 = statistics.quantiles(values, n=4, method="inclusive")
    return q1, median, q3


def medians(samples):
    return [statistics.median(column) for column in zip(*samples)]


def report(programs, starts, results):
    yardstick = next(iter(programs))
    print(f"exec to first paint, processor time until then and peak memory, "
          f"{starts} starts each, taken in turns; ratios to the {yardstick} (medians)")
    print()
    print("| home | program | median ms | quartiles ms | ratio | processor ms | ratio "
          "| peak MiB | ratio |")
    print("| --- | --- | --- | --- | --- | --- | --- | --- | --- |")
    for home in HOMES:
        base = medians(results[(home, yardstick)])
        for name in programs:
            samples = results[(home, name)]
            q1, _, q3 = quartiles([ms for ms, _, _ in samples])
            time, used, peak = medians(samples)
            print(f"| {home} | {name} | {time:.1f} | {q1:.1f} - {q3:.1f} "
                  f"| {time / base[0]:.3f} | {used:.1f} | {used / base[1]:.3f} "
                  f"| {peak / 1024:.1f} | {peak / base[2]:.3f} |")


def main():
    probe, starts = sys.argv[1], int(sys.argv[2])
    programs = dict(argument.split("=", 1) for argument in sys.argv[3:])
    processes = Processes()
    with tempfile.TemporaryDirectory() as parent:
        try:
            os.environ["DISPLAY"] = start_xvfb(processes)
            bus_dir = os.path.join(parent, "accessibility-bus")
            os.makedirs(bus_dir, mode=0o700)
            start_accessibility_bus(processes, bus_dir)
            homes = {home: make_home(parent, home, home == "key") for home in HOMES}
            results = measure(programs, probe, starts, homes, processes)
        finally:
            processes.stop_all()
    report(programs, starts, results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
