#!/usr/bin/python3
"""The real quorrin program on an X server of its own (Xvfb), driven by real input (xdotool),
seen through its screen (ImageMagick's import) and as a screen reader reads it (pyatspi): what
only a real X server shows. The window's own logic is tested offscreen (GameWindowTest).

Usage: desktop_test.py PATH/TO/quorrin [CHECK...]   (the input checks by default)
Each check runs a program of its own, which must quit with status 0 and no sanitizer report.
Exits 77 (skipped) when Xvfb, or a bus that screen_reader needs, cannot start."""

import ctypes
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time

LIGHT, DARK = (0xE0, 0xE0, 0xE0), (0x80, 0x80, 0x80)  # the board's default square colours
START = {f + r: ("w" if r in "12" else "b") for f in "abcdefgh" for r in "1278"}


class Failed(Exception):
    pass


def check(ok, message):
    if not ok:
        raise Failed(message)


def skip(message):
    print("SKIPPED: " + message)
    sys.exit(77)


def wait_for(what, probe, timeout=5.0):
    """Polls probe until it answers something true, which is returned."""
    deadline = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > deadline:
            raise Failed("timed out waiting for " + what)
        time.sleep(0.02)
    return value


def die_with_parent():  # run in each child: SIGTERM when this driver ends, however it ends
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class Desktop:
    """An Xvfb server, a private home, the children started on it, the tools that drive it."""

    def __init__(self, folder):
        self.folder, self.processes = folder, []
        self.env = dict(os.environ, XDG_RUNTIME_DIR=folder, HOME=folder,
                        XDG_CONFIG_HOME=os.path.join(folder, "config"),
                        XDG_DATA_HOME=os.path.join(folder, "data"),
                        DBUS_SESSION_BUS_ADDRESS=f"unix:path={folder}/no-bus")
        # The checks read English, whatever language the machine speaks.
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            self.env.pop(name, None)
        self.env["LANG"] = "C.UTF-8"
        self.env["DISPLAY"] = ":" + self.start_with_line(
            "Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
            "-noreset")

    def start_with_line(self, *command):
        """Starts a child that writes a line (a display, a bus) to the descriptor {fd}."""
        read, write = os.pipe()
        try:
            self.start(*[part.format(fd=write) for part in command], pass_fds=(write,),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except OSError as error:
            skip(f"{command[0]} cannot start ({error})")
        os.close(write)
        with os.fdopen(read) as pipe:
            line = pipe.readline() if select.select([pipe], [], [], 10)[0] else ""
        return line.strip() or skip(f"{command[0]} did not start")

    def start(self, *command, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=self.env, preexec_fn=die_with_parent, **kwargs)
        self.processes.append(process)
        return process

    def xdo(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def keys(self, *names):
        self.xdo("key", "--delay", 30, *names)

    def start_window_manager(self):
        """Starts openbox and waits until it manages the screen, so that the program's window is
        born managed."""
        log = open(os.path.join(self.folder, "openbox.stderr"), "w+")
        manager = self.start("openbox", "--sm-disable", stderr=log)
        root = lambda: subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                      env=self.env, capture_output=True, text=True).stdout
        wait_for("the window manager", lambda: manager.poll() is not None or "id" in root(), 20)
        check("window id" in root(), f"openbox said: {log.seek(0) or log.read()[-600:]!r}")

    def start_accessibility_bus(self):
        """A session bus, the accessibility bus on it, and the program's accessibility on."""
        if "QT_LINUX_ACCESSIBILITY_ALWAYS_ON" in self.env:  # pyatspi keeps to the first bus
            return
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.start_with_line(
            "dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address={fd}")
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
               "/org/a11y/bus", "org.a11y.Bus.GetAddress"]
        try:
            self.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately",
                       stderr=subprocess.DEVNULL)
            wait_for("org.a11y.Bus to answer", lambda: subprocess.run(
                ask, env=self.env, capture_output=True).returncode == 0, 10)
        except (OSError, Failed) as error:
            skip(f"the accessibility bus did not start ({error})")
        self.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        os.environ.update(self.env)  # where pyatspi looks for the buses

    def geometry(self, window):  # a window's client area on the screen: x, y, width, height
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, capture_output=True,
                              text=True).stdout
        return tuple(int(re.search(name + r":\s+(-?\d+)", info).group(1)) for name in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def shot(self, x, y, w, h):  # the screen's pixels in a rectangle, as RGB bytes
        return subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-depth",
                               "8", "rgb:-"], env=self.env, check=True, capture_output=True).stdout

    def picture(self, x0, y0, w, h):
        """The pixels in a rectangle: screen coordinates to (r, g, b), None outside."""
        data = self.shot(x0, y0, w, h)
        inside = lambda x, y: x0 <= x < x0 + w and y0 <= y < y0 + h
        at = lambda x, y: ((y - y0) * w + x - x0) * 3
        return lambda x, y: tuple(data[at(x, y):at(x, y) + 3]) if inside(x, y) else None

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                process.wait(5)


