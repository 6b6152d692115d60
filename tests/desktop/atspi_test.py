#!/usr/bin/python3
"""The real quorrin program as a screen reader sees it: through the AT-SPI accessibility bus,
read with pyatspi, on an X server (Xvfb) and a session bus of its own, driven by real keys
(XTest through xdotool).

Usage: atspi_test.py PATH/TO/quorrin
Walks the accessible tree to the board, reads its 64 squares and their headers, moves the
keyboard cursor and hears the focus follow it, makes a move with the keyboard and hears it
announced. Exits 77 (skipped) only when Xvfb, the session bus or the accessibility bus cannot
start; any sanitizer report of the program fails the test.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

from xsession import Failed, XSession, check, skip, start_with_line, wait_for

PIECES = {"r": "rook", "n": "knight", "b": "bishop", "q": "queen", "k": "king", "p": "pawn"}
START_RANKS = {8: "rnbqkbnr", 7: "pppppppp", 2: "PPPPPPPP", 1: "RNBQKBNR"}


def expected_names():
    """The 64 squares of the start position in White's view, as the board names them."""
    names = []
    for rank in range(8, 0, -1):
        for file, letter in enumerate("abcdefgh"):
            code = START_RANKS.get(rank, "........")[file]
            piece = ("white " if code.isupper() else "black ") + PIECES.get(code.lower(), "")
            names.append(f"{letter}{rank}, " + (piece if code != "." else "empty"))
    return names


class Desktop(XSession):
    """The X server, a private session bus and the accessibility bus on it."""

    def __init__(self, folder):
        super().__init__(folder)
        bus, address = start_with_line(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address={fd}"],
            self.env, "the session bus")
        self.processes.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        try:
            self.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately",
                       stderr=open(os.path.join(folder, "at-spi.stderr"), "w"))
        except OSError as error:
            skip(f"the accessibility bus cannot start ({error})")
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
               "org.a11y.Bus.GetAddress"]
        deadline = time.monotonic() + 10
        while subprocess.run(ask, env=self.env, capture_output=True).returncode != 0:
            if time.monotonic() > deadline:
                skip("the accessibility bus did not start (org.a11y.Bus never answered)")
            time.sleep(0.1)
        # pyatspi finds the buses through the environment when it is first used.
        os.environ.update(self.env)

    def keys(self, *names):
        """Real key presses, a little apart, to the window with the keyboard focus."""
        self.xdo("key", "--delay", 50, *names)


class Reader:
    """The screen reader's side: the accessible tree and the events heard from it."""

    def __init__(self):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.heard = []
        pyatspi.Registry.registerEventListener(
            self.hear, "object:state-changed:focused", "object:property-change:accessible-name",
            "object:property-change:accessible-description")

    def hear(self, event):
        try:
            self.heard.append((event.type, event.detail1, event.source.name))
        except Exception as error:  # a source gone meanwhile
            self.heard.append((event.type, event.detail1, repr(error)))

    def wait_for(self, what, probe, timeout=10.0):
        """Polls probe until it answers something true, running the event loop meanwhile."""
        def pumped():
            while self.context.iteration(False):
                pass
            return probe()
        return wait_for(what, pumped, timeout)

    def application(self, pid):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == pid:
                return app
        return None

    def find(self, root, role, name):
        """The first accessible below root with that role name and name, breadth first."""
        queue = [root]
        while queue:
            node = queue.pop(0)
            if node is None:
                continue
            if node.getRoleName() == role and node.name == name:
                return node
            queue.extend(node.getChildAtIndex(i) for i in range(min(node.childCount, 100)))
        return None


def run(desktop, reader, program, folder):
    errors = open(os.path.join(folder, "quorrin.stderr"), "w+")
    game = desktop.start(program, stderr=errors)
    try:
        app = reader.wait_for("quorrin on the accessibility bus",
                              lambda: reader.application(game.pid), 60)
        board = reader.wait_for("the board in the accessible tree",
                                lambda: reader.find(app, "table", "Chess board"), 20)
        table = board.queryTable()
        check((table.nRows, table.nColumns) == (8, 8), "the board is not a table of 8 x 8")
        names = [table.getAccessibleAt(r, c).name for r in range(8) for c in range(8)]
        check(names == expected_names(), f"the squares are named {names}")
        headers = [table.getColumnHeader(0).name, table.getRowHeader(0).name]
        check(headers == ["file a", "rank 8"], f"the first column and row are headed {headers}")
        print("PASS the 64 squares and their headers read")

        # The window takes the keyboard (no window manager needed) and gives it to the board,
        # its one control that takes the focus; the cursor starts on e2.
        window = reader.wait_for("the main window", lambda: desktop.xdo(
            "search", "--onlyvisible", "--pid", game.pid, "--name", "^Quorrin $"))[0]
        desktop.xdo("windowfocus", "--sync", window)
        reader.wait_for("the board focused", lambda: board.getState().contains(
            reader.pyatspi.STATE_FOCUSED))
        del reader.heard[:]
        desktop.keys("Up")
        reader.wait_for("the focus on e3", lambda: (
            "object:state-changed:focused", 1, "e3, empty") in reader.heard)
        print("PASS the cursor moved by a key, and the focus followed")

        desktop.keys("Down", "space", "Up", "Up", "Return")
        said = reader.wait_for("the move announced", lambda: [
            name for kind, _, name in reader.heard
            if kind == "object:property-change:accessible-description"])
        check(board.description == "White: pawn e2 to e4",
              f"the board's description is {board.description!r}")
        e4 = table.getAccessibleAt(4, 4).name
        check(e4 == "e4, white pawn, last move", f"e4 is named {e4!r} after the move")
        # A reader that keeps names hears that both squares of the move were renamed.
        renamed = {name for kind, _, name in reader.heard
                   if kind == "object:property-change:accessible-name"}
        check({"e2, empty, last move", e4} <= renamed, f"renamed squares heard: {renamed}")
        print(f"PASS a move by keys, announced ({len(said)} announcement events)")

        # Game > Quit as a screen reader's user would choose it: the menu item's action.
        quit_item = reader.find(app, "menu item", "Quit")
        check(quit_item is not None, "no menu item Quit")
        quit_item.queryAction().doAction(0)
        try:
            status = game.wait(20)
        except subprocess.TimeoutExpired:
            raise Failed("quorrin did not end after Quit")
        check(status == 0, f"quorrin exited with {status}")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()
        errors.seek(0)
        report = errors.read()
        check(not re.search(r"Sanitizer|runtime error", report), "sanitizer report:\n" + report)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    with tempfile.TemporaryDirectory(prefix="quorrin-atspi-") as folder:
        os.chmod(folder, 0o700)
        desktop = Desktop(folder)
        try:
            env = dict(desktop.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
            desktop.env = env
            run(desktop, Reader(), sys.argv[1], folder)
        except Failed as failure:
            print(f"FAIL {failure}")
            return 1
        finally:
            desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
