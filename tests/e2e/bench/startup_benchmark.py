"""Start-up benchmark: the time from exec to the first paint of the dialog, for
Lookwell and for a bare Qt dialog of the same size and font built the same
way, taken in turns on one private Xvfb display; and Lookwell's peak memory.

First paint is the moment a program first sends window pixels to the X
server, noted by first_paint_probe (preloaded into both programs alike, so
neither program is changed for the measurement). Peak memory is the
program's resident high-water mark (VmHWM, what /usr/bin/time -v reports as
maximum resident set size) once its dialog is on screen.

Run it through startup_benchmark.sh, which builds the parts and provides the
private display namespace and session bus.
Usage: startup_benchmark.py LOOKWELL BARE_DIALOG PROBE [STARTS]
"""
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import Processes, start_xvfb, wait_until  # noqa: E402

WAIT = 20  # seconds for one start, however slow the machine


def peak_resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_start(program, probe, home, processes):
    """Starts the program once; returns milliseconds to first paint and the
    peak resident memory in KiB at that moment."""
    stamp = os.path.join(home, "first-paint")
    if os.path.exists(stamp):
        os.unlink(stamp)
    environment = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=home, LD_PRELOAD=probe,
                       FIRST_PAINT_STAMP=stamp, QT_QPA_PLATFORM="xcb")
    environment.pop("XDG_CONFIG_HOME", None)
    started = time.monotonic_ns()
    process = processes.start([program], env=environment)

    def painted():
        if process.poll() is not None:
            raise RuntimeError(f"{program} ended with {process.returncode} before painting")
        if not os.path.exists(stamp):
            return None
        return open(stamp).read().strip()

    painted_at = int(wait_until(painted, WAIT, f"the first paint of {program}", interval=0.002))
    peak = peak_resident_kib(process.pid)
    processes.stop(process)
    return (painted_at - started) / 1e6, peak


def describe(name, times):
    return (f"{name:12} median {statistics.median(times):7.1f} ms   "
            f"min {min(times):7.1f}   max {max(times):7.1f}   (n={len(times)})")


def main():
    lookwell, bare, probe = sys.argv[1:4]
    starts = int(sys.argv[4]) if len(sys.argv) > 4 else 15
    processes = Processes()
    try:
        os.environ["DISPLAY"] = start_xvfb(processes)
        with tempfile.TemporaryDirectory() as home:
            programs = {"bare dialog": bare, "lookwell": lookwell}
            for program in programs.values():  # warm the font and file caches
                one_start(program, probe, home, processes)
            times = {name: [] for name in programs}
            peaks = {name: [] for name in programs}
            for _ in range(starts):
                for name, program in programs.items():
                    elapsed, peak = one_start(program, probe, home, processes)
                    times[name].append(elapsed)
                    peaks[name].append(peak)
    finally:
        processes.stop_all()

    print(f"exec to first paint, {starts} starts each, taken in turns:")
    for name in programs:
        print(describe(name, times[name]))
    ratio = statistics.median(times["lookwell"]) / statistics.median(times["bare dialog"])
    extra = statistics.median(times["lookwell"]) - statistics.median(times["bare dialog"])
    print(f"lookwell / bare dialog: {ratio:.2f} (median {extra:+.1f} ms)")
    for name in programs:
        print(f"peak resident memory, {name}: {max(peaks[name]) / 1024:.1f} MiB "
              f"(median {statistics.median(peaks[name]) / 1024:.1f} MiB)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
