"""Start-up guard: the instructions Lookwell executes from exec to its first
paint beyond those of the bare dialog built from the same template, counted by
valgrind's callgrind, against a committed budget (startup_budget.txt beside
this file, one line per Qt minor version: what the two programs share, Qt's
font database and fontconfig among them, costs differently in each). The
difference, unlike a ratio, moves only with what Lookwell itself does; the
budget moves only by an explicit change of that file.

Time to first paint varies by 10 % from run to run on a shared machine, so it
is only ever benchmarked (startup_benchmark.sh); an instruction count repeats,
so it can fail a test.

Each program first starts once without valgrind, which fills fontconfig's
cache (kept outside the homes, shared by both programs); then each starts
three times under callgrind, in turns, each time in a fresh empty home, and
its fewest instructions count: one count moves by up to 0.4 % as the threads
interleave, the fewest of three by about 0.1 % (0.08 million instructions).
first_paint_probe, preloaded, ends the program at its first paint, so the
count stops there. The environment is built from nothing, so that nothing of
the caller's reaches the count: the C.UTF-8 locale, Qt's hash seed fixed, and
a session bus address that leads nowhere, so that no bus takes part (an unset
one lets libdbus start a bus of its own) and with it no accessibility bridge,
whose traffic with another process would make the count depend on that
process's timing.

A budget lies 0.25 million instructions above the highest difference measured
when it was set: the noise of both counts cannot fail it, half a million more
instructions at start-up do. Without valgrind or Xvfb the guard is skipped.

Usage: startup_guard.py PROBE BARE_DIALOG LOOKWELL QT_MAJOR.MINOR
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import Processes, start_xvfb  # noqa: E402

BUDGETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "startup_budget.txt")
SKIPPED = 77
RUNS = 3
WAIT = 120  # seconds for one start under valgrind, however slow the machine


def environment(home, display, cache, probe):
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700)
    return {
        "PATH": os.environ["PATH"], "HOME": home, "DISPLAY": display,
        "XDG_RUNTIME_DIR": runtime, "XDG_CACHE_HOME": cache,
        "LANG": "C.UTF-8", "QT_QPA_PLATFORM": "xcb", "QT_HASH_SEED": "0",
        "DBUS_SESSION_BUS_ADDRESS": f"unix:path={home}/no-bus",
        "LD_PRELOAD": probe, "FIRST_PAINT_STAMP": os.path.join(home, "first-paint"),
        "FIRST_PAINT_EXIT": "1",
    }


def start(command, home, display, cache, probe):
    """Runs command in a fresh home until the program's first paint."""
    os.makedirs(home)
    env = environment(home, display, cache, probe)
    run = subprocess.run(command, env=env, capture_output=True, text=True, timeout=WAIT)
    if run.returncode != 0 or not os.path.exists(env["FIRST_PAINT_STAMP"]):
        raise RuntimeError(f"{command[-1]} did not reach its first paint "
                           f"(exit {run.returncode}):\n{run.stderr}")


def instructions(program, run, parent, display, probe):
    cache = os.path.join(parent, "cache")
    name = f"{os.path.basename(program)}-{run}"
    counts = os.path.join(parent, name + ".callgrind")
    start(["valgrind", "--tool=callgrind", "--quiet", f"--callgrind-out-file={counts}", program],
          os.path.join(parent, name), display, cache, probe)
    with open(counts) as lines:
        return next(int(line.split()[1]) for line in lines if line.startswith("totals:"))


def budget(qt_version):
    with open(BUDGETS) as lines:
        for line in lines:
            fields = line.split("#")[0].split()
            if fields and fields[0] == qt_version:
                return int(fields[1])
    return None


def main():
    probe, yardstick, program, qt_version = sys.argv[1:5]
    missing = [tool for tool in ("valgrind", "Xvfb") if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: no {' or '.join(missing)} to count with")
        return SKIPPED
    programs = (yardstick, program)
    processes = Processes()
    with tempfile.TemporaryDirectory() as parent:
        try:
            display = start_xvfb(processes)
            for each in programs:
                start([each], os.path.join(parent, os.path.basename(each) + "-warm-up"), display,
                      os.path.join(parent, "cache"), probe)
            # In turns; the fewest of each, as the threads' interleaving only adds.
            counts = [[instructions(each, run, parent, display, probe) for each in programs]
                      for run in range(RUNS)]
        finally:
            processes.stop_all()
    base, count = (min(column) for column in zip(*counts))
    allowed = budget(qt_version)
    print(f"instructions from exec to first paint, fewest of {RUNS}: "
          f"{os.path.basename(yardstick)} {base}, {os.path.basename(program)} {count}, "
          f"difference {count - base} (budget for Qt {qt_version}: {allowed})")
    if allowed is None:
        print(f"FAIL: {BUDGETS} holds no budget for Qt {qt_version}")
        return 1
    return 0 if count - base <= allowed else 1


if __name__ == "__main__":
    sys.exit(main())
