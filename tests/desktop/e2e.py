#!/usr/bin/env python3
"""The real program in a real X server: Xvfb with a compositing manager (xcompmgr), once without
and once with a window manager (openbox); real pointer input through XTEST, the screen read back,
the records read from disk.

usage: e2e.py PROGRAM SOURCE_DIR WORK_DIR
Exits 0 when every check passed, 1 when a scenario failed (the screen at that moment is kept in
WORK_DIR/<scenario>/failure.png), 77 when Xvfb is not installed.
"""

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import xsession  # noqa: E402
from xsession import wait_until  # noqa: E402

# The fixture's roster: the lowest occupied slot (2) is the current pet at start; slot 7 holds a
# certified pet that no step touches.
RECORDS = {
    2: "12|1300|950|3000|1700|1000|1085|3|19|20|5",
    7: "5|790|1012|3350|1844|967|1018|3|72|26|20",
}
MARKERS = {7: "72"}

# Places on the main window (window pixels).
WASH_BUTTON = (732, 525, 147, 55)
VALUES = (520, 165, 370, 125)  # the six aptitude boxes
TABS = (145, 58, 656, 51)
WASH_TAB = (145, 58, 198, 51)
WASH_TAB_CENTRE = (240, 80)
CLOSE = (875, 27)
WASH = (800, 550)
BOOK_TAB = (700, 80)
BOOK_SLOT = (518, 174)
LEARN = (784, 171)
TITLE = (300, 20)
CORNER = (1, 1)  # outside the frame's rounded corner: alpha 0
BODY = (460, 300)  # opaque frame body
ROSTER_OFFSET = (43, 385)


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def make_fixture(source_dir, work_dir):
    data = os.path.join(work_dir, "data")
    shutil.copytree(os.path.join(source_dir, "data"), data)
    pets = os.path.join(data, "召唤兽", "数据")
    shutil.rmtree(pets)
    for slot in range(1, 16):
        os.makedirs(os.path.join(pets, str(slot)))
    for slot, record in RECORDS.items():
        with open(os.path.join(pets, str(slot), "Data.txt"), "w", encoding="utf-8") as f:
            f.write(record)
    for slot, skill in MARKERS.items():
        with open(os.path.join(pets, str(slot), "rz.txt"), "w", encoding="utf-8") as f:
            f.write(skill)
    return data


def slot_files(data):
    """Every file of the slot folders, by its path under 召唤兽/数据, with its bytes."""
    pets = os.path.join(data, "召唤兽", "数据")
    files = {}
    for slot in sorted(os.listdir(pets)):
        for name in sorted(os.listdir(os.path.join(pets, slot))):
            with open(os.path.join(pets, slot, name), "rb") as f:
                files[slot + "/" + name] = f.read()
    return files


class Desktop:
    def __init__(self, session, program, source_dir, data, work_dir):
        self.s = session
        self.source_dir = source_dir
        self.data = data
        self.work_dir = work_dir
        home = os.path.join(work_dir, "home")
        os.makedirs(home, exist_ok=True)
        self.out = open(os.path.join(work_dir, "petsim.out"), "wb")
        self.err_path = os.path.join(work_dir, "petsim.err")
        err = open(self.err_path, "wb")
        # Started from an empty folder with the data folder given, as a user would name it.
        self.process = xsession.spawn([program, data], cwd=home, env=session.program_env(home), stdout=self.out,
                                      stderr=err)
        err.close()
        self.main = self.roster = None

    def alive(self):
        if self.process.poll() is not None:
            raise AssertionError("petsim exited early with status %d" % self.process.returncode)
        return True

    def place(self, window):
        self.alive()
        geometry = self.s.geometry(window)
        check(geometry is not None, "window %#x is gone" % window)
        return geometry

    def at(self, point):
        """Screen position of a main-window pixel."""
        left, top, _, _ = self.place(self.main)
        return left + point[0], top + point[1]

    def shot(self, rect, window=None):
        """The screen pixels of a rectangle of the main window (or of `window`)."""
        left, top, _, _ = self.place(window or self.main)
        return self.s.screenshot().region(left + rect[0], top + rect[1], rect[2], rect[3])

    def press(self, point, button=1):
        x, y = self.at(point)
        self.s.xdotool("mousemove", x, y, "mousedown", button)

    def release(self, button=1):
        self.s.xdotool("mouseup", button)

    def click(self, point, button=1):
        x, y = self.at(point)
        self.s.xdotool("mousemove", x, y, "mousedown", button, "mouseup", button)

    def wait_pixels(self, what, rect, changed_from=None, equal_to=None, window=None):
        def condition():
            self.alive()
            now = self.shot(rect, window)
            if changed_from is not None and now == changed_from:
                return None
            if equal_to is not None and now != equal_to:
                return None
            return now

        return wait_until(what, condition)

    def record(self, slot):
        with open(os.path.join(self.data, "召唤兽", "数据", str(slot), "Data.txt"), encoding="utf-8") as f:
            return f.read()


