"""A private X server for the desktop test, the start-up benchmark and the screenshot.

XSession starts Xvfb on a free display number (Xvfb picks it: -displayfd), optionally xcompmgr
and a window manager (openbox, metacity, icewm or xfwm4), and reads the screen and the windows
back. Input goes through xdotool's plain mousemove / mousedown / mouseup (XTEST: the server
hit-tests them, so input shapes apply). Window places, properties, the stacking and the window
under the pointer come from Xlib through ctypes, the rest from the X tools. Everything started here
is stopped by close() or stop(), also when the caller is ended by a signal.
"""

import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import zlib


class Missing(Exception):
    """A tool the session needs is not installed."""


def ended_by_signal(signum, frame):
    # SIGTERM (ctest's timeout) and SIGINT unwind through the callers' finally blocks.
    raise SystemExit(128 + signum)


def end_cleanly_on_signals():
    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, ended_by_signal)


def wait_until(what, condition, timeout=20.0, interval=0.02):
    """Polls `condition` until it returns a true value, which is returned; raises after `timeout`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def _die_with_parent():
    # PR_SET_PDEATHSIG: a helper outlives no killed caller (SIGKILL skips every finally block).
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGTERM, 0, 0, 0)


def spawn(args, **kwargs):
    """subprocess.Popen in a session of its own that ends when this process ends."""
    return subprocess.Popen(args, start_new_session=True, preexec_fn=_die_with_parent, **kwargs)


def _signal_group(process, signum):
    # Each helper leads a session of its own (see spawn): its group holds what it started too
    # (dbus-run-session's bus, the settings daemon the bus started for xfwm4).
    try:
        os.killpg(process.pid, signum)
    except ProcessLookupError:
        pass


def stop(process, timeout=5.0):
    # Only while the leader is not yet reaped: its id cannot have been taken by another group.
    if process is None or process.poll() is not None:
        return
    _signal_group(process, signal.SIGTERM)
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        _signal_group(process, signal.SIGKILL)
        process.wait()


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.c_void_p), ("atom", ctypes.c_ulong),
                ("name", ctypes.c_char_p)]


class _WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class _Xlib:
    """The few Xlib calls the checks need."""

    def __init__(self, display_name):
        path = ctypes.util.find_library("X11")
        if path is None:
            raise Missing("libX11 not found")
        x = ctypes.CDLL(path)
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XGetSelectionOwner.restype = ctypes.c_ulong
        x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        p = ctypes.POINTER
        x.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, p(ctypes.c_ulong), p(ctypes.c_ulong),
                                    p(ctypes.c_int), p(ctypes.c_int), p(ctypes.c_int), p(ctypes.c_int),
                                    p(ctypes.c_uint)]
        x.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                            ctypes.c_int, p(ctypes.c_int), p(ctypes.c_int), p(ctypes.c_ulong)]
        x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, p(ctypes.c_ulong), p(ctypes.c_int),
                                   p(ctypes.c_int), p(ctypes.c_uint), p(ctypes.c_uint), p(ctypes.c_uint),
                                   p(ctypes.c_uint)]
        x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                         ctypes.c_long, ctypes.c_int, ctypes.c_ulong, p(ctypes.c_ulong),
                                         p(ctypes.c_int), p(ctypes.c_ulong), p(ctypes.c_ulong),
                                         p(ctypes.c_void_p)]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, p(ctypes.c_ulong), p(ctypes.c_ulong),
                                 p(ctypes.c_void_p), p(ctypes.c_uint)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, p(_WindowAttributes)]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # A window that disappears between the lookup and the question must not end the caller.
        self._handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
        x.XSetErrorHandler(self._handler)
        self.x = x
        self.display = x.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError("cannot open display " + display_name)
        self.root = x.XDefaultRootWindow(self.display)
        self.xfixes = None

    def cursor_serial(self):
        """The serial number of the pointer's current cursor shape (XFixes): equal numbers, the
        same cursor."""
        if self.xfixes is None:
            path = ctypes.util.find_library("Xfixes")
            if path is None:
                raise Missing("libXfixes")
            self.xfixes = ctypes.CDLL(path)
            self.xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                         ctypes.POINTER(ctypes.c_int)]
            event, error = ctypes.c_int(), ctypes.c_int()
            if not self.xfixes.XFixesQueryExtension(self.display, ctypes.byref(event), ctypes.byref(error)):
                raise RuntimeError("the X server lacks the XFIXES extension")
            self.xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
            self.xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        image = self.xfixes.XFixesGetCursorImage(self.display)
        if not image:
            return None
        serial = image.contents.cursor_serial
        self.x.XFree(image)
        return serial

    def close(self):
        if self.display:
            self.x.XCloseDisplay(self.display)
            self.display = None

    def selection_owner(self, name):
        atom = self.x.XInternAtom(self.display, name.encode(), 0)
        return self.x.XGetSelectionOwner(self.display, atom)

    def _property(self, window, name):
        """(format, items) of a window property, or None when the window lacks it."""
        atom = self.x.XInternAtom(self.display, name.encode(), 0)
        kind, fmt, count, after = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        # AnyPropertyType (0); long_length counts 32-bit units.
        status = self.x.XGetWindowProperty(self.display, window, atom, 0, 1 << 16, 0, 0, ctypes.byref(kind),
                                           ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                           ctypes.byref(data))
        if status != 0 or kind.value == 0:
            return None
        try:
            if fmt.value == 32:
                # Xlib hands 32-bit items over as longs.
                return 32, list(ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[:count.value])
            if fmt.value == 8:
                return 8, ctypes.string_at(data, count.value)
            return fmt.value, None
        finally:
            if data:
                self.x.XFree(data)

    def window_list(self, window, name):
        """A property of 32-bit items (window ids, cardinals, atoms) as a list, or None when the
        window lacks it."""
        found = self._property(window, name)
        return found[1] if found is not None and found[0] == 32 else None

    def window_text(self, window, name):
        """A text property (_NET_WM_NAME, WM_NAME) as a str, or None."""
        found = self._property(window, name)
        if found is None or found[0] != 8:
            return None
        return found[1].decode("utf-8", errors="replace")

    def window_atoms(self, window, name):
        """An atom list property (_NET_WM_STATE, _NET_WM_WINDOW_TYPE) as names."""
        return [self.atom_name(a) for a in self.window_list(window, name) or []]

    def atom_name(self, atom):
        self.x.XGetAtomName.restype = ctypes.c_void_p
        self.x.XGetAtomName.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        name = self.x.XGetAtomName(self.display, atom)
        if not name:
            return None
        try:
            return ctypes.cast(name, ctypes.c_char_p).value.decode()
        finally:
            self.x.XFree(name)

    def children(self, window):
        """The children of `window`, bottom to top as the server stacks them."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        items, count = ctypes.c_void_p(), ctypes.c_uint()
        if not self.x.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(items), ctypes.byref(count)):
            return []
        try:
            return list(ctypes.cast(items, ctypes.POINTER(ctypes.c_ulong))[:count.value]) if items else []
        finally:
            if items:
                self.x.XFree(items)

    def parent(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        items, count = ctypes.c_void_p(), ctypes.c_uint()
        if not self.x.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(items), ctypes.byref(count)):
            return None
        if items:
            self.x.XFree(items)
        return parent.value

    def top_level(self, window):
        """The child of the root that holds `window`: a manager's frame, or the window itself."""
        while True:
            parent = self.parent(window)
            if parent is None:
                return None
            if parent == self.root:
                return window
            window = parent

    def viewable(self, window):
        """True when the window and all its ancestors are mapped."""
        attributes = _WindowAttributes()
        if not self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)):
            return False
        return attributes.map_state == 2  # IsViewable

    def windows_at_pointer(self):
        """The windows under the pointer from the root's child down to the innermost one (empty:
        the root itself). The server's hit test decides, input shapes included; under a window
        manager the list starts with its frame and holds the client further down."""
        path, window = [], self.root
        while True:
            root, child = ctypes.c_ulong(), ctypes.c_ulong()
            rx, ry, wx, wy = ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
            mask = ctypes.c_uint()
            self.x.XQueryPointer(self.display, window, ctypes.byref(root), ctypes.byref(child), ctypes.byref(rx),
                                 ctypes.byref(ry), ctypes.byref(wx), ctypes.byref(wy), ctypes.byref(mask))
            if child.value == 0:
                return path
            path.append(child.value)
            window = child.value

    def geometry(self, window):
        """(left, top, width, height) on the screen, or None when the window is gone."""
        root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        w, h, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
        if not self.x.XGetGeometry(self.display, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                                   ctypes.byref(w), ctypes.byref(h), ctypes.byref(border), ctypes.byref(depth)):
            return None
        sx, sy, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        if not self.x.XTranslateCoordinates(self.display, window, self.root, 0, 0, ctypes.byref(sx),
                                            ctypes.byref(sy), ctypes.byref(child)):
            return None
        return (sx.value, sy.value, w.value, h.value)


