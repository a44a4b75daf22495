#!/usr/bin/env python3
"""The real program in a real X server under one window manager of the matrix: Xvfb with a
compositing manager (xcompmgr, left out by MANAGER/plain) and `none`, openbox, metacity, icewm or
xfwm4; real pointer input through XTEST, the screen and the managers' stacking read back, the
records read from disk.

After each step a user would take (start-up, a click on the pet picture, a wash, a tab round trip
with the merge pet picker, the skill-book picker opened and closed, a message box answered, during
and after a title drag, minimise and restore) the roster panel must lie directly above the main
window in the manager's own stacking list (the server's where no manager runs) and in the server's
order of the frames, at main + (43, 385), and take its own clicks; finally a click on an empty
roster cell opens the species picker. Pop-ups must open centred over the main window, above it,
and keep it from taking clicks.

usage: e2e.py PROGRAM SOURCE_DIR WORK_DIR MANAGER[/plain]     (/plain: without xcompmgr)
Exits 0 when every check passed, 1 when one failed (the screen at that moment is kept in
WORK_DIR/failure.png), 77 when Xvfb or that window manager is not installed.
"""

import os
import shutil
import subprocess
import sys
import time
import traceback

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
PET_PICTURE = (245, 240)
MERGE_TAB = (470, 80)
CORNER = (1, 1)  # outside the frame's rounded corner: alpha 0
BODY = (460, 300)  # opaque frame body
ROSTER_OFFSET = (43, 385)
MINIMISE = (820, 27)
MAIN_SIZE = (920, 620)
ROSTER_SIZE = (410, 200)
BOOK_PICKER_SIZE = (680, 550)
MERGE_PICKER_SIZE = (439, 272)
MERGE_SIDE = (98, 177)
SPECIES_PICKER_SIZE = (658, 415)
HEAD_OF_SLOT_2 = (120, 36)  # roster panel pixels: an opaque head picture


