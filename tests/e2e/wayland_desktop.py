"""A headless Wayland desktop for the end-to-end suite: sway with no screen
and no input devices, keys through wtype, windows through sway's tree.

sway refuses to run as root: run_e2e.sh runs the whole suite as an
unprivileged user on this platform.
"""
import glob
import json
import os
import subprocess
import sys
import tempfile

from desktop_session import wait_until

WAIT = 10


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=WAIT, check=True)


def start_sway(processes):
    """Starts sway and points this process's environment at it; returns its
    runtime directory, which the caller removes once sway has ended."""
    # Short, because a socket's path is short: not below the work directory.
    runtime = tempfile.mkdtemp(prefix="lookwell-sway-")
    config = os.path.join(runtime, "config")
    with open(config, "w") as lines:
        lines.write("xwayland disable\n")
    log = open(os.path.join(runtime, "sway.log"), "w")
    sway = processes.start(["sway", "-c", config], stdout=log, stderr=subprocess.STDOUT, env=dict(
        os.environ, XDG_RUNTIME_DIR=runtime, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
        WLR_RENDERER="pixman"))

    def sockets():
        if sway.poll() is not None:
            print(f"SKIP: sway cannot start here:\n{open(log.name).read()}", flush=True)
            sys.exit(77)
        found = glob.glob(f"{runtime}/wayland-[0-9]"), glob.glob(f"{runtime}/sway-ipc.*.sock")
        return all(found) and [paths[0] for paths in found]

    display, ipc = wait_until(sockets, WAIT, "sway's sockets")
    os.environ.pop("DISPLAY", None)
    os.environ.update(WAYLAND_DISPLAY=display, SWAYSOCK=ipc)
    return runtime


def windows():
    """Every window in sway's tree, as the tree describes it."""
    found, nodes = [], [json.loads(run("swaymsg", "-r", "-t", "get_tree").stdout)]
    while nodes:
        node = nodes.pop()
        found += [node] if "pid" in node else []
        nodes += node.get("nodes", []) + node.get("floating_nodes", [])
    return found


def focus(window):
    run("swaymsg", f"[con_id={window}]", "focus")


# Each wtype process plugs in a keyboard of its own, and the first key of a
# new keyboard can be lost: each starts with a Shift that nothing reads, and
# gives the program time to take the new keyboard's map (Qt 6.8 on a loaded
# machine took longer than 50 ms: a key went astray).
FIRST_KEY = ("-P", "Shift_L", "-p", "Shift_L", "-s", "150")
# What Qt says when sway swaps those keyboards: the driver's doing, not the
# program's.
KEYBOARD_SWAP = "qt.qpa.wayland: Ignoring unexpected wl_keyboard.leave event"


def type(text):
    run("wtype", *FIRST_KEY, "--", text)


def press(keys):
    """Keys as xdotool names them: "alt+i", "shift+F10", "Return". A key
    right after a modifier's release is lost unless the client has had time
    for the release."""
    arguments = list(FIRST_KEY)
    for key in keys:
        *modifiers, name = key.split("+")
        arguments += [a for m in modifiers for a in ("-M", m)] + ["-k", name]
        arguments += [a for m in modifiers for a in ("-m", m)] + ["-s", "50"]
    run("wtype", *arguments)