class Screenshot:
    """The whole screen as read by `import -window root` (the compositor's output when one runs)."""

    def __init__(self, data, width, height):
        self.data, self.width, self.height = data, width, height

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def region(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            i = 3 * (y * self.width + left)
            rows.append(self.data[i:i + 3 * width])
        return b"".join(rows)


def parse_ppm(blob):
    # P6 with a header of magic, width, height and maxval separated by whitespace.
    fields, pos = [], 0
    while len(fields) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.index(b"\n", pos)
            continue
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        fields.append(blob[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("unexpected screenshot format")
    width, height = int(fields[1]), int(fields[2])
    data = blob[pos + 1:pos + 1 + 3 * width * height]
    return Screenshot(data, width, height)


def read_png_rgba(path):
    """(width, height, rows of RGBA bytes) of an 8-bit RGBA, non-interlaced PNG."""
    with open(path, "rb") as f:
        blob = f.read()
    if blob[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is no PNG")
    pos, idat, header = 8, [], None
    while pos < len(blob):
        length = struct.unpack(">I", blob[pos:pos + 4])[0]
        kind, body = blob[pos + 4:pos + 8], blob[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 6 or interlace != 0:
        raise ValueError(path + " is not 8-bit RGBA without interlace")
    raw, stride, rows, previous = zlib.decompress(b"".join(idat)), 4 * width, [], bytearray(4 * width)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b, c = previous[i], previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, rows


class XSession:
    """Xvfb (1280x1024, 24 bits, with the Composite extension, a white desktop) and, when asked,
    xcompmgr."""

    WIDTH, HEIGHT = 1280, 1024

    def __init__(self, compositor=True, log_dir=None):
        if shutil.which("Xvfb") is None:
            raise Missing("Xvfb")
        for tool in ["xdotool", "import"] + (["xcompmgr"] if compositor else []):
            if shutil.which(tool) is None:
                raise RuntimeError(tool + " is not installed (scripts/install-deps.sh installs it)")
        self.log_dir = log_dir or tempfile.mkdtemp(prefix="petsim-x-")
        self.server = self.compositor = None
        self.xlib = None
        self.display = None
        try:
            self._start_server()
            self.env = dict(os.environ, DISPLAY=self.display)
            self.env.pop("WAYLAND_DISPLAY", None)
            self.xlib = _Xlib(self.display)
            if compositor:
                self._start_compositor()
        except BaseException:
            self.close()
            raise

    def _start_server(self):
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.log_dir, "Xvfb.log"), "wb")
        try:
            # -noreset: the server would reset (and forget the compositor) when its last client
            # leaves, e.g. between two runs of the program.
            self.server = spawn(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (self.WIDTH, self.HEIGHT),
                 "+extension", "Composite", "-wr", "-nolisten", "tcp", "-noreset"],
                pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=log)
        finally:
            os.close(write_end)
            log.close()
        try:
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(0.0, left))
                if not ready:
                    raise RuntimeError("Xvfb did not start within 30 s (see %s)" % self.log_dir)
                chunk = os.read(read_end, 64)
                if not chunk:
                    raise RuntimeError("Xvfb exited at start (see %s/Xvfb.log)" % self.log_dir)
                number += chunk
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()

    def _start_compositor(self):
        log = open(os.path.join(self.log_dir, "xcompmgr.log"), "wb")
        try:
            self.compositor = spawn(["xcompmgr"], env=self.env, stdout=subprocess.DEVNULL, stderr=log)
        finally:
            log.close()

        # The manager owns _NET_WM_CM_S0 once it composites; GTK asks the same question.
        def owned():
            if self.compositor.poll() is not None:
                raise RuntimeError("xcompmgr exited (see %s/xcompmgr.log)" % self.log_dir)
            return self.xlib.selection_owner("_NET_WM_CM_S0") != 0

        wait_until("the compositing manager", owned)

    # How each window manager is started on its own: no session manager, no compositor of its
    # own (xcompmgr composites where a test asks for it), nothing of a desktop session.
    WINDOW_MANAGERS = {
        "openbox": ["openbox", "--sm-disable"],
        "metacity": ["metacity", "--sm-disable", "--no-composite"],
        "icewm": ["icewm"],
        # xfwm4 reads its settings from xfconfd, which it reaches over a session bus of its own.
        "xfwm4": ["dbus-run-session", "--", "xfwm4", "--compositor=off", "--sm-client-disable"],
    }

    def start_window_manager(self, name="openbox"):
        """Starts the window manager `name` (a key of WINDOW_MANAGERS) on the display and returns
        its process once it manages the screen (owns WM_S0 and names itself on the root)."""
        command = self.WINDOW_MANAGERS[name]
        for tool in {name, command[0]}:
            if shutil.which(tool) is None:
                raise RuntimeError("%s is not installed (scripts/install-deps.sh installs it)" % tool)
        home = os.path.join(self.log_dir, name + "-home")
        os.makedirs(home, exist_ok=True)
        log = open(os.path.join(self.log_dir, name + ".log"), "wb")
        try:
            manager = spawn(command, env=self.program_env(home), stdout=subprocess.DEVNULL, stderr=log)
        finally:
            log.close()

        def managing():
            if manager.poll() is not None:
                raise RuntimeError("%s exited (see %s/%s.log)" % (name, self.log_dir, name))
            check = self.xlib.window_list(self.xlib.root, "_NET_SUPPORTING_WM_CHECK")
            return self.xlib.selection_owner("WM_S0") != 0 and check

        wait_until("the window manager " + name, managing)
        return manager

    def stacking(self):
        """The top-level windows bottom to top: the window manager's _NET_CLIENT_LIST_STACKING
        where one keeps it, else the server's own order of the root's mapped children."""
        listed = self.xlib.window_list(self.xlib.root, "_NET_CLIENT_LIST_STACKING")
        if listed is not None and self.xlib.window_list(self.xlib.root, "_NET_SUPPORTING_WM_CHECK"):
            return listed
        return [w for w in self.xlib.children(self.xlib.root) if self.xlib.viewable(w)]

    def server_order(self, windows):
        """`windows` bottom to top as the server stacks them (by their frames under a manager):
        what the screen shows, whatever a manager's list says."""
        children = self.xlib.children(self.xlib.root)
        place = {}
        for window in windows:
            top = self.xlib.top_level(window)
            if top in children:
                place[window] = children.index(top)
        return sorted(place, key=place.get)

    def stop_compositor(self):
        stop(self.compositor)
        self.compositor = None
        wait_until("the compositing manager to go", lambda: self.xlib.selection_owner("_NET_WM_CM_S0") == 0)

    def close(self):
        if self.xlib is not None:
            self.xlib.close()
            self.xlib = None
        stop(self.compositor)
        stop(self.server)
        self.compositor = self.server = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def program_env(self, home, **extra):
        """The environment for a program on this display, with a home of its own, so that
        nothing of the user's desktop (settings, caches, the per-user data folder) is read or
        written."""
        env = dict(self.env)
        for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
                     "DBUS_SESSION_BUS_ADDRESS", "GTK_MODULES", "GDK_SCALE", "GDK_DPI_SCALE"):
            env.pop(name, None)
        env.update(HOME=home, GDK_BACKEND="x11", NO_AT_BRIDGE="1", GTK_A11Y="none")
        env.update(extra)
        return env

    # --- tools -------------------------------------------------------------------------------

    def run(self, *args, timeout=20):
        done = subprocess.run(list(args), env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=timeout)
        if done.returncode != 0:
            raise RuntimeError("%s failed (%d): %s" % (" ".join(args), done.returncode, done.stderr.decode()))
        return done.stdout.decode()

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args])

    def windows_named(self, name):
        """Ids of the mapped windows whose name is exactly `name`."""
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name], env=self.env,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        return [int(w) for w in done.stdout.split()]

    def wait_window(self, name, timeout=30.0):
        found = wait_until("a window named %s" % name, lambda: self.windows_named(name), timeout)
        if len(found) != 1:
            raise AssertionError("%d windows named %s" % (len(found), name))
        return found[0]

    def windows_of(self, pid, size=None):
        """Ids of the mapped windows of process `pid` (by _NET_WM_PID), of that (width, height)
        when given."""
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], env=self.env,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        found = [int(w) for w in done.stdout.split()]
        if size is None:
            return found
        return [w for w in found if (self.geometry(w) or (0, 0, 0, 0))[2:] == tuple(size)]

    def wait_window_of(self, pid, size, what, timeout=30.0):
        found = wait_until(what, lambda: self.windows_of(pid, size), timeout)
        if len(found) != 1:
            raise AssertionError("%d windows for %s" % (len(found), what))
        return found[0]

    def wait_window_gone(self, name, timeout=20.0):
        wait_until("the window %s to close" % name, lambda: not self.windows_named(name), timeout)

    def geometry(self, window):
        return self.xlib.geometry(window)

    def windows_at(self, x, y):
        """Moves the pointer to (x, y) and returns the windows under it (see windows_at_pointer)."""
        self.xdotool("mousemove", x, y)
        return self.xlib.windows_at_pointer()

    def screenshot(self):
        done = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=60)
        if done.returncode != 0:
            raise RuntimeError("import failed: " + done.stderr.decode())
        return parse_ppm(done.stdout)

    def save_screenshot(self, path, left, top, width, height):
        self.run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top), "+repage",
                 path, timeout=60)
