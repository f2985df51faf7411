"""scripts/run.sh where there is no display: the VNC session it serves admits
only the one-time password it prints, and a signal or the closed window ends
everything it started and frees the port.

Usage: run_script_test.py RUN_SCRIPT PROGRAM WORK_DIR
"""
import os
import re
import shutil
import signal
import socket
import struct
import subprocess
import sys
import time
import unittest

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes

RUN_SCRIPT, PROGRAM, WORK = sys.argv[1:4]
SECURITY_VNC = 2  # VNC authentication; 1 would be None, no password at all
KEYSYM_ESCAPE = 0xFF1B


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def unused_x_display():
    number = 90
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


def receive(connection, size):
    data = b""
    while len(data) < size:
        chunk = connection.recv(size - len(data))
        if not chunk:
            raise ConnectionError(f"closed after {data!r}")
        data += chunk
    return data


def vnc_response(password, challenge):
    # VNC authentication is DES with the password as key, each key byte's bits
    # reversed; triple DES with one key three times is plain DES.
    key = bytes(int(f"{byte:08b}"[::-1], 2) for byte in password.encode().ljust(8, b"\0")[:8])
    encryptor = Cipher(algorithms.TripleDES(key * 3), modes.ECB()).encryptor()
    return encryptor.update(challenge) + encryptor.finalize()


def offered_security(connection):
    version = receive(connection, 12)
    connection.sendall(version)
    count = receive(connection, 1)[0]
    return version, set(receive(connection, count))


def authenticate(port, password):
    """Returns the open connection and whether the server accepted PASSWORD."""
    connection = socket.create_connection(("127.0.0.1", port), timeout=5)
    offered_security(connection)
    connection.sendall(bytes([SECURITY_VNC]))
    connection.sendall(vnc_response(password, receive(connection, 16)))
    (result,) = struct.unpack(">I", receive(connection, 4))
    return connection, result == 0


def send_key(connection, keysym):
    connection.sendall(b"\x01")  # ClientInit: share the desktop
    *_, name_length = struct.unpack(">HH16sI", receive(connection, 24))
    receive(connection, name_length)
    for down in (1, 0):
        connection.sendall(struct.pack(">BBxxI", 4, down, keysym))


def processes_of_run(session, home):
    """The run's session, and what left it but kept its home (dbus-launch)."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{entry}/environ", "rb") as environ:
                own_home = f"HOME={home}".encode() in environ.read().split(b"\0")
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            continue
        if fields[0] != "Z" and (int(fields[3]) == session or own_home):
            found.append(int(entry))
    return found


def port_open(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=1).close()
        return True
    except OSError:
        return False


class RunScriptWithoutDisplay(unittest.TestCase):
    def start(self, **display):
        """Starts run.sh in a session of its own, with a fresh home and temporary
        folder, and reads its lines up to the one with the password."""
        self.home = os.path.join(WORK, self.id().rsplit(".", 1)[1])
        shutil.rmtree(self.home, ignore_errors=True)
        self.tmp = os.path.join(self.home, "tmp")
        os.makedirs(self.tmp)
        environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        environment.update(display, HOME=self.home, TMPDIR=self.tmp, LOOKWELL_VNC_PORT=str(free_port()))
        # As from a terminal: SIGINT not ignored, whatever started this test.
        self.script = subprocess.Popen([RUN_SCRIPT, PROGRAM], env=environment, text=True,
                                       stdout=subprocess.PIPE, start_new_session=True,
                                       preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
        self.addCleanup(self.kill_everything)
        self.lines = []
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            line = self.script.stdout.readline()
            self.lines.append(line)
            found = re.search(r"127\.0\.0\.1:(\d+),.*one-time password: (\S+)", line)
            if found:
                return int(found[1]), found[2]
            if not line:
                break
        self.fail(f"no VNC server announced: {self.lines}")

    def kill_everything(self):
        for pid in processes_of_run(self.script.pid, self.home):
            os.kill(pid, signal.SIGKILL)
        self.script.wait(5)
        self.script.stdout.close()

    def assert_all_gone_within(self, seconds, port):
        """Processes, port and temporary files; and the home folder untouched."""
        deadline = time.monotonic() + seconds
        while processes_of_run(self.script.pid, self.home) or port_open(port) or os.listdir(self.tmp):
            self.assertLess(time.monotonic(), deadline,
                            f"left running: {processes_of_run(self.script.pid, self.home)}, "
                            f"port open: {port_open(port)}, left in TMPDIR: {os.listdir(self.tmp)}")
            time.sleep(0.02)
        self.script.wait(1)
        self.assertEqual(os.listdir(self.home), ["tmp"], "written into the home folder")

    def test_only_the_printed_password_gets_in_and_the_closed_window_ends_everything(self):
        port, password = self.start()
        self.assertIn("There is no display here", self.lines[0])
        with socket.create_connection(("127.0.0.1", port), timeout=5) as connection:
            version, security = offered_security(connection)
        self.assertEqual(version, b"RFB 003.008\n")
        self.assertEqual(security, {SECURITY_VNC})

        wrong = "x" + password[1:] if password[0] != "x" else "y" + password[1:]
        refused, accepted = authenticate(port, wrong)
        refused.close()
        self.assertFalse(accepted)

        connection, accepted = authenticate(port, password)
        with connection:
            self.assertTrue(accepted)
            send_key(connection, KEYSYM_ESCAPE)
            self.assert_all_gone_within(10, port)
        self.assertEqual(self.script.returncode, 0)

    def test_each_signal_ends_everything_within_a_second(self):
        for number, name in enumerate(("TERM", "HUP", "INT")):
            with self.subTest(signal=name):
                display = {"DISPLAY": unused_x_display()} if number == 0 else {}
                port, _ = self.start(**display)
                if display:
                    self.assertIn(f'The display "{display["DISPLAY"]}" cannot be reached', self.lines[0])
                os.kill(self.script.pid, getattr(signal, "SIG" + name))
                self.assert_all_gone_within(1, port)
                self.assertNotEqual(self.script.returncode, 0)
                self.doCleanups()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