def composited_desktop(desk, s):
    """No window manager, a compositing manager: the program's windows as it places them."""
    # Start-up: both windows appear, the panel in its place over the main window.
    # Windows are found by their process and size: their titles are for the task bar.
    desk.main = s.wait_window_of(desk.process.pid, (920, 620), "the main window")
    desk.roster = s.wait_window_of(desk.process.pid, (410, 200), "the roster panel")
    main_left, main_top, w, h = desk.place(desk.main)
    check((w, h) == (920, 620), "main window is %dx%d" % (w, h))
    roster = desk.place(desk.roster)
    check(roster == (main_left + 43, main_top + 385, 410, 200), "roster panel at %s" % (roster,))

    # The screen shows the frame once the first present has been composited. Where the frame's
    # pixels are transparent the desktop shows through, blended by alpha: not black, not a
    # colour key.
    background = s.screenshot().pixel(s.WIDTH - 2, s.HEIGHT - 2)
    wait_until("the main window on the screen",
               lambda: desk.alive() and s.screenshot().pixel(main_left + BODY[0], main_top + BODY[1]) != background)
    screen = s.screenshot()
    corner = screen.pixel(main_left + CORNER[0], main_top + CORNER[1])
    check(corner == background, "transparent corner shows %s, the desktop is %s" % (corner, background))
    # The frame's soft edge: each pixel is the frame's colour laid over the desktop by its alpha.
    _, _, frame = xsession.read_png_rgba(os.path.join(desk.source_dir, "assets", "main_background.png"))
    edge = [(x, y) for y in range(0, 12) for x in range(0, 12) if 0 < frame[y][4 * x + 3] < 255]
    check(len(edge) > 5, "the frame has no soft corner to look at")
    for x, y in edge:
        colour, alpha = frame[y][4 * x:4 * x + 3], frame[y][4 * x + 3]
        expected = [round(c * alpha / 255 + b * (255 - alpha) / 255) for c, b in zip(colour, background)]
        seen = screen.pixel(main_left + x, main_top + y)
        check(all(abs(a - b) <= 3 for a, b in zip(seen, expected)),
              "edge pixel (%d, %d) of alpha %d shows %s, blended it is %s" % (x, y, alpha, seen, expected))

    # Input shape: alpha 0 lets the pointer through to the root, the frame takes it, the panel
    # lies above the main window.
    check(s.windows_at(main_left + CORNER[0], main_top + CORNER[1]) == [],
          "under the transparent corner lie %s, not the desktop" % s.xlib.windows_at_pointer())
    check(s.windows_at(main_left + BODY[0], main_top + BODY[1]) == [desk.main], "the frame does not take the pointer")
    check(s.windows_at(roster[0] + 36, roster[1] + 36) == [desk.roster], "the roster panel is not above the main window")

    # The pointer: a hand over the controls whose form asks for one (the tabs), the desktop's
    # own elsewhere (the title strip, the wash button).
    def cursor_at(point):
        s.xdotool("mousemove", main_left + point[0], main_top + point[1])
        return s.xlib.cursor_serial()

    s.xdotool("mousemove", s.WIDTH - 2, s.HEIGHT - 2)
    plain = s.xlib.cursor_serial()
    hand = wait_until("a hand over the book tab", lambda: (cursor_at(BOOK_TAB) != plain) and s.xlib.cursor_serial())
    wait_until("the plain pointer over the wash button", lambda: cursor_at(WASH) == plain)
    wait_until("a hand over the wash tab", lambda: cursor_at(WASH_TAB_CENTRE) == hand)
    wait_until("the plain pointer over the title strip", lambda: cursor_at(TITLE) == plain)

    # A press, a drag and a release on the transparent corner reach nothing: no title drag, no
    # change. (Checked after the wash below, whose effects prove that these events were handled.)
    main_before_corner = s.screenshot().region(main_left, main_top, 920, 620)
    records_before_corner = slot_files(desk.data)
    cx, cy = main_left + CORNER[0], main_top + CORNER[1]
    s.xdotool("mousemove", cx, cy, "mousedown", 1, "mousemove", cx + 30, cy + 20, "mousemove", cx + 60, cy + 40,
              "mouseup", 1)

    # Wash: the button looks pressed while held, the record of the current pet (slot 2) is
    # written at the release, and the new values are drawn.
    button_up = desk.shot(WASH_BUTTON)
    values_before = desk.shot(VALUES)
    desk.press(WASH)
    desk.wait_pixels("the pressed wash button", WASH_BUTTON, changed_from=button_up)
    check(desk.record(2) == RECORDS[2], "the record changed at the press")
    desk.release()
    washed = wait_until("the washed record", lambda: desk.alive() and desk.record(2) != RECORDS[2] and desk.record(2))
    fields = washed.split("|")
    check(fields[0] == "12" and len(fields) == 8 + int(fields[7]), "washed record %r" % washed)
    desk.wait_pixels("the wash button's normal look", WASH_BUTTON, equal_to=button_up)
    desk.wait_pixels("the new values on the screen", VALUES, changed_from=values_before)

    after_corner = slot_files(desk.data)
    del after_corner["2/Data.txt"], records_before_corner["2/Data.txt"]
    check(after_corner == records_before_corner, "slot files changed beside the washed record")
    check(desk.place(desk.main)[:2] == (main_left, main_top), "the press on the transparent corner moved the window")
    main_now = s.screenshot().region(main_left, main_top, 920, 620)
    # Only the wash may have changed the window: the title strip and tab row are as before.
    strip = 3 * 920 * 110
    check(main_now[:strip] == main_before_corner[:strip], "the top of the main window changed after the corner press")

    # Title drag: the window follows the pointer and the roster panel follows the window.
    tx, ty = desk.at(TITLE)
    s.xdotool("mousemove", tx, ty, "mousedown", 1)
    for step in range(1, 7):
        s.xdotool("mousemove", tx + 20 * step, ty + 12 * step)
    s.xdotool("mouseup", 1)
    moved = (main_left + 120, main_top + 72)
    wait_until("the main window at %s" % (moved,), lambda: desk.place(desk.main)[:2] == moved)
    follows = (moved[0] + ROSTER_OFFSET[0], moved[1] + ROSTER_OFFSET[1])
    wait_until("the roster panel at %s" % (follows,), lambda: desk.place(desk.roster)[:2] == follows)
    main_left, main_top = moved
    wait_until("the moved window on the screen",
               lambda: s.screenshot().pixel(main_left + BODY[0], main_top + BODY[1]) != background)
    check(s.windows_at(follows[0] + 36, follows[1] + 36) == [desk.roster], "the roster panel fell behind")
    check(desk.record(2) == washed, "the drag changed the record")

    # The book tab, then its book slot opens the skill-book picker modally.
    # (The pressed tab lights up at the press already; the wash tab turns dull only at the switch.)
    wash_tab_bright = desk.shot(WASH_TAB)
    desk.click(BOOK_TAB)
    desk.wait_pixels("the book tab", WASH_TAB, changed_from=wash_tab_bright)
    tabs_book = desk.shot(TABS)
    desk.click(BOOK_SLOT)
    picker = s.wait_window_of(desk.process.pid, (680, 550), "the skill-book picker")
    p_left, p_top, p_width, p_height = desk.place(picker)
    check((p_width, p_height) == (680, 550), "skill-book picker is %dx%d" % (p_width, p_height))
    wait_until("the picker above the main window",
               lambda: s.windows_at(p_left + p_width // 2, p_top + p_height // 2) == [picker])

    # While it is open the main window takes no input: neither its close button nor a tab.
    close_x, close_y = desk.at(CLOSE)
    check(not (p_left <= close_x < p_left + p_width and p_top <= close_y < p_top + p_height),
          "the picker covers the close button")
    desk.click(CLOSE)
    wx, wy = desk.at(WASH_TAB_CENTRE)
    if not (p_left <= wx < p_left + p_width and p_top <= wy < p_top + p_height):
        desk.click(WASH_TAB_CENTRE)

    # A right click closes the picker without a choice.
    s.xdotool("mousemove", p_left + p_width // 2, p_top + p_height // 2, "click", 3)
    wait_until("the picker to close", lambda: desk.alive() and picker not in s.windows_of(desk.process.pid))
    check(desk.main in s.windows_of(desk.process.pid), "the click on the close button behind the modal picker closed")
    check(desk.record(2) == washed, "the picker changed the record")

    # Learning without a book in the slot: a message box with the standard caption, modal to
    # the main window; Return answers it.
    desk.click(LEARN)
    box = s.wait_window("信息：")
    check(desk.shot(TABS) == tabs_book, "a tab click behind the modal picker switched tabs")
    transient = s.run("xprop", "-id", str(box), "WM_TRANSIENT_FOR")
    check(("%#x" % desk.main) in transient, "the message box is not owned by the main window: " + transient.strip())
    check("_NET_WM_WINDOW_TYPE_DIALOG" in s.run("xprop", "-id", str(box), "_NET_WM_WINDOW_TYPE"), "not a dialog")
    box_place = desk.place(box)
    check(box_place[2] > 50 and box_place[3] > 30, "message box of %dx%d" % box_place[2:])
    s.xdotool("windowfocus", "--sync", box, "key", "Return")
    s.wait_window_gone("信息：")
    check(desk.record(2) == washed, "the refused learn changed the record")

    # Without a compositing manager alpha is not honoured: the window's shape is then cut from
    # the alpha, so the corner shows the (white) desktop instead of black, and still lets the
    # pointer through.
    roster_blended = desk.shot((0, 0, 410, 200), desk.roster)
    s.stop_compositor()
    white = (255, 255, 255)
    wait_until("the desktop in the corner without a compositor",
               lambda: desk.alive() and s.screenshot().pixel(main_left + CORNER[0], main_top + CORNER[1]) == white)
    check(s.screenshot().pixel(main_left + BODY[0], main_top + BODY[1]) != white, "the frame is gone")
    check(s.windows_at(main_left + CORNER[0], main_top + CORNER[1]) == [], "the corner takes the pointer")
    # The roster panel's strip is all but transparent over the main window: blended over the
    # main window's pixels by the program now, it looks as the compositor showed it (not black).
    def like_blended():
        now = desk.shot((0, 0, 410, 200), desk.roster)
        off = sum(1 for i in range(0, len(now), 3)
                  if max(abs(now[i + c] - roster_blended[i + c]) for c in range(3)) > 8)
        return off * 100 < len(now) // 3
    wait_until("the roster panel to look as it did with the compositor", like_blended)

    # The close button ends the program with status 0; every record is as the wash left it.
    final = slot_files(desk.data)
    check(final["2/Data.txt"].decode() == washed, "record 2 is %r" % final["2/Data.txt"])
    check(final["7/Data.txt"].decode() == RECORDS[7] and final["7/rz.txt"].decode() == MARKERS[7],
          "slot 7 changed")
    check(sorted(final) == ["2/Data.txt", "7/Data.txt", "7/rz.txt"], "slot folders hold %s" % sorted(final))
    close_and_check(desk, final)


def close_and_check(desk, final):
    """The close button ends the program with status 0, and the records stay as `final`."""
    desk.click(CLOSE)
    try:
        status = desk.process.wait(30)
    except subprocess.TimeoutExpired:
        raise AssertionError("petsim did not exit after its close button")
    check(status == 0, "petsim exited with status %d" % status)
    check(slot_files(desk.data) == final, "the records changed at exit")
    with open(desk.err_path, encoding="utf-8", errors="replace") as f:
        problems = [line for line in f if "CRITICAL" in line or "WARNING" in line or "ERROR" in line]
    check(not problems, "GTK complained:\n" + "".join(problems))


def under_window_manager(desk, s):
    """Moving, minimising and restoring under a reparenting window manager (openbox), which
    moves the window itself (_NET_WM_MOVERESIZE) and owns iconify."""
    desk.main = s.wait_window_of(desk.process.pid, (920, 620), "the main window")
    desk.roster = s.wait_window_of(desk.process.pid, (410, 200), "the roster panel")
    start = desk.place(desk.main)[:2]
    check(start == (50, 50), "the window manager put the main window at %s" % (start,))
    wait_until("the roster panel at %s (it is at %s)" % ((start[0] + 43, start[1] + 385), desk.place(desk.roster)[:2]),
               lambda: desk.place(desk.roster)[:2] == (start[0] + 43, start[1] + 385))
    background = s.screenshot().pixel(s.WIDTH - 2, s.HEIGHT - 2)
    wait_until("the main window on the screen",
               lambda: desk.alive() and s.screenshot().pixel(start[0] + BODY[0], start[1] + BODY[1]) != background)

    tx, ty = desk.at(TITLE)
    s.xdotool("mousemove", tx, ty, "mousedown", 1)
    for step in range(1, 7):
        s.xdotool("mousemove", tx + 20 * step, ty + 12 * step)
    s.xdotool("mouseup", 1)
    moved = (start[0] + 120, start[1] + 72)
    wait_until("the main window at %s" % (moved,), lambda: desk.place(desk.main)[:2] == moved)
    follows = (moved[0] + 43, moved[1] + 385)
    wait_until("the roster panel at %s" % (follows,), lambda: desk.place(desk.roster)[:2] == follows)

    # Minimise: the window manager iconifies the main window, and the roster panel goes with it.
    minimise = (820, 27)
    desk.click(minimise)
    wait_until("both windows to go", lambda: desk.alive() and not s.windows_of(desk.process.pid))
    check("Iconic" in s.run("xprop", "-id", str(desk.main), "WM_STATE"), "the main window is not iconic")
    s.xdotool("windowactivate", "--sync", desk.main)
    wait_until("both windows back", lambda: desk.alive() and len(s.windows_of(desk.process.pid)) == 2)
    check(desk.place(desk.main)[:2] == moved, "the main window came back elsewhere")
    check(desk.place(desk.roster)[:2] == follows, "the roster panel came back elsewhere")
    wait_until("the roster panel above the main window",
               lambda: desk.roster in s.windows_at(follows[0] + 36, follows[1] + 36))
    check(desk.main in s.windows_at(moved[0] + BODY[0], moved[1] + BODY[1]), "the main window is covered")
    # The frames of the manager keep the input shape: the transparent corner still lets the
    # pointer through to the desktop.
    check(s.windows_at(moved[0] + CORNER[0], moved[1] + CORNER[1]) == [], "the corner takes the pointer")
    close_and_check(desk, slot_files(desk.data))


def scenario(name, program, source_dir, work_dir, window_manager):
    """Runs one scenario on a fresh X server and fixture; returns an exit status."""
    work_dir = os.path.join(work_dir, name)
    os.makedirs(work_dir)
    session = xsession.XSession(compositor=True, log_dir=work_dir)
    desk = manager = None
    started = time.monotonic()
    try:
        if window_manager:
            manager = session.start_window_manager()
        data = make_fixture(source_dir, work_dir)
        desk = Desktop(session, program, source_dir, data, work_dir)
        (under_window_manager if window_manager else composited_desktop)(desk, session)
        print("e2e %s: all checks passed in %.1f s" % (name, time.monotonic() - started))
        return 0
    except AssertionError as failure:
        try:
            session.save_screenshot(os.path.join(work_dir, "failure.png"), 0, 0, session.WIDTH, session.HEIGHT)
        except Exception:
            pass
        print("e2e %s: FAILED: %s" % (name, failure), file=sys.stderr)
        print("e2e %s: the screen is in %s/failure.png, the program's output in %s" % (name, work_dir, work_dir),
              file=sys.stderr)
        return 1
    finally:
        if desk is not None:
            xsession.stop(desk.process)
            desk.out.close()
        xsession.stop(manager)
        session.close()


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    program, source_dir, work_dir = (os.path.abspath(a) for a in sys.argv[1:])
    xsession.end_cleanly_on_signals()
    shutil.rmtree(work_dir, ignore_errors=True)
    os.makedirs(work_dir)
    cjk = subprocess.run(["fc-list", ":lang=zh", "family"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    if not cjk.stdout.strip():
        print("e2e: no font for Chinese text is installed (fonts-wqy-microhei)", file=sys.stderr)
        return 1
    if shutil.which("Xvfb") is None:
        print("e2e: skipped, Xvfb is not installed")
        return 77
    # Without a window manager positions are exact and the program's own stacking shows; with
    # one, the manager moves, stacks and iconifies.
    plain = scenario("composited", program, source_dir, work_dir, window_manager=False)
    managed = scenario("window-manager", program, source_dir, work_dir, window_manager=True)
    return max(plain, managed)


if __name__ == "__main__":
    sys.exit(main())
