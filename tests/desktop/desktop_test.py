#!/usr/bin/python3
"""The real quorrin program on a real X server (Xvfb), driven by real pointer and keyboard
input (XTest through xdotool), its screen read back with ImageMagick's import.

Usage: desktop_test.py PATH/TO/quorrin [CHECK...]
Checks a short game played by dragging (Escape during a carry, captures, a check answered), a
drop over the About box, the move lists following a long game, a game saved, reopened in a new
program and continued, a position pasted from another program's clipboard (xclip), and a carry
interrupted by minimising under a window manager (openbox; unmapping the window where none
starts). Exits 77 (skipped) only when Xvfb cannot start; any sanitizer report
of the program fails the test.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

from xsession import Failed, XSession, check, wait_for

LIGHT, DARK = (0xE0, 0xE0, 0xE0), (0x80, 0x80, 0x80)  # the board's default square colours
START = {f + r: ("w" if r in "12" else "b") for f in "abcdefgh" for r in "1278"}


class Picture:
    """The screen's pixels in a rectangle, read back from the X server; pixel() takes screen
    coordinates and answers None outside the rectangle."""

    def __init__(self, env, x, y, w, h):
        self.rect = (x, y, w, h)
        self.data = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}",
                                    "-depth", "8", "rgb:-"], env=env, check=True,
                                   capture_output=True).stdout

    def pixel(self, x, y):
        x0, y0, w, h = self.rect
        if not (x0 <= x < x0 + w and y0 <= y < y0 + h):
            return None
        i = ((y - y0) * w + x - x0) * 3
        return tuple(self.data[i:i + 3])


class Desktop(XSession):
    """The X server with a window manager when asked for, and the tools that look at it."""

    def __init__(self, folder):
        super().__init__(folder)
        self.managed = False  # a window manager runs
        # A session bus that is not there: no bus daemon gets started for the display.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={folder}/no-bus"

    def start_window_manager(self):
        """Starts openbox and waits until it manages the screen, so that the program's window
        is born managed rather than adopted half-way through being mapped. Answers None when it
        does, else what went wrong."""
        log = open(os.path.join(self.folder, "openbox.stderr"), "w+")
        try:
            manager = self.start("openbox", "--sm-disable", stderr=log)
        except OSError as error:
            return f"openbox cannot start: {error}"
        root = lambda: subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                      capture_output=True, text=True)
        try:
            wait_for("the window manager",
                     lambda: manager.poll() is not None or "window id" in root().stdout, 20)
        except Failed:
            pass
        if "window id" in root().stdout:
            self.managed = True
            return None
        log.seek(0)
        status = "running" if manager.poll() is None else f"ended with {manager.returncode}"
        return f"openbox {status}; xprop: {root()}; openbox said: {log.read()[-600:]!r}"

    def windows(self, title, pid=None):  # visible windows whose caption matches a pattern
        return self.xdo("search", "--all", "--onlyvisible", *(["--pid", pid] if pid else []),
                        "--name", title)

    def geometry(self, window):  # a window's client area on the screen: x, y, width, height
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, capture_output=True,
                              text=True).stdout
        field = lambda name: int(re.search(name + r":\s+(-?\d+)", info).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                field("Height"))

    def picture(self, x, y, w, h):
        return Picture(self.env, x, y, w, h)



class Game:
    """One running quorrin: its main window, board and move lists as the screen shows them."""

    def __init__(self, desktop, program, name):
        self.desktop = desktop
        self.program = program
        self.errors = open(os.path.join(desktop.folder, name + ".stderr"), "w+")
        self.process = desktop.start(program, stderr=self.errors)
        self.position = dict(START)

    def wait_until_shown(self):
        # A sanitized build on a busy machine may take a while to start: wait generously.
        self.window = wait_for("the main window", lambda: self.windows("^Quorrin $"), 60)[0]
        # Found twice alike, so that the window has stopped moving.
        found = lambda: (board := self.find_board()) and board == self.find_board() and board
        self.origin, self.size, self.menubar, self.lists = wait_for("the board drawn", found)

    def windows(self, title):  # this program's visible windows with a matching caption
        return self.desktop.windows(title, self.process.pid)

    def find_board(self):
        """The board's top-left corner (a8's: light, dark squares right of and below it), its
        square size, the menu bar above it and the two move lists right of it."""
        x0, y0, w, h = self.desktop.geometry(self.window)
        px = self.desktop.picture(x0, y0, w, h).pixel
        for y in range(y0, y0 + h // 2):
            for x in range(x0, x0 + w // 2):
                if px(x, y) == LIGHT and px(x - 1, y) != LIGHT and px(x, y - 1) != LIGHT:
                    size = next((s for s in range(32, 100) if px(x + s, y) == DARK), 0)
                    if size and px(x, y + size) == DARK and px(x + size, y + size) == LIGHT:
                        return ((x, y), size, (x0, y0, w, y - 8 - y0),
                                self.find_lists(px, x + 8 * size, y + 4 * size))
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
        """What the squares show (all by default): 'w' or 'b' for a white or black piece;
        empty squares left out. The 32-pixel piece cell is compared with the square's own
        colour; white pieces are filled cream, black ones dark."""
        shot = self.desktop.picture(*self.origin, 8 * self.size, 8 * self.size)
        seen = {}
        for square in squares or [f + r for f in "abcdefgh" for r in "12345678"]:
            f, r = "abcdefgh".index(square[0]), 8 - int(square[1])
            background = LIGHT if (f + r) % 2 == 0 else DARK
            x = self.origin[0] + f * self.size + (self.size - 32) // 2
            y = self.origin[1] + r * self.size + (self.size - 32) // 2
            cell = [shot.pixel(x + i, y + j) for i in range(32) for j in range(32)]
            piece = [p for p in cell if p != background]
            if len(piece) > 30:
                cream = sum(1 for p in piece if p[0] > 150 and p[0] - p[2] >= 20)
                seen[square] = "w" if cream > 30 else "b"
        return seen

    def shows(self, square, piece):
        return self.board([square]).get(square) == piece

    def drag(self, origin, target, hold=None):
        """Presses on the origin square, carries the piece in a few steps to target (a square
        or a point) and releases it there, a few milliseconds between events; hold() runs
        while the button is down."""
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

    def move(self, origin, target):
        """Plays a move by dragging and waits until the board shows it."""
        piece = self.position.pop(origin)
        self.position[target] = piece
        self.drag(origin, target)
        wait_for(f"{origin}-{target} on the board",
                 lambda: self.board([origin, target]) == {target: piece}, 3)

    def expect_position(self, what):
        wait_for(what, lambda: self.board() == self.position, 3)

    def menu(self, title_index, *keys):
        """Opens the menu bar's title_index-th visible menu (found as a cluster of text
        pixels) with the mouse, then types keys into it."""
        x0, y0, w, h = self.menubar
        shot = self.desktop.picture(x0, y0, w, h)
        inked = [x for x in range(x0, x0 + w)
                 if any(sum(shot.pixel(x, y)) < 300 for y in range(y0, y0 + h))]
        titles = [[inked[0], inked[0]]]
        for x in inked[1:]:
            if x - titles[-1][1] > 8:
                titles.append([x, x])
            titles[-1][1] = x
        left, right = titles[title_index]
        self.desktop.xdo("mousemove", (left + right) // 2, y0 + h // 2, "click", 1, "sleep", 0.3,
                         "key", *keys)

    def quit(self):
        """Game > Quit (the last item), then the program's exit status and stderr."""
        self.menu(0, "Up", "Return")
        try:
            status = self.process.wait(10)
        except subprocess.TimeoutExpired:
            raise Failed("quorrin did not end after Quit")
        self.errors.seek(0)
        report = self.errors.read()
        check(status == 0, f"quorrin exited with {status}:\n{report}")
        check(not re.search(r"Sanitizer|runtime error", report), "sanitizer report:\n" + report)


