"""A throwaway X display and session bus for driving a real Qt program.

Shared by the end-to-end suite and the start-up benchmark. Every process
started here is tracked and stopped by Processes.stop_all(); every wait is a
poll against a deadline.
"""
import os
import select
import signal
import subprocess
import time


class Timeout(AssertionError):
    """A bounded wait ran out."""


def wait_until(condition, seconds, what, interval=0.02):
    """Polls condition() until it returns a true value, which is returned."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Timeout(f"gave up after {seconds} s waiting for {what}")
        time.sleep(interval)


class Processes:
    """Starts processes and stops every one of them that is still running."""

    def __init__(self):
        self._started = []

    def start(self, command, **options):
        process = subprocess.Popen(command, **options)
        self._started.append(process)
        return process

    def stop(self, process, seconds=3):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(seconds)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(seconds)

    def stop_all(self):
        for process in reversed(self._started):
            self.stop(process)
        self._started.clear()


def start_xvfb(processes, seconds=10):
    """Starts Xvfb on a free display number and returns its name (":N")."""
    read_end, write_end = os.pipe()
    try:
        processes.start(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL)
        os.close(write_end)
        number = read_line(read_end, seconds)
    finally:
        os.close(read_end)
    if not number.isdigit():
        raise Timeout(f"Xvfb did not report a display within {seconds} s")
    return ":" + number


def read_line(descriptor, seconds):
    """Reads up to a newline. Xvfb writes the number and the newline apart, and
    stops when the descriptor is closed between the two."""
    deadline = time.monotonic() + seconds
    data = b""
    while not data.endswith(b"\n"):
        ready, _, _ = select.select([descriptor], [], [], max(0, deadline - time.monotonic()))
        chunk = os.read(descriptor, 16) if ready else b""
        if not chunk:
            break
        data += chunk
    return data.decode(errors="replace").strip()


def bus_name_has_owner(name):
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
        capture_output=True, text=True, timeout=5)
    return reply.returncode == 0 and "boolean true" in reply.stdout


def start_accessibility_bus(processes, runtime_dir, seconds=10):
    """Starts the accessibility bus on the current session bus, with its socket
    in runtime_dir.

    Qt 6.4 starts its accessibility bridge only when it finds org.a11y.Bus on
    the session bus, and never when AT_SPI_BUS_ADDRESS is set. Without a
    runtime directory of its own the launcher puts the socket in
    ~/.cache/at-spi, named after the display only, where another session on
    the same display number would take it over.
    """
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    processes.start(
        ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"],
        env=dict(os.environ, XDG_RUNTIME_DIR=runtime_dir), stdout=subprocess.DEVNULL)
    wait_until(lambda: bus_name_has_owner("org.a11y.Bus"), seconds, "the accessibility bus")
