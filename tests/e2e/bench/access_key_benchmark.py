"""Access-key benchmark: the time from a key press to the first filled address
field (field 4) of a name lookup, for the access key Alt+I typed in the host
name field and for Space on the focused To IP button. With several programs
(builds before and after a change), each runs in a window of its own and all
are timed in turns.

Both keys are timed alike, from just before xdotool sends the key to the
moment the field's text, polled through the accessibility bus, is no longer
empty. xdotool sends the events of a key combination with no pause between
them, so the difference between the two is the program's own.
Run it through access_key_benchmark.sh.
Usage: access_key_benchmark.py WORK_DIR PRESSES PROGRAM...
"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from desktop_session import wait_until  # noqa: E402
from lookwell_e2e import NAME_IN_JAPAN, WAIT, Lookwell, Session, run  # noqa: E402

FIELD = "IP Address field 4"
WAYS = {
    "Alt+I in the host name": (("alt+h",), "alt+i"),
    "Space on To IP": (("alt+h", "Tab"), "space"),
}


def time_lookup(lookwell, focus_keys, key):
    lookwell.focus()
    lookwell.press("alt+c")
    wait_until(lambda: lookwell.field_text(FIELD) == "", WAIT, "empty fields")
    lookwell.press(*focus_keys)
    started = time.monotonic()
    run("xdotool", "key", "--clearmodifiers", "--delay", "0", key)
    wait_until(lambda: lookwell.field_text(FIELD) != "", WAIT, "the address", interval=0.0005)
    return (time.monotonic() - started) * 1000


def describe(name, times):
    low, median, high = statistics.quantiles(times, n=4)
    return f"{name:44} median {median:6.1f} ms   quartiles {low:6.1f} {high:6.1f}"


def main():
    work_dir, presses, programs = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    times = {(program, way): [] for program in programs for way in WAYS}
    session = Session(programs[0], work_dir)
    try:
        windows = {}
        for program in programs:
            session.program = program
            windows[program] = Lookwell(session, session.new_home())
            windows[program].type(NAME_IN_JAPAN)
        for round_number in range(presses + 1):  # the first round warms up
            for (program, way), taken in times.items():
                elapsed = time_lookup(windows[program], *WAYS[way])
                if round_number > 0:
                    taken.append(elapsed)
        for lookwell in windows.values():
            lookwell.quit()
    finally:
        session.close()

    print(f"key press to the first filled field, {presses} presses each, taken in turns:")
    for program in programs:
        print(program)
        for way in WAYS:
            print("  " + describe(way, times[program, way]))
        medians = [statistics.median(times[program, way]) for way in WAYS]
        print(f"  Alt+I - Space: {medians[0] - medians[1]:+.1f} ms at the median")
    return 0


if __name__ == "__main__":
    sys.exit(main())