def roster_cell(slot):
    """The centre of a roster cell, in panel pixels (strip scrolled to the top)."""
    return 84 * ((slot - 1) % 5) + 36, 83 * ((slot - 1) // 5) + 36


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


def settle(what, probe, timeout=10.0):
    """Waits until `probe` finds nothing wrong (returns None); fails with its last complaint."""
    last = ["not yet looked at"]

    def condition():
        complaint = probe()
        if complaint is None:
            return True
        last[0] = complaint
        return False

    try:
        wait_until(what, condition, timeout)
    except AssertionError:
        raise AssertionError("%s: %s" % (what, last[0]))


class Walk:
    """The steps of a user under one window manager, with the checks between them."""

    def __init__(self, desk, s, manager, composited):
        self.desk, self.s, self.manager, self.composited = desk, s, manager, composited
        self.started = time.monotonic()

    def names(self, windows):
        known = {self.desk.main: "main", self.desk.roster: "roster"}
        return [known.get(w, "%#x" % w) for w in windows]

    def panel_complaint(self):
        desk, s = self.desk, self.s
        desk.alive()
        stack = s.stacking()
        if desk.main not in stack or desk.roster not in stack:
            return "the stacking %s lacks the main window or the panel" % self.names(stack)
        if stack.index(desk.roster) != stack.index(desk.main) + 1:
            return "the panel is not directly above the main window: stacking %s" % self.names(stack)
        shown = s.server_order([desk.main, desk.roster])
        if shown != [desk.main, desk.roster]:
            return "the server stacks them %s" % self.names(shown)
        main, roster = s.geometry(desk.main), s.geometry(desk.roster)
        if main is None or roster is None:
            return "a window is gone"
        if roster[:2] != (main[0] + ROSTER_OFFSET[0], main[1] + ROSTER_OFFSET[1]):
            return "the panel is at %s, the main window at %s" % (roster[:2], main[:2])
        return None

    def step(self, what, clicks=True):
        """After `what`: the panel lies directly above the main window at main + (43, 385) and,
        unless the button is held, takes a click on one of its heads itself."""
        settle("after %s under %s" % (what, self.manager), self.panel_complaint)
        print("e2e %s: %5.1f s  %s" % (self.manager, time.monotonic() - self.started, what), flush=True)
        if not clicks:
            return
        desk, s = self.desk, self.s
        left, top, _, _ = desk.place(desk.roster)

        def takes():
            under = s.windows_at(left + HEAD_OF_SLOT_2[0], top + HEAD_OF_SLOT_2[1])
            if desk.roster in under and desk.main not in under:
                return None
            return "under the panel's head lie %s" % self.names(under)

        settle("after %s under %s, the panel's own pixels" % (what, self.manager), takes)

    def owned(self, window, what, title, kind):
        """An owned window: transient for the main window, of its type, with a Chinese title,
        kept out of the task bar and the pager (window switchers skip such windows too)."""
        x = self.s.xlib
        check(x.window_list(window, "WM_TRANSIENT_FOR") == [self.desk.main], what + " is not owned by the main window")
        types = x.window_atoms(window, "_NET_WM_WINDOW_TYPE")
        check(types[:1] == [kind], "%s is of type %s" % (what, types))
        name = x.window_text(window, "_NET_WM_NAME")
        check(name == title, "%s is titled %r, not %r" % (what, name, title))

        def skipped():
            state = x.window_atoms(window, "_NET_WM_STATE")
            if "_NET_WM_STATE_SKIP_TASKBAR" in state and "_NET_WM_STATE_SKIP_PAGER" in state:
                return None
            return "its state is %s" % state

        settle(what + " out of the task bar and pager", skipped)

    def popup(self, window, what, title, size, blocked=True):
        """A pop-up: centred over the main window, above it and the panel, taking the pointer,
        and the main window takes no input meanwhile."""
        desk, s = self.desk, self.s
        self.owned(window, what, title, "_NET_WM_WINDOW_TYPE_DIALOG")
        main = desk.place(desk.main)
        centred = (main[0] + (MAIN_SIZE[0] - size[0]) // 2, main[1] + (MAIN_SIZE[1] - size[1]) // 2)

        def placed():
            place = s.geometry(window)
            if place is None or place[:2] != centred:
                return "%s at %s, centred it is at %s" % (what, place, centred)
            # The server's order: icewm's stacking list puts a pop-up opened from the panel
            # under the panel while the screen shows it above.
            shown = s.server_order([desk.main, desk.roster, window])
            if not shown or shown[-1] != window:
                return "not above the program's other windows: the server stacks %s" % self.names(shown)
            # Its own pixels take the pointer, also where it overlaps the panel.
            panel = s.geometry(desk.roster)
            points = [(centred[0] + size[0] // 2, centred[1] + size[1] // 2)]
            if panel is not None:
                points.append((max(panel[0], centred[0]) + 20, max(panel[1], centred[1]) + 20))
            for x, y in points:
                if not (centred[0] <= x < centred[0] + size[0] and centred[1] <= y < centred[1] + size[1]):
                    continue
                under = s.windows_at(x, y)
                if window not in under:
                    return "at %d, %d lie %s" % (x, y, self.names(under))
            return None

        settle(what + " over the main window", placed)
        if blocked:
            # The close button lies outside every pop-up: a click there must not end the program.
            cx, cy = desk.at(CLOSE)
            check(not (centred[0] <= cx < centred[0] + size[0] and centred[1] <= cy < centred[1] + size[1]),
                  what + " covers the close button")
            desk.click(CLOSE)
            time.sleep(0.3)
            check(desk.main in s.windows_of(desk.process.pid), "a click on the close button behind %s closed" % what)
            settle(what + " still over the main window after a click on it", placed)

    def close_popup(self, window, size, what):
        desk, s = self.desk, self.s
        left, top, _, _ = desk.place(window)
        s.xdotool("mousemove", left + size[0] // 2, top + size[1] // 2, "click", 3)
        wait_until(what + " to close", lambda: desk.alive() and window not in s.windows_of(desk.process.pid))

    def run(self, screen_checks):
        desk, s = self.desk, self.s
        pid = desk.process.pid
        # Windows are found by their process and size: their titles are for the task bar.
        desk.main = s.wait_window_of(pid, MAIN_SIZE, "the main window")
        desk.roster = s.wait_window_of(pid, ROSTER_SIZE, "the roster panel")
        start = desk.place(desk.main)[:2]
        check(start == (50, 50), "the main window is at %s" % (start,))
        check(s.xlib.window_text(desk.main, "_NET_WM_NAME") == "召唤兽模拟器", "the main window's title")
        check(not s.xlib.window_list(desk.main, "WM_TRANSIENT_FOR"), "the main window is owned")
        self.owned(desk.roster, "the roster panel", "召唤兽列表", "_NET_WM_WINDOW_TYPE_UTILITY")
        background = s.screenshot().pixel(s.WIDTH - 2, s.HEIGHT - 2)
        wait_until("the main window on the screen", lambda: desk.alive() and s.screenshot().pixel(
            start[0] + BODY[0], start[1] + BODY[1]) != background)
        self.step("start-up")
        if self.composited:
            soft_edges(desk, s)
        if screen_checks:
            screen_checks(desk, s, background)
        if os.environ.get("E2E_SHOTS"):
            s.save_screenshot(os.path.join(desk.work_dir, "start.png"), 0, 0, s.WIDTH, s.HEIGHT)

        # A press, a drag and a release on the transparent corner reach nothing: no title drag,
        # no change. (Checked after the wash below, whose effects prove that these events were
        # handled.)
        main_left, main_top = start
        cx, cy = main_left + CORNER[0], main_top + CORNER[1]
        # (A manager's frame takes the window's input shape over once it has seen it.)
        settle("the transparent corner", lambda: None if s.windows_at(cx, cy) == [] else
               "under it lie %s, not the desktop" % self.names(s.xlib.windows_at_pointer()))
        main_before_corner = s.screenshot().region(main_left, main_top, 920, 620)
        records_before_corner = slot_files(desk.data)
        s.xdotool("mousemove", cx, cy, "mousedown", 1, "mousemove", cx + 30, cy + 20, "mousemove", cx + 60, cy + 40,
                  "mouseup", 1)

        # The first click on the main window: managers raise the window that is clicked.
        desk.click(PET_PICTURE)
        self.step("a click on the pet picture")

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
        self.step("a wash")

        after_corner = slot_files(desk.data)
        del after_corner["2/Data.txt"], records_before_corner["2/Data.txt"]
        check(after_corner == records_before_corner, "slot files changed beside the washed record")
        check(desk.place(desk.main)[:2] == start, "the press on the transparent corner moved the window")
        main_now = s.screenshot().region(main_left, main_top, 920, 620)
        # Only the wash may have changed the window: the title strip and tab row are as before.
        strip = 3 * 920 * 110
        check(main_now[:strip] == main_before_corner[:strip], "the top of the main window changed after the corner press")

        # The merge tab closes the panel, the wash tab opens it again (a new window). On the way,
        # the left merge side opens the merge pet picker.
        desk.click(MERGE_TAB)
        wait_until("the panel to close on the merge tab",
                   lambda: desk.alive() and not s.windows_of(pid, ROSTER_SIZE))
        desk.click(MERGE_SIDE)
        picker = s.wait_window_of(pid, MERGE_PICKER_SIZE, "the merge pet picker")
        self.popup(picker, "the merge pet picker", "选择合宠宠物", MERGE_PICKER_SIZE)
        self.close_popup(picker, MERGE_PICKER_SIZE, "the merge pet picker")
        desk.click(WASH_TAB_CENTRE)
        desk.roster = s.wait_window_of(pid, ROSTER_SIZE, "the roster panel back on the wash tab")
        self.step("a tab round trip")

        # The book tab, then its book slot opens the skill-book picker modally.
        # (The pressed tab lights up at the press already; the wash tab turns dull only at the switch.)
        wash_tab_bright = desk.shot(WASH_TAB)
        desk.click(BOOK_TAB)
        desk.wait_pixels("the book tab", WASH_TAB, changed_from=wash_tab_bright)
        self.step("the book tab")
        tabs_book = desk.shot(TABS)
        desk.click(BOOK_SLOT)
        picker = s.wait_window_of(pid, BOOK_PICKER_SIZE, "the skill-book picker")
        self.popup(picker, "the skill-book picker", "选择兽决", BOOK_PICKER_SIZE)
        # A right click closes the picker without a choice.
        self.close_popup(picker, BOOK_PICKER_SIZE, "the skill-book picker")
        check(desk.shot(TABS) == tabs_book, "the tabs changed behind the modal picker")
        check(desk.record(2) == washed, "the picker changed the record")
        self.step("the skill-book picker opened and closed")

        # Learning without a book in the slot: a message box with the standard caption, a dialog
        # owned by the main window, centred over it; Return answers it.
        desk.click(LEARN)
        box = s.wait_window("信息：")
        check(s.xlib.window_list(box, "WM_TRANSIENT_FOR") == [desk.main], "the message box is not owned by the main window")
        check("_NET_WM_WINDOW_TYPE_DIALOG" in s.xlib.window_atoms(box, "_NET_WM_WINDOW_TYPE"), "not a dialog")
        box_place = desk.place(box)
        check(box_place[2] > 50 and box_place[3] > 30, "message box of %dx%d" % box_place[2:])
        main = desk.place(desk.main)

        def centred():
            # The box with the manager's frame (title bar, borders) around it.
            left, right, top, bottom = s.xlib.window_list(box, "_NET_FRAME_EXTENTS") or (0, 0, 0, 0)
            x, y, w, h = desk.place(box)
            outer = (x - left, y - top, w + left + right, h + top + bottom)
            off = (outer[0] + outer[2] / 2 - (main[0] + main[2] / 2), outer[1] + outer[3] / 2 - (main[1] + main[3] / 2))
            # Centred over the main window; a manager sets its frame's corner where the box was
            # asked to go, which shifts the box by the frame.
            if abs(off[0]) <= 2 + max(left, right) and abs(off[1]) <= 2 + max(top, bottom):
                return None
            return "the box in its frame %s lies off the main window's centre %s by %s" % (outer, main, off)

        settle("the message box centred over the main window", centred)

        def box_on_top():
            stack = s.stacking()
            if box in stack and stack.index(box) > stack.index(desk.main):
                return None
            return "stacking %s" % self.names(stack)

        settle("the message box above the main window", box_on_top)
        settle("the message box out of the task bar", lambda: None if "_NET_WM_STATE_SKIP_TASKBAR" in
               s.xlib.window_atoms(box, "_NET_WM_STATE") else "its state is %s" % s.xlib.window_atoms(box, "_NET_WM_STATE"))
        if os.environ.get("E2E_SHOTS"):
            s.save_screenshot(os.path.join(desk.work_dir, "message-box.png"), 0, 0, s.WIDTH, s.HEIGHT)
        s.xdotool("windowfocus", "--sync", box, "key", "Return")
        s.wait_window_gone("信息：")
        check(desk.record(2) == washed, "the refused learn changed the record")
        self.step("a message box answered")

        # Title drag: the window follows the pointer, the panel follows the window while the
        # button is still held, and both stay where the release leaves them.
        start = desk.place(desk.main)[:2]
        tx, ty = desk.at(TITLE)
        s.xdotool("mousemove", tx, ty, "mousedown", 1)
        for n in range(1, 7):
            s.xdotool("mousemove", tx + 20 * n, ty + 12 * n)
        moved = (start[0] + 120, start[1] + 72)
        settle("the main window during the drag",
               lambda: None if desk.place(desk.main)[:2] == moved else "at %s, not %s" % (desk.place(desk.main)[:2], moved))
        self.step("the pointer moved with the title held", clicks=False)
        if os.environ.get("E2E_SHOTS"):
            s.save_screenshot(os.path.join(desk.work_dir, "during-drag.png"), 0, 0, s.WIDTH, s.HEIGHT)
        s.xdotool("mouseup", 1)
        self.step("a title drag")
        check(desk.place(desk.main)[:2] == moved, "the main window is at %s after the drag" % (desk.place(desk.main)[:2],))
        check(desk.record(2) == washed, "the drag changed the record")

        if self.manager != "none":
            # Minimise: the manager iconifies the main window, and the panel goes with it.
            desk.click(MINIMISE)
            wait_until("both windows to go", lambda: desk.alive() and not s.windows_of(pid))
            check("Iconic" in s.run("xprop", "-id", str(desk.main), "WM_STATE"), "the main window is not iconic")
            # As a task bar restores a window (_NET_ACTIVE_WINDOW). Not --sync: icewm may make the
            # panel the active window, and xdotool would wait for the main window in vain.
            s.xdotool("windowactivate", desk.main)
            wait_until("both windows back", lambda: desk.alive() and len(s.windows_of(pid)) == 2)
            check(desk.place(desk.main)[:2] == moved, "the main window came back elsewhere")
            self.step("minimise and restore")
            # The manager's frames keep the input shape: the corner still lets the pointer through.
            check(s.windows_at(moved[0] + CORNER[0], moved[1] + CORNER[1]) == [], "the corner takes the pointer")

        # Press and release on an empty cell of the panel (slot 3): the species picker opens.
        left, top, _, _ = desk.place(desk.roster)
        x, y = roster_cell(3)
        s.xdotool("mousemove", left + x, top + y, "mousedown", 1, "mousemove", left + x + 1, top + y, "mouseup", 1)
        species = s.wait_window_of(pid, SPECIES_PICKER_SIZE, "the species picker")
        self.popup(species, "the species picker", "选择召唤兽", SPECIES_PICKER_SIZE, blocked=False)
        if os.environ.get("E2E_SHOTS"):
            s.save_screenshot(os.path.join(desk.work_dir, "species-picker.png"), 0, 0, s.WIDTH, s.HEIGHT)
        self.close_popup(species, SPECIES_PICKER_SIZE, "the species picker")
        self.step("the species picker closed")
        return washed


def soft_edges(desk, s):
    """The compositor blends the frame's soft edges over the desktop, also inside a manager's
    frame."""
    main_left, main_top, _, _ = desk.place(desk.main)
    screen = s.screenshot()
    background = screen.pixel(main_left - 10, main_top + 10)  # the desktop beside the window
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


def pointer_shapes(desk, s, background):
    """Without a window manager: the frame takes the pointer, which takes the controls' shapes."""
    main_left, main_top, _, _ = desk.place(desk.main)
    check(s.windows_at(main_left + BODY[0], main_top + BODY[1]) == [desk.main], "the frame does not take the pointer")

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


def without_compositor(desk, s):
    """Without a compositing manager alpha is not honoured: the window's shape is then cut from
    the alpha, so the corner shows the (white) desktop instead of black, and still lets the
    pointer through."""
    main_left, main_top, _, _ = desk.place(desk.main)
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


def run(manager, composited, program, source_dir, work_dir):
    """The walk under `manager` on a fresh X server and fixture, with or without xcompmgr;
    returns an exit status."""
    session = xsession.XSession(compositor=composited, log_dir=work_dir)
    desk = process = None
    started = time.monotonic()
    try:
        if manager != "none":
            process = session.start_window_manager(manager)
        data = make_fixture(source_dir, work_dir)
        desk = Desktop(session, program, source_dir, data, work_dir)
        washed = Walk(desk, session, manager, composited).run(pointer_shapes if manager == "none" else None)
        if manager == "none" and composited:
            without_compositor(desk, session)
        # The close button ends the program with status 0; every record is as the wash left it.
        final = slot_files(desk.data)
        check(final["2/Data.txt"].decode() == washed, "record 2 is %r" % final["2/Data.txt"])
        check(final["7/Data.txt"].decode() == RECORDS[7] and final["7/rz.txt"].decode() == MARKERS[7],
              "slot 7 changed")
        check(sorted(final) == ["2/Data.txt", "7/Data.txt", "7/rz.txt"], "slot folders hold %s" % sorted(final))
        close_and_check(desk, final)
        print("e2e %s: all checks passed in %.1f s" % (manager, time.monotonic() - started))
        return 0
    except AssertionError as failure:
        try:
            session.save_screenshot(os.path.join(work_dir, "failure.png"), 0, 0, session.WIDTH, session.HEIGHT)
        except Exception:
            pass
        print("e2e %s: FAILED: %s" % (manager, failure), file=sys.stderr)
        traceback.print_exc()
        print("e2e %s: the screen is in %s/failure.png, the program's output in %s" % (manager, work_dir, work_dir),
              file=sys.stderr)
        return 1
    finally:
        if desk is not None:
            xsession.stop(desk.process)
            desk.out.close()
        xsession.stop(process)
        session.close()


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    program, source_dir, work_dir = (os.path.abspath(a) for a in sys.argv[1:4])
    # MANAGER/plain: without the compositing manager.
    manager, _, variant = sys.argv[4].partition("/")
    if variant not in ("", "plain"):
        print("e2e: no variant %r" % variant, file=sys.stderr)
        return 2
    if manager != "none" and manager not in xsession.XSession.WINDOW_MANAGERS:
        print("e2e: no window manager %r" % manager, file=sys.stderr)
        return 2
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
    if manager != "none" and shutil.which(manager) is None:
        print("e2e: skipped, %s is not installed" % manager)
        return 77
    return run(manager, variant != "plain", program, source_dir, work_dir)


if __name__ == "__main__":
    sys.exit(main())