class Game:
    """One running quorrin: its main window, board and move lists as the screen shows them."""

    def __init__(self, desktop, program, name, *args):
        self.desktop, self.program, self.position = desktop, program, dict(START)
        self.errors = open(os.path.join(desktop.folder, name + ".stderr"), "w+")
        self.process = desktop.start(program, *args, stderr=self.errors)
        # A sanitized build on a busy machine may take a while to start: wait generously.
        self.window = wait_for("the main window", lambda: self.windows("^Quorrin $"), 60)[0]
        # Found twice alike, so that the window has stopped moving.
        found = lambda: (board := self.find_board()) and board == self.find_board() and board
        self.origin, self.size, self.lists = wait_for("the board drawn", found)

    def windows(self, title):  # this program's visible windows with a matching caption
        return self.desktop.xdo("search", "--all", "--onlyvisible", "--pid", self.process.pid,
                                "--name", title)

    def find_board(self):
        """The board's top-left corner (a8's: light, dark squares right of and below it), its
        square size and the two move lists right of it."""
        x0, y0, w, h = self.desktop.geometry(self.window)
        px = self.desktop.picture(x0, y0, w, h)
        for y in range(y0, y0 + h // 2):
            for x in range(x0, x0 + w // 2):
                if px(x, y) == LIGHT and px(x - 1, y) != LIGHT and px(x, y - 1) != LIGHT:
                    size = next((s for s in range(32, 100) if px(x + s, y) == DARK), 0)
                    if size and px(x, y + size) == DARK and px(x + size, y + size) == LIGHT:
                        return (x, y), size, self.find_lists(px, x + 8 * size, y + 4 * size)
        return None

    @staticmethod
    def find_lists(px, x, y):
        """The empty move lists: the wide runs of one colour on a line right of the board,
        each grown up and down to its frame."""
        lists = []
        while px(x, y) is not None:
            start, colour = x, px(x, y)
            while px(x, y) == colour:
                x += 1
            if x - start > 50:
                top = next(t for t in range(y, 0, -1) if px(start, t - 1) != colour)
                bottom = next(b for b in range(y, 10**5) if px(start, b + 1) != colour)
                lists.append((start, top, x - start, bottom - top + 1))
        return lists

    def centre(self, square):  # White's view: a8 top-left
        file, rank = "abcdefgh".index(square[0]), int(square[1])
        return (self.origin[0] + file * self.size + self.size // 2,
                self.origin[1] + (8 - rank) * self.size + self.size // 2)

    def board(self, squares=None):
        """What the squares show (all by default): 'w' or 'b' for a piece, filled cream or dark,
        in the 32-pixel cell at the square's centre; empty squares left out."""
        px = self.desktop.picture(*self.origin, 8 * self.size, 8 * self.size)
        seen = {}
        for square in squares or [f + r for f in "abcdefgh" for r in "12345678"]:
            f, r = "abcdefgh".index(square[0]), 8 - int(square[1])
            background = LIGHT if (f + r) % 2 == 0 else DARK
            x = self.origin[0] + f * self.size + (self.size - 32) // 2
            y = self.origin[1] + r * self.size + (self.size - 32) // 2
            piece = [p for i in range(32) for j in range(32) if (p := px(x + i, y + j)) != background]
            if len(piece) > 30:
                cream = sum(1 for p in piece if p[0] > 150 and p[0] - p[2] >= 20)
                seen[square] = "w" if cream > 30 else "b"
        return seen

    def drag(self, origin, target, hold=None):
        """Presses on the origin square, carries the piece in a few steps to target (a square
        or a point) and releases it there; hold() runs while the button is down."""
        (x, y), (tx, ty) = self.centre(origin), (self.centre(target) if isinstance(target, str)
                                                  else target)
        events = ["mousemove", x, y, "sleep", 0.01, "mousedown", 1]
        for k in (1, 2, 3):
            events += ["sleep", 0.01, "mousemove", x + (tx - x) * k // 3, y + (ty - y) * k // 3]
        if hold:
            self.desktop.xdo(*events)
            hold()
            events = []
        self.desktop.xdo(*events, "sleep", 0.01, "mouseup", 1)

    def play(self, *moves, by=None):
        """Plays each move ("e2-e4"; "d5-e5+" when a message box follows) by dragging, or by
        another way of moving, and waits until the board shows it."""
        for move in moves:
            origin, target = move[:2], move[3:5]
            self.position[target] = piece = self.position.pop(origin)
            (by or self.drag)(origin, target)
            if move.endswith("+"):
                self.answer_box()
            wait_for(move, lambda: self.board([origin, target]) == {target: piece}, 3)

    def answer_box(self, timeout=5):
        """Waits for a message box and closes it with Return."""
        wait_for("a message box", lambda: self.windows("^Quorrin$"), timeout)
        self.desktop.keys("Return")
        wait_for("the message box to close", lambda: not self.windows("^Quorrin$"))

    def run(self, *args):
        """The program run with args, as it answers without a window."""
        return subprocess.run([self.program, *args], env=self.desktop.env, capture_output=True,
                              text=True, timeout=60)

    def expect_position(self, what, timeout=3):
        wait_for(what + " on the board", lambda: self.board() == self.position, timeout)

    def menu(self, *keys):
        """Opens the menu bar with F10 and walks it with the keys."""
        self.desktop.xdo("windowfocus", self.window, "key", "F10", "sleep", 0.3, "key", "--delay",
                         30, *keys)

    def quit(self):
        """Game > Quit (the last item) unless the program has ended; then its status and output."""
        if self.process.poll() is None:
            self.menu("Up", "Return")  # Game > Quit
        try:
            status = self.process.wait(20)
        except subprocess.TimeoutExpired:
            raise Failed("quorrin did not end after Quit")
        report = self.errors.seek(0) or self.errors.read()
        check(status == 0, f"quorrin exited with {status}:\n{report}")
        check(not re.search(r"Sanitizer|runtime error", report), "sanitizer report:\n" + report)
        # A desktop program says nothing on standard error in normal use.
        check(not report.strip(), "quorrin wrote on standard error:\n" + report)


def drop_over_about_box(game):
    """With the About box open over the board, a knight carried from b1 and released over the
    box where c3 lies underneath is not moved. The box stays open as the program quits."""
    game.menu("Left", "Down", "Return")  # About > About Quorrin
    about = wait_for("the About box", lambda: game.windows("^About Quorrin$"))[0]
    ax, ay, aw, ah = game.desktop.geometry(about)
    inside = lambda x, y: ax <= x < ax + aw and ay <= y < ay + ah
    cx, cy = game.centre("c3")
    x = max(cx, ax + 4)  # over c3 and over the box
    check(not inside(*game.centre("b1")) and inside(x, cy) and x < cx + game.size // 2,
          "the About box is not where expected")
    game.drag("b1", (x, cy))
    time.sleep(0.3)
    check(game.board(["b1"]) == {"b1": "w"}, "the knight left b1")


def lists_follow_long_game(game):
    """After 32 moves a side (knights out and back, drawn by repetition on the way) each list
    shows its newest entry: a scroll down changes nothing, a scroll up does. So does Black's
    after a move taken back while it is scrolled up."""
    for round in range(16):
        game.play("g1-f3", "g8-f6", "f3-g1", "f6-g8+" if round == 3 else "f6-g8")

    def newest_shown(side, x, y, w, h):
        look = lambda: game.desktop.shot(x, y, w, h)
        before = look()
        game.desktop.xdo("mousemove", x + w // 2, y + h // 2, "click", "--repeat", 5, 5)
        time.sleep(0.3)
        check(look() == before, f"{side}'s list moved down: not at its newest entry")
        game.desktop.xdo("click", 4)
        wait_for(f"{side}'s list to scroll up", lambda: look() != before, 2)

    for side, place in zip(["White", "Black"], game.lists):
        newest_shown(side, *place)
    game.menu("Down", "Down", "Down", "Right", "Return")  # Game > Actions > Undo Last Move
    game.position["f6"] = game.position.pop("g8")
    game.expect_position("the last move taken back")
    newest_shown("Black", *game.lists[1])


def keyboard_only_game(game):
    """A game to mate with the keyboard alone: Tab to the board, arrows and Space to move,
    Return for the mate's message; then F10 and the arrows to take the mate back and to turn
    the board."""
    cursor = ["e2"]  # where the board's cursor starts

    def walk(to):
        df, dr = ord(to[0]) - ord(cursor[0][0]), int(to[1]) - int(cursor[0][1])
        steps = ["Right"] * df + ["Left"] * -df + ["Up"] * dr + ["Down"] * -dr
        cursor[0] = to
        return steps

    game.desktop.xdo("windowfocus", game.window, "key", "Tab")
    game.play("f2-f3", "e7-e5", "g2-g4", "d8-h4+",
              by=lambda origin, target: game.desktop.keys(*walk(origin), "space",
                                                          *walk(target), "space"))
    game.menu("Down", "Down", "Down", "Right", "Return")  # Game > Actions > Undo Last Move
    game.position["d8"] = game.position.pop("h4")
    game.expect_position("the mate taken back")
    game.menu("Down", "Down", "Right", "Return")  # Game > Board > Reverse Board
    # Turned, the bottom right corner shows a8's rook.
    wait_for("the board turned", lambda: game.board(["h1"]) == {"h1": "b"}, 2)


def through_file_dialog(game, keys, title, path):
    """Opens a file dialog with the keys, types the path and closes it with Return."""
    desktop = game.desktop
    desktop.xdo("windowfocus", game.window, "key", keys)
    wait_for(f"the {title} dialog", lambda: game.windows(f"^{title}$"))
    time.sleep(0.3)  # keys typed while the dialog is still setting up can go astray
    desktop.xdo("key", "ctrl+a", "type", "--delay", "20", path)
    for _ in range(3):  # the first Return may only take the completion offered
        desktop.keys("Return")
        try:
            return wait_for("the dialog to close", lambda: not game.windows(f"^{title}$"), 1)
        except Failed:
            pass
    raise Failed(f"the {title} dialog stayed open")


def record_kept_across_programs(game):
    """A game saved with Ctrl+S through the file dialog, the program quit, the game opened in a
    new program with Ctrl+O and played on."""
    desktop, path = game.desktop, os.path.join(game.desktop.folder, "kept.pgn")
    game.play("e2-e4", "e7-e5", "g1-f3")
    through_file_dialog(game, "ctrl+s", "Save Game As", path)
    wait_for("the game saved",
             lambda: os.path.exists(path) and "1. e4 e5 2. Nf3 *" in open(path).read())
    game.quit()
    vars(game).update(vars(Game(desktop, game.program, "record_reopened")), position=game.position)
    through_file_dialog(game, "ctrl+o", "Open Game", path)
    game.expect_position("the saved game opened")
    game.play("b8-c6")


def review_by_keys_and_lists(game):
    """Looking back with Alt+arrows and a click on a list's entry: the caption names the move
    shown, the board shows its position and takes no drag; Alt+End returns; a move taken back
    is made again with Ctrl+Shift+Z."""
    desktop = game.desktop
    game.play("e2-e4", "e7-e5", "g1-f3")
    desktop.xdo("windowfocus", game.window, "key", "alt+Left")
    wait_for("the caption after 1... e5", lambda: game.windows(r"^Quorrin  - after 1\.\.\. e5$"))
    wait_for("the knight back on g1", lambda: game.board(["g1", "f3"]) == {"g1": "w"}, 2)
    game.drag("b1", "c3")
    time.sleep(0.3)
    check(game.board(["b1", "c3"]) == {"b1": "w"}, "a knight was moved while looking back")
    x, y, w, h = game.lists[0]
    desktop.xdo("mousemove", x + w // 2, y + 8, "click", 1)
    wait_for("the position after 1. e4", lambda: game.board(["e5", "e7"]) == {"e7": "b"}, 2)
    check(game.windows(r"^Quorrin  - after 1\. e4$"), "the caption does not name 1. e4")
    desktop.xdo("windowfocus", game.window, "key", "alt+End")
    wait_for("the caption back", lambda: game.windows("^Quorrin $"))
    game.expect_position("the game again")
    game.menu("Down", "Down", "Down", "Right", "Return")  # Game > Actions > Undo Last Move
    wait_for("the knight taken back", lambda: game.board(["g1", "f3"]) == {"g1": "w"}, 2)
    desktop.xdo("windowfocus", game.window, "key", "ctrl+shift+z")
    game.expect_position("the knight's move made again")


def file_named_on_command_line(game):
    """A game named on the command line is on the board when the window opens; --version and a
    bad option answer without a window."""
    game.position.update({"e4": game.position.pop("e2"), "e5": game.position.pop("e7"),
                          "f3": game.position.pop("g1")})
    game.expect_position("the game named")
    version, bad = game.run("--version"), game.run("--no-such-option")
    check(version.stdout.strip() == "quorrin 1.5" and version.returncode == 0,
          f"--version said {version.stdout!r}")
    check(bad.returncode == 2 and "no-such-option" in bad.stderr, f"a bad option: {bad!r}")


def named_game(desktop):
    path = os.path.join(desktop.folder, "named.pgn")
    with open(path, "w") as named:
        named.write("1. e4 e5 2. Nf3 *\n")
    return [path]


file_named_on_command_line.args = named_game


def carry_interrupted_by_minimising(game):
    """Under openbox, the window minimised while g1's knight is carried, the button released,
    the window restored: the carry has ended within a few hundred milliseconds, and a click on
    f3 plays nothing."""
    desktop, (x, y) = game.desktop, game.centre("g1")
    game.drag("g1", (x, y - 12), hold=lambda: desktop.xdo("windowminimize", game.window) or
              wait_for("the window to hide", lambda: not game.windows("^Quorrin $")))
    released = time.monotonic()
    desktop.xdo("windowactivate", game.window)
    wait_for("the knight back on g1", lambda: game.windows("^Quorrin $")
             and game.board(["g1"]) == {"g1": "w"}, 2)
    check(time.monotonic() - released < 0.8, "the carry ended too late")
    desktop.xdo("mousemove", *game.centre("f3"), "click", 1)
    time.sleep(0.3)
    game.expect_position("the start position after a click on f3")
    game.play("g1-f3")  # the click was on a legal target, as a drag shows


def pumped(what, probe, timeout=20):
    """Polls probe, running the accessibility event loop meanwhile (events reach listeners)."""
    from gi.repository import GLib

    def pump():
        while GLib.MainContext.default().iteration(False):
            pass
        return probe()
    return wait_for(what, pump, timeout)


def accessible(game, what, role=None, name=None, timeout=20):
    """The program's first accessible node of that role and name, found through the bus."""
    import pyatspi

    def look():
        desktop = pyatspi.Registry.getDesktop(0)
        app = next((a for i in range(desktop.childCount) if (a := desktop.getChildAtIndex(i))
                    is not None and a.get_process_id() == game.process.pid), None)
        return app and pyatspi.findDescendant(app, lambda n: role in (None, n.getRoleName())
                                              and name in (None, n.name), True)
    return pumped(what, look, timeout)


def clock_flag_falls(game):
    """With an eight-second control, a move for each side made by real input; White's flag
    falls, as the clock faces and the message box tell a screen reader; the game saved with
    its control, its clock times and its result. A control that does not read starts nothing."""
    refused = game.run("--time-control", "40/abc")
    check(refused.returncode == 2 and "40/abc" in refused.stderr and not refused.stdout,
          f"a bad control gave {refused.returncode}: {refused.stderr!r}")
    faces = [accessible(game, f"{side}'s clock", name=f"{side}'s clock")
             for side in ("White", "Black")]
    check([f.description for f in faces] == ["0:08.0", "0:08.0"],
          f"the clocks read {[f.description for f in faces]}")
    game.play("e2-e4", "e7-e5")
    started = time.monotonic()
    alert = accessible(game, "the flag's message", "alert", timeout=30)
    waited = time.monotonic() - started
    texts = [alert.getChildAtIndex(i).name for i in range(alert.childCount)]
    check("White's time is up. Black wins." in texts and 6 < waited < 12,
          f"after {waited:.1f} s the box says {texts}")
    check([f.description for f in faces][0] == "0:00.0", "White's clock does not read 0:00.0")
    game.answer_box()
    path = os.path.join(game.desktop.folder, "timed.pgn")
    through_file_dialog(game, "ctrl+s", "Save Game As", path)
    saved = wait_for("the game saved", lambda: os.path.exists(path) and open(path).read())
    for part in ['[TimeControl "8"]', '[Termination "time forfeit"]', "1. e4 {[%clk 0:00:08]}",
                 "e5 {[%clk 0:00:0", "0-1"]:
        check(part in saved, f"{part} not in the saved game:\n{saved}")


clock_flag_falls.args = ["--time-control", "8"]


def game_kept_through_kill(game):
    """Ten moves by real input, the program killed (kill -9) once the last is kept, started again:
    the game is back on the board, said once in a message box, and in Record > Recent Games. With
    a data folder that cannot be made, a new program says so and plays on, silently."""
    desktop = game.desktop
    game.play("e2-e4", "e7-e5", "g1-f3", "b8-c6", "f1-c4", "g8-f6", "d2-d3", "f8-c5", "b1-c3",
              "d7-d6")
    folder = os.path.join(desktop.env["XDG_DATA_HOME"], "quorrin", "games")
    kept = lambda: [n for n in os.listdir(folder) if n.endswith(".pgn")
                    and "5. Nc3 d6 *" in open(os.path.join(folder, n)).read()]
    wait_for("the tenth move kept", lambda: os.path.isdir(folder) and kept())
    game.process.kill()
    game.process.wait(10)
    position = game.position
    vars(game).update(vars(Game(desktop, game.program, "after_kill")), position=position)
    game.answer_box(10)
    game.expect_position("the game brought back")
    game.menu("Down", "Return")  # Game > New Game
    game.position = dict(START)
    game.expect_position("a new game")
    game.menu("Right", "Down", "Return")  # Record > Recent Games...
    wait_for("the Recent Games list", lambda: game.windows("^Recent Games$"))
    desktop.keys("Return")  # the newest, the game brought back
    game.position = position
    game.expect_position("the game opened from Recent Games")
    game.quit()

    blocked = os.path.join(desktop.folder, "plain")
    open(blocked, "w").close()
    desktop.env["XDG_DATA_HOME"], data = blocked, desktop.env["XDG_DATA_HOME"]
    vars(game).update(vars(Game(desktop, game.program, "unwritable")))
    desktop.env["XDG_DATA_HOME"] = data
    game.play("e2-e4")
    game.answer_box(10)  # said once: GameWindowTest's gamesNotKeptSaidOnce


def screen_reader(game):
    """Through the AT-SPI bus: the board a table of 64 named squares with headers; the focus
    following the keyboard's cursor; a move made by keys announced and its squares renamed;
    Game > Quit chosen by its accessible action."""
    import pyatspi
    heard = []

    def hear(event):
        try:
            heard.append((event.type, event.source.name))
        except Exception as error:  # a source gone meanwhile
            heard.append((event.type, repr(error)))

    pyatspi.Registry.registerEventListener(hear, "object:state-changed:focused",
                                           "object:property-change:accessible-name",
                                           "object:property-change:accessible-description")
    board = accessible(game, "the board in the accessible tree", "table", "Chess board", 60)
    table = board.queryTable()
    back = "rook knight bishop queen king bishop knight rook".split()
    rows = {1: ["white " + p for p in back], 2: ["white pawn"] * 8, 7: ["black pawn"] * 8,
            8: ["black " + p for p in back]}  # the start position
    expected = [f"{f}{r}, {rows.get(r, ['empty'] * 8)[i]}" for r in range(8, 0, -1)
                for i, f in enumerate("abcdefgh")]
    names = [table.getAccessibleAt(r, c).name for r in range(table.nRows)
             for c in range(table.nColumns)]
    check(names == expected, f"the squares are named {names}")
    headers = [table.getColumnHeader(0).name, table.getRowHeader(0).name]
    check(headers == ["file a", "rank 8"], f"the first column and row are headed {headers}")
    # The window gives the keyboard to the board, its one control taking the focus; e2 first.
    game.desktop.xdo("windowfocus", "--sync", game.window)
    pumped("the board focused", lambda: board.getState().contains(pyatspi.STATE_FOCUSED))
    game.desktop.keys("Up")
    pumped("the focus on e3", lambda: ("object:state-changed:focused", "e3, empty") in heard)
    game.desktop.keys("Down", "space", "Up", "Up", "Return")
    pumped("the move announced", lambda: [k for k, _ in heard if k.endswith("description")])
    check(board.description == "White: pawn e2 to e4", f"announced: {board.description!r}")
    e4 = table.getAccessibleAt(4, 4).name
    check(e4 == "e4, white pawn, last move", f"e4 is named {e4!r} after the move")
    renamed = {name for kind, name in heard if kind.endswith("accessible-name")}
    check({"e2, empty, last move", e4} <= renamed, f"renamed squares heard: {renamed}")
    accessible(game, "Game > Quit", "menu item", "Quit").queryAction().doAction(0)
    wait_for("quorrin to end", lambda: game.process.poll() is not None, 20)


def options_kept(game):
    """Turn Board After Each Move, turned on with F10 and the arrows, is on in the next program,
    as its menu item tells the screen reader; the controls kept below the window are not
    showing, and the menu bar offers only the menus it shows."""
    import pyatspi
    game.menu("Down", "Down", "Right", "Down", "Down", "Down", "Return")  # Game > Board > Turn..
    game.quit()
    vars(game).update(vars(Game(game.desktop, game.program, "options_kept_again")))
    item = accessible(game, "the item", "menu item", "Turn Board After Each Move")
    check(item.getState().contains(pyatspi.STATE_CHECKED), "the option was not kept")
    hidden = [accessible(game, name or "the typed move", role, name) for role, name in
              [("text", None), ("push button", "Move Piece"), ("push button", "Test Stalemate")]]
    showing = [n.name for n in hidden if n.getState().contains(pyatspi.STATE_SHOWING)]
    check(not showing, f"reported showing: {showing}")
    bar = accessible(game, "the menu bar", "menu bar")
    menus = [bar.getChildAtIndex(i).name for i in range(bar.childCount)]
    check(menus == ["Game", "Record", "About"], f"the menu bar offers {menus}")


def menus_in_german(game):
    """Started under LANGUAGE=de, as a screen reader reads it: the menu bar and the Game menu in
    German (the accelerators' ampersands not read), the board's words in German and its squares
    as written, Qt's own button in a dialog in German, and a message box in German."""
    board = accessible(game, "the board", "table", "Schachbrett", 60).queryTable()
    e2 = board.getAccessibleAt(6, 4).name
    check(e2 == "e2, weißer Bauer", f"e2 is named {e2!r}")
    bar = accessible(game, "the menu bar", "menu bar")
    menus = [bar.getChildAtIndex(i).name for i in range(bar.childCount)]
    check(menus == ["Partie", "Notation", "Über"], f"the menu bar offers {menus}")
    first = bar.getChildAtIndex(0).getChildAtIndex(0)  # Game's item, then its pop-up menu
    items = [n for i in range(first.childCount) if (n := first.getChildAtIndex(i).name)]
    check(items == ["Neue Partie", "Brett", "Aktionen", "Bedenkzeit...", "Spieler...", "Beenden"],
          f"the Game menu offers {items}")
    game.desktop.xdo("windowfocus", game.window, "key", "ctrl+e")  # Record > Enter Move...
    wait_for("the Enter Move dialog", lambda: game.windows("^Zug eingeben$"))
    accessible(game, "Qt's Cancel button in German", "push button", "Abbrechen")
    time.sleep(0.3)  # keys typed while the dialog is still setting up can go astray
    game.desktop.xdo("type", "--delay", "20", "e9")
    game.desktop.keys("Return")
    alert = accessible(game, "the message box", "alert")
    texts = [alert.getChildAtIndex(i).name for i in range(alert.childCount)]
    check(any(t.startswith("Unzulässiger Zug oder falsche Schreibweise\n") for t in texts),
          f"the box says {texts}")
    game.answer_box()


INPUT_CHECKS = [drop_over_about_box, lists_follow_long_game, keyboard_only_game,
                record_kept_across_programs, review_by_keys_and_lists, file_named_on_command_line,
                carry_interrupted_by_minimising]


def main():
    program, names = sys.argv[1], sys.argv[2:]
    checks = [c for c in INPUT_CHECKS + [screen_reader, options_kept, clock_flag_falls,
                                         game_kept_through_kill, menus_in_german]
              if c.__name__ in names] or INPUT_CHECKS
    started, failures = time.monotonic(), 0
    with tempfile.TemporaryDirectory(prefix="quorrin-desktop-") as folder:
        os.chmod(folder, 0o700)
        desktop = Desktop(folder)
        try:
            for test in checks:
                game = None
                try:  # the window manager stays, so the carry is checked last
                    # The options a check sets are its own.
                    desktop.env["XDG_CONFIG_HOME"] = os.path.join(folder, "config", test.__name__)
                    desktop.env.pop("LANGUAGE", None)
                    {screen_reader: Desktop.start_accessibility_bus,
                     options_kept: Desktop.start_accessibility_bus,
                     clock_flag_falls: Desktop.start_accessibility_bus,
                     menus_in_german: lambda d: (Desktop.start_accessibility_bus(d),
                                                 d.env.update(LANGUAGE="de")),
                     carry_interrupted_by_minimising: Desktop.start_window_manager}.get(
                        test, lambda _: None)(desktop)
                    args = getattr(test, "args", [])
                    game = Game(desktop, program, test.__name__,
                                *(args(desktop) if callable(args) else args))
                    test(game)
                    game.quit()
                except Failed as failure:
                    failures += 1
                    print(f"FAIL {test.__name__}: {failure}")
                    if game:
                        game.process.kill()
                        print("".join((game.errors.seek(0) or game.errors.readlines())[-20:]))
        finally:
            desktop.close()
    print(f"{len(checks) - failures} passed, {failures} failed ({time.monotonic() - started:.0f} s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