def drop_over_about_box(game):
    """b) With the About box open over the board, press on b1 beside it and release over it
    where c3 lies underneath: no move; the knight is shown back on b1."""
    game.menu(2, "Down", "Return")
    about = wait_for("the About box", lambda: game.windows("^About Quorrin$"))[0]
    ax, ay, aw, ah = game.desktop.geometry(about)
    inside = lambda x, y: ax <= x < ax + aw and ay <= y < ay + ah
    cx, cy = game.centre("c3")
    x = max(cx, ax + 4)  # over c3 and over the box
    check(not inside(*game.centre("b1")) and inside(x, cy) and x < cx + game.size // 2,
          "the About box is not where expected")
    game.drag("b1", (x, cy))
    wait_for("the knight back on b1", lambda: game.shows("b1", "w"), 2)
    # OK is the big blue button in the box's lower half.
    shot = game.desktop.picture(ax, ay + ah // 2, aw, ah // 2)
    blue = [(x, y) for x in range(ax, ax + aw, 4) for y in range(ay + ah // 2, ay + ah, 4)
            if shot.pixel(x, y)[2] > shot.pixel(x, y)[0] + 60]
    check(blue, "no OK button in the About box")
    game.desktop.xdo("mousemove", *blue[len(blue) // 2], "click", 1)
    wait_for("the About box to close", lambda: not game.windows("^About Quorrin$"))
    game.expect_position("the start position after the drop over the About box")


def short_game(game):
    """a) A carry put back with Escape; captures and a check, answered with Return; then
    every square as it should be."""
    game.drag("e2", "e4", hold=lambda: game.desktop.xdo("key", "Escape"))
    wait_for("the pawn back on e2", lambda: game.board(["e2", "e4"]) == {"e2": "w"}, 2)
    for move in ["e2-e4", "d7-d5", "e4-d5", "d8-d5", "b1-c3"]:
        game.move(*move.split("-"))
    game.position["e5"] = game.position.pop("d5")
    game.drag("d5", "e5")
    wait_for("the check message", lambda: game.windows("^Quorrin$"))
    game.desktop.xdo("key", "Return")
    wait_for("the check message to close", lambda: not game.windows("^Quorrin$"))
    game.expect_position("the position after 3...Qe5+")


def lists_follow_long_game(game):
    """d) After 32 moves a side (knights out and back, drawn by repetition on the way) each
    list shows its newest entry: scrolling down changes nothing, scrolling up does."""
    for round in range(16):
        for move in ["g1-f3", "g8-f6", "f3-g1"]:
            game.move(*move.split("-"))
        if round != 3:
            game.move("f6", "g8")
            continue
        # The start position the fifth time: drawn (the message may cover f6), and play goes on.
        game.drag("f6", "g8")
        wait_for("the draw message", lambda: game.windows("^Quorrin$"))
        game.desktop.xdo("key", "Return")
        wait_for("the draw message to close", lambda: not game.windows("^Quorrin$"))
        game.position = dict(START)
        game.expect_position("the start position again")
    for side, (x, y, w, h) in zip(["White", "Black"], game.lists):
        look = lambda: game.desktop.picture(x, y, w, h).data
        before = look()
        game.desktop.xdo("mousemove", x + w // 2, y + h // 2, "click", "--repeat", 5, 5)
        time.sleep(0.3)
        check(look() == before, f"{side}'s list did not show its newest entry")
        game.desktop.xdo("click", 4)
        wait_for(f"{side}'s list to scroll up", lambda: look() != before, 2)


def keyboard_only_game(game):
    """f) A game to mate with the keyboard alone: Tab to the board, arrows and Space to move,
    Return for the mate's message; then F10 and the arrows to take the mate back and to turn
    the board."""
    d = game.desktop
    cursor = ["e2"]  # where the board's cursor starts

    def keys(*names):
        d.xdo("key", "--delay", "20", *names)

    def walk(to, turned=False):
        df = ord(to[0]) - ord(cursor[0][0])
        dr = int(to[1]) - int(cursor[0][1])
        right, up = ("Left", "Down") if turned else ("Right", "Up")
        left, down = ("Right", "Up") if turned else ("Left", "Down")
        steps = [right] * max(df, 0) + [left] * max(-df, 0) + [up] * max(dr, 0) + [down] * max(-dr, 0)
        if steps:
            keys(*steps)
        cursor[0] = to

    def key_move(origin, target, turned=False):
        piece = game.position.pop(origin)
        game.position[target] = piece
        walk(origin, turned)
        keys("space")
        walk(target, turned)
        keys("space")

    d.xdo("windowfocus", game.window)
    keys("Tab")
    for move in ["f2-f3", "e7-e5", "g2-g4"]:
        key_move(*move.split("-"))
        game.expect_position(f"{move} played by keys")
    key_move("d8", "h4")
    wait_for("the mate message", lambda: game.windows("^Quorrin$"))
    keys("Return")
    wait_for("the mate message to close", lambda: not game.windows("^Quorrin$"))
    game.expect_position("the mate on the board")
    # Game > Actions > Undo Last Move, then Game > Board > Reverse Board. Without a window
    # manager nobody gives the window its focus back after the message box: the test does.
    d.xdo("windowfocus", game.window)
    keys("F10", "Down", "Down", "Down", "Right", "Return")
    game.position["d8"] = game.position.pop("h4")
    game.expect_position("the mate taken back")
    keys("F10", "Down", "Down", "Right", "Return")
    # Turned, the bottom right corner shows a8's rook.
    wait_for("the board turned", lambda: game.board(["h1"]) == {"h1": "b"}, 2)


def record_kept_across_programs(game):
    """e) A game saved with Ctrl+S through the file dialog, the program quit, the game opened
    in a new program with Ctrl+O and played on; then a FEN that another program put on the
    clipboard, pasted with Ctrl+V, is the position shown."""
    d = game.desktop
    path = os.path.join(d.folder, "kept.pgn")
    for move in ["e2-e4", "e7-e5", "g1-f3"]:
        game.move(*move.split("-"))

    def through_file_dialog(program, keys, title):
        d.xdo("windowfocus", program.window, "key", keys)
        wait_for(f"the {title} dialog", lambda: program.windows(f"^{title}$"))
        time.sleep(0.3)  # keys typed while the dialog is still setting up can go astray
        d.xdo("key", "ctrl+a", "type", "--delay", "20", path)
        # The first Return may only take the completion the file name box offers.
        for _ in range(3):
            d.xdo("key", "Return")
            try:
                return wait_for(f"the {title} dialog to close",
                                lambda: not program.windows(f"^{title}$"), 1)
            except Failed:
                pass
        raise Failed(f"the {title} dialog stayed open")

    through_file_dialog(game, "ctrl+s", "Save Game As")
    wait_for("the game saved", lambda: os.path.exists(path) and "1. e4 e5 2. Nf3 *" in open(path).read())
    game.quit()
    saved_position = game.position
    # The check goes on in a new program, which the driver then quits and reports on.
    vars(game).update(vars(Game(d, game.program, "record_reopened")))
    game.wait_until_shown()
    game.position = saved_position
    through_file_dialog(game, "ctrl+o", "Open Game")
    game.expect_position("the saved game opened")
    game.move("b8", "c6")
    # xclip leaves a child behind that serves the clipboard until the server ends.
    clip = subprocess.Popen(["xclip", "-selection", "clipboard", "-i"], env=d.env,
                            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    clip.communicate(b"4k3/8/8/8/8/8/8/4K2R w K - 0 1\n")
    game.position = {"e8": "b", "e1": "w", "h1": "w"}
    d.xdo("key", "ctrl+v")
    game.expect_position("the pasted position")


def carry_interrupted_by_minimising(game):
    """c) Under openbox, minimise the window while g1's knight is carried, release, restore:
    the carry ends within a few hundred milliseconds and a click on f3 plays nothing. Where no
    window manager would start, the window is unmapped and mapped again, as one hides it."""
    d = game.desktop

    def minimise():
        d.xdo("windowminimize" if d.managed else "windowunmap", game.window)
        wait_for("the window to hide", lambda: not game.windows("^Quorrin $"))

    def restore():
        d.xdo(*(["windowactivate", game.window] if d.managed else
                ["windowmap", game.window, "windowfocus", game.window]))

    game.drag("g1", (game.centre("g1")[0], game.centre("g1")[1] - 12), hold=minimise)
    released = time.monotonic()
    restore()
    wait_for("the knight back on g1",
             lambda: game.windows("^Quorrin $") and game.shows("g1", "w"), 2)
    elapsed = time.monotonic() - released
    print(f"the knight was back {elapsed:.2f} s after the release (restoring included)")
    check(elapsed < 0.8, "the carry ended too late")
    d.xdo("mousemove", *game.centre("f3"), "click", 1)
    time.sleep(0.3)
    game.expect_position("the start position after a click on f3")
    game.move("g1", "f3")  # the click was on a legal target, as a drag shows


# Each check runs in a program of its own; the last one under a window manager.
CHECKS = [drop_over_about_box, short_game, lists_follow_long_game, keyboard_only_game,
          record_kept_across_programs, carry_interrupted_by_minimising]


def main():
    program, only = sys.argv[1], sys.argv[2:]  # the checks named after the program, else all
    started = time.monotonic()
    failures = 0
    with tempfile.TemporaryDirectory(prefix="quorrin-desktop-") as folder:
        os.chmod(folder, 0o700)
        desktop = Desktop(folder)
        try:
            for test in [c for c in CHECKS if not only or c.__name__ in only]:
                if test is carry_interrupted_by_minimising:
                    trouble = desktop.start_window_manager()
                    if trouble:
                        print(f"NOTE no window manager ({trouble}): unmapping instead")
                begun = time.monotonic()
                game = Game(desktop, program, test.__name__)
                try:
                    game.wait_until_shown()
                    test(game)
                    game.quit()
                    print(f"PASS {test.__name__} ({time.monotonic() - begun:.1f} s)")
                except Failed as failure:
                    failures += 1
                    print(f"FAIL {test.__name__}: {failure}")
                    game.process.kill()
                    game.process.wait()
                    game.errors.seek(0)
                    print("".join(game.errors.readlines()[-20:]), end="")
        finally:
            desktop.close()
    print(f"{failures} of {len(CHECKS)} checks failed, {time.monotonic() - started:.1f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
