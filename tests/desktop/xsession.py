"""What the real-desktop tests share: an Xvfb server of their own on a free display, children
that end with the driver, real input through xdotool, and the way a check fails or is skipped."""

import ctypes
import os
import select
import signal
import subprocess
import sys
import time

SKIPPED = 77


class Failed(Exception):
    pass


def check(ok, message):
    if not ok:
        raise Failed(message)


def skip(message):
    print("SKIPPED: " + message)
    sys.exit(SKIPPED)


def wait_for(what, probe, timeout=5.0):
    """Polls probe until it answers something true, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failed("timed out waiting for " + what)
        time.sleep(0.02)


def die_with_parent():
    """Run in each child: it gets SIGTERM when this driver ends, however it ends."""
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def start_with_line(command, env, what):
    """Starts a child that writes one line (a display number, a bus address) to the file
    descriptor named in its command as {fd}; answers the child and the line, or skips."""
    read, write = os.pipe()
    try:
        child = subprocess.Popen([part.format(fd=write) for part in command], env=env,
                                 pass_fds=(write,), preexec_fn=die_with_parent,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
    except OSError as error:
        skip(f"{what} cannot start ({error})")
    os.close(write)
    line = b""  # written in pieces, ending with a newline
    while not line.endswith(b"\n") and select.select([read], [], [], 10)[0]:
        chunk = os.read(read, 256)
        line += chunk
        if not chunk:
            break
    os.close(read)
    if not line.strip():
        child.terminate()
        skip(f"{what} did not start")
    return child, line.decode().strip()


class XSession:
    """An Xvfb server on a free display (no reset between one client and the next), a private
    home and runtime folder, and the children started on it."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []
        server, display = start_with_line(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             "-noreset"], os.environ, "Xvfb")
        self.processes.append(server)
        self.env = dict(os.environ, DISPLAY=":" + display, XDG_RUNTIME_DIR=folder, HOME=folder)

    def start(self, *command, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=self.env, preexec_fn=die_with_parent,
                                   stdout=subprocess.DEVNULL, **kwargs)
        self.processes.append(process)
        return process

    def xdo(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                process.wait(5)
