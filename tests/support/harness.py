"""End-to-end harness: drives the real gearmesh binary on a real X server.

Run the tests under ``tests/with-xvfb`` (CTest does), which sets DISPLAY to a
private Xvfb with GLX and XTEST.  Python standard library only, plus the
command-line tools ``xdotool`` and ``xprop``; pixels are read back from the
X server with XGetImage through ctypes (libX11), which is quick enough to
poll for a redraw.

API
---
``Gearmesh(counts_text=None, lc_all="C.UTF-8", args=(), env=None, terminal=False, closed=())``
    Context manager that starts ``$GEARMESH`` (plus ``args``) with standard
    input a pipe and standard output and error captured by reader threads, so
    the pipes never block.  ``counts_text`` (str or bytes), when given, is
    written to standard input at once; standard input stays open for later
    dialogues (key ``z``).  ``lc_all`` becomes LC_ALL (None leaves the
    locale variables as they are); ``env`` adds or overrides variables (a
    value of None removes one).
    With terminal=True standard input is a pseudo-terminal instead of a
    pipe, as when a user types at the console.  The descriptors in ``closed``
    (0, 1, 2) are closed in the program when it starts, as ``>&-`` does;
    what it would write there is then not captured.
    Leaving the block kills the process if it still runs.

    ``.write(text)``            write str (UTF-8) or bytes to standard input
                                (dropped if the program has already ended)
    ``.close_stdin()``          end the program's input (on a terminal: Ctrl-D)
    ``.stdout_bytes()``         everything written to standard output so far
    ``.stderr_bytes()``         the same for standard error
    ``.wait_stdout(b, timeout)`` wait until standard output contains bytes b
    ``.wait_stderr(b, timeout)`` the same for standard error
    ``.find_window()``          the program's window id, or None if none yet
    ``.wait_window(timeout)``   wait until the window is mapped and has drawn
                                a frame (stable, not all black); moves it to
                                the screen's corner; returns a Screenshot
    ``.key(name, redraw=True, timeout)``
                                press and release a key through XTEST
                                (xdotool key names: "3", "w", "W", "Escape",
                                "z", "s" ...).  The pointer is moved into the
                                window first, so the key reaches GLUT without
                                a window manager.  With redraw=True it waits
                                until the picture changes and then settles;
                                with redraw=False it waits a short settling
                                time.  Returns the Screenshot afterwards, or
                                None when the program has ended.
    ``.screenshot()``           the window's picture now, as a Screenshot
    ``.wait_stable(timeout)``   poll until two pictures in a row are equal
    ``.resize(width, height)``  resize the window (no window manager runs)
    ``.xprop(*names)``          text of ``xprop -id WIN names...``
    ``.exit_code(timeout)``     wait for the program to end and its output to
                                be read; its status
    ``.running()``              True while the process runs

``Screenshot``: ``.width``, ``.height``, ``.pixel(x, y)`` -> (r, g, b) with
0..255 components, ``.count(color, tolerance=0, box=None)`` pixels within
tolerance of a colour (box = (x0, y0, x1, y1), exclusive ends),
``.near(x, y, color, radius=2, tolerance=60)`` whether such a pixel lies
within a square of that radius, ``.centroid(color, tolerance=60)`` the mean
(column, row) of such pixels and their count, ``.is_all(color)``,
``.save_png(path)``; two Screenshots compare
equal when all their pixels do.

Model points to pixels (identity projection, −1..+1 over the window):
``model_to_pixel(x, y, view_scale=0.2, width=800, height=800)`` gives
px = w/2 + w/2 × viewScale × x and py = h/2 − h/2 × viewScale × y, rounded to
the nearest pixel.

``top_level_windows()`` lists the root window's children;
``grab_window(window)`` reads any viewable window as a Screenshot.
``make_sjis_locale(directory)`` builds the Shift-JIS locale ja_JP.SJIS in
directory for tests of code page 932 output (run with LOCPATH=directory);
returns its name, or None when localedef cannot build it.

Colours: WHITE, BLACK, RED, GREEN, BLUE, YELLOW as (r, g, b) tuples.
"""

import ctypes
import ctypes.util
import os
import pty
import shutil
import struct
import subprocess
import threading
import time
import zlib

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)

WINDOW_SIZE = 800


def model_to_pixel(x, y, view_scale=0.2, width=WINDOW_SIZE, height=WINDOW_SIZE):
    """Window pixel (column, row from the top) of the model point (x, y)."""
    px = width / 2 + width / 2 * view_scale * x
    py = height / 2 - height / 2 * view_scale * y
    return int(round(px)), int(round(py))


class Screenshot:
    """An RGB picture: rows top to bottom, three bytes a pixel."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError("picture data does not match its size")
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError("pixel (%d, %d) outside %dx%d" % (x, y, self.width, self.height))
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def count(self, color, tolerance=0, box=None):
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        x0, y0 = max(0, x0), max(0, y0)
        x1, y1 = min(self.width, x1), min(self.height, y1)
        n = 0
        for y in range(y0, y1):
            row = self.rgb[(y * self.width + x0) * 3:(y * self.width + x1) * 3]
            if tolerance == 0:
                pattern = bytes(color)
                n += sum(1 for i in range(0, len(row), 3) if row[i:i + 3] == pattern)
            else:
                n += sum(1 for i in range(0, len(row), 3)
                         if _close(row[i:i + 3], color, tolerance))
        return n

    def near(self, x, y, color, radius=2, tolerance=60):
        return self.count(color, tolerance, (x - radius, y - radius, x + radius + 1, y + radius + 1)) > 0

    def centroid(self, color, tolerance=60):
        """(mean column, mean row, count) of the pixels near color, or None."""
        xs = ys = n = 0
        for y in range(self.height):
            row = self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
            for x, pixel in enumerate(zip(row[0::3], row[1::3], row[2::3])):
                if _close(pixel, color, tolerance):
                    xs += x
                    ys += y
                    n += 1
        return (xs / n, ys / n, n) if n else None

    def is_all(self, color):
        return self.rgb == bytes(color) * (self.width * self.height)

    def save_png(self, path):
        raw = b"".join(b"\x00" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
                       for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                    + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))

    def __eq__(self, other):
        return (isinstance(other, Screenshot) and self.width == other.width
                and self.height == other.height and self.rgb == other.rgb)

    def __ne__(self, other):
        return not self == other

    __hash__ = None

    def __repr__(self):
        return "<Screenshot %dx%d crc32 %08x>" % (self.width, self.height, zlib.crc32(self.rgb))


def _close(rgb, color, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, color))


# ---------------------------------------------------------------- pixels via libX11

class _XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
    ]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
        ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong), ("c_class", ctypes.c_int),
        ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
        ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
        ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


_IS_VIEWABLE = 2
_Z_PIXMAP = 2
_ALL_PLANES = ctypes.c_ulong(-1 & 0xFFFFFFFFFFFFFFFF)


class _XConnection:
    """One Xlib connection to $DISPLAY; X errors are recorded, never fatal."""

    _error_handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)

    def __init__(self):
        path = ctypes.util.find_library("X11") or "libX11.so.6"
        self.lib = ctypes.CDLL(path)
        lib = self.lib
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XGetImage.restype = ctypes.POINTER(_XImage)
        lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        lib.XFree.argtypes = [ctypes.c_void_p]
        lib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                             ctypes.POINTER(_XWindowAttributes)]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                   ctypes.POINTER(ctypes.c_uint)]
        lib.XSetErrorHandler.argtypes = [self._error_handler_type]
        lib.XSetErrorHandler.restype = ctypes.c_void_p
        self.errors = 0

        def on_error(_display, _event):
            self.errors += 1
            return 0

        self._handler = self._error_handler_type(on_error)
        lib.XSetErrorHandler(self._handler)
        self.display = lib.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open X display %r" % os.environ.get("DISPLAY"))

    def attributes(self, window):
        attrs = _XWindowAttributes()
        before = self.errors
        ok = self.lib.XGetWindowAttributes(self.display, window, ctypes.byref(attrs))
        self.lib.XSync(self.display, 0)
        if not ok or self.errors != before:
            return None
        return attrs

    def top_level_windows(self):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        if not self.lib.XQueryTree(self.display, self.lib.XDefaultRootWindow(self.display),
                                   ctypes.byref(root), ctypes.byref(parent),
                                   ctypes.byref(children), ctypes.byref(count)):
            return []
        windows = [children[i] for i in range(count.value)]
        if children:
            self.lib.XFree(children)
        return windows

    def grab(self, window):
        attrs = self.attributes(window)
        if attrs is None or attrs.map_state != _IS_VIEWABLE:
            return None
        before = self.errors
        image_ptr = self.lib.XGetImage(self.display, window, 0, 0, attrs.width, attrs.height,
                                       _ALL_PLANES, _Z_PIXMAP)
        self.lib.XSync(self.display, 0)
        if not image_ptr or self.errors != before:
            return None
        try:
            return _convert(image_ptr.contents)
        finally:
            # XDestroyImage frees the data and the structure, both from malloc.
            self.lib.XFree(image_ptr.contents.data)
            self.lib.XFree(image_ptr)


def _convert(image):
    if image.bits_per_pixel not in (24, 32):
        raise RuntimeError("unsupported pixel size %d" % image.bits_per_pixel)
    step = image.bits_per_pixel // 8
    stride = image.bytes_per_line
    data = ctypes.string_at(image.data, stride * image.height)
    shifts = []
    for mask in (image.red_mask, image.green_mask, image.blue_mask):
        shift = (mask & -mask).bit_length() - 1
        bits = bin(mask).count("1")
        shifts.append((shift, (1 << bits) - 1))
    little = image.byte_order == 0
    if step == 4 and little and shifts == [(16, 255), (8, 255), (0, 255)]:
        # The usual 24-bit TrueColor layout: B, G, R, pad in memory.
        out = bytearray(image.width * image.height * 3)
        for y in range(image.height):
            row = data[y * stride:y * stride + image.width * 4]
            base = y * image.width * 3
            out[base + 0:base + image.width * 3:3] = row[2::4]
            out[base + 1:base + image.width * 3:3] = row[1::4]
            out[base + 2:base + image.width * 3:3] = row[0::4]
        return Screenshot(image.width, image.height, out)
    out = bytearray()
    order = "little" if little else "big"
    for y in range(image.height):
        for x in range(image.width):
            i = y * stride + x * step
            value = int.from_bytes(data[i:i + step], order)
            for shift, top in shifts:
                out.append(((value >> shift) & top) * 255 // top)
    return Screenshot(image.width, image.height, out)


_connection = None


def _x():
    global _connection
    if _connection is None:
        _connection = _XConnection()
    return _connection


def top_level_windows():
    """Ids of the root window's children, mapped or not."""
    return _x().top_level_windows()


def grab_window(window):
    """The window's picture as a Screenshot, or None if it is not viewable."""
    return _x().grab(window)


def make_sjis_locale(directory):
    """Builds the locale ja_JP.SJIS (Shift-JIS) under directory, to be used
    with LOCPATH=directory; returns its name, or None if it cannot be built."""
    if shutil.which("localedef") is None:
        return None
    # localedef warns that Shift-JIS is not ASCII-compatible and exits with
    # status 1, yet writes a usable locale.
    subprocess.run(["localedef", "-f", "SHIFT_JIS", "-i", "ja_JP",
                    os.path.join(directory, "ja_JP.SJIS")],
                   capture_output=True, timeout=120)
    if not os.path.exists(os.path.join(directory, "ja_JP.SJIS", "LC_CTYPE")):
        return None
    return "ja_JP.SJIS"


# ---------------------------------------------------------------- the program

class _Reader(threading.Thread):
    def __init__(self, stream):
        super().__init__(daemon=True)
        self.stream = stream
        self.data = bytearray()
        self.lock = threading.Condition()

    def run(self):
        while True:
            try:
                chunk = os.read(self.stream.fileno(), 65536)
            except OSError:
                chunk = b""  # a terminal whose other side has closed
            with self.lock:
                if not chunk:
                    self.lock.notify_all()
                    return
                self.data += chunk
                self.lock.notify_all()

    def snapshot(self):
        with self.lock:
            return bytes(self.data)

    def wait_for(self, needle, timeout):
        deadline = time.monotonic() + timeout
        with self.lock:
            while needle not in self.data:
                left = deadline - time.monotonic()
                if left <= 0 or not self.is_alive() and needle not in self.data:
                    return needle in self.data
                self.lock.wait(min(left, 0.1))
            return True


class Gearmesh:
    SETTLE = 0.3  # seconds a picture must stay the same to count as drawn

    def __init__(self, counts_text=None, lc_all="C.UTF-8", args=(), env=None, terminal=False,
                 closed=()):
        binary = os.environ.get("GEARMESH")
        if not binary:
            raise RuntimeError("GEARMESH is not set to the gearmesh binary")
        environment = dict(os.environ)
        if lc_all is not None:
            for name in ("LANG", "LANGUAGE"):
                environment.pop(name, None)
            environment["LC_ALL"] = lc_all
        for name, value in (env or {}).items():
            if value is None:
                environment.pop(name, None)
            else:
                environment[name] = value
        self.window = None
        self._windows_before = set(_x().top_level_windows())
        self._terminal = None
        stdin = subprocess.PIPE
        if terminal:
            self._terminal, stdin = pty.openpty()
        self.process = subprocess.Popen([binary, *args], stdin=stdin,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        env=environment,
                                        preexec_fn=(lambda: [os.close(fd) for fd in closed])
                                        if closed else None)
        self._out = _Reader(self.process.stdout)
        self._err = _Reader(self.process.stderr)
        self._out.start()
        self._err.start()
        if terminal:
            os.close(stdin)
            # The terminal echoes what is typed; drain it so it never fills up.
            self._echo = _Reader(os.fdopen(self._terminal, "rb", buffering=0, closefd=False))
            self._echo.start()
        if counts_text is not None:
            self.write(counts_text)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        try:
            if self.process.stdin:
                self.process.stdin.close()
        except OSError:
            pass
        if self._terminal is not None:
            self._echo.join(5)  # ends when the program's side of the terminal closes
            os.close(self._terminal)
        self._out.join(5)
        self._err.join(5)
        self.process.stdout.close()
        self.process.stderr.close()

    # console
    def write(self, text):
        if isinstance(text, str):
            text = text.encode("utf-8")
        if self._terminal is not None:
            os.write(self._terminal, text)
            return
        try:
            self.process.stdin.write(text)
            self.process.stdin.flush()
        except BrokenPipeError:
            pass  # the program ended without reading it; its status tells why

    def close_stdin(self):
        """Ends the input: closes the pipe, or types Ctrl-D on the terminal."""
        if self._terminal is not None:
            os.write(self._terminal, b"\x04")
            return
        self.process.stdin.close()

    def stdout_bytes(self):
        return self._out.snapshot()

    def stderr_bytes(self):
        return self._err.snapshot()

    def wait_stdout(self, needle, timeout=10.0):
        return self._out.wait_for(needle, timeout)

    def wait_stderr(self, needle, timeout=10.0):
        return self._err.wait_for(needle, timeout)

    def running(self):
        return self.process.poll() is None

    def exit_code(self, timeout=10.0):
        code = self.process.wait(timeout)
        # Everything the program wrote is read once its pipes reach their end.
        self._out.join(5)
        self._err.join(5)
        return code

    # window
    def find_window(self):
        """The program's mapped top-level window: the one whose _NET_WM_PID is
        the program's, or else the one that appeared since it started."""
        result = subprocess.run(["xdotool", "search", "--pid", str(self.process.pid)],
                                capture_output=True, text=True, timeout=30)
        candidates = [int(line) for line in result.stdout.split()]
        if not candidates:
            candidates = [w for w in _x().top_level_windows() if w not in self._windows_before]
        for window in candidates:
            attrs = _x().attributes(window)
            if attrs is not None and attrs.map_state == _IS_VIEWABLE:
                return window
        return None

    def wait_window(self, timeout=30.0):
        deadline = time.monotonic() + timeout
        while self.window is None:
            if not self.running():
                raise RuntimeError("gearmesh ended (status %s) before its window opened; stderr: %r"
                                   % (self.process.returncode, self.stderr_bytes()))
            if time.monotonic() > deadline:
                raise TimeoutError("no gearmesh window after %.0f s" % timeout)
            self.window = self.find_window()
            if self.window is None:
                time.sleep(0.1)
        attrs = _x().attributes(self.window)
        if attrs is not None and (attrs.x, attrs.y) != (0, 0):
            # GLUT asks for no position, so without a window manager the window
            # sits at (-1, -1), partly off the screen, where XGetImage fails.
            subprocess.run(["xdotool", "windowmove", "--sync", str(self.window), "0", "0"],
                           check=True, timeout=30)
        while True:
            shot = self.wait_stable(max(1.0, deadline - time.monotonic()))
            # A window GLUT has not yet painted reads back black; the clear
            # colour is white, so any frame drawn is not all black.
            if shot is not None and not shot.is_all(BLACK) or time.monotonic() > deadline:
                return shot
            time.sleep(0.05)

    def screenshot(self):
        if self.window is None:
            raise RuntimeError("call wait_window() first")
        return grab_window(self.window)

    def wait_stable(self, timeout=10.0):
        """Polls until the picture stays the same for SETTLE seconds."""
        deadline = time.monotonic() + timeout
        last = self.screenshot()
        since = time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.05)
            shot = self.screenshot()
            if shot is None or shot != last:
                last, since = shot, time.monotonic()
            elif time.monotonic() - since >= self.SETTLE:
                return shot
        return last

    def key(self, name, redraw=True, timeout=10.0):
        if self.window is None:
            raise RuntimeError("call wait_window() first")
        before = self.screenshot()
        # Without a window manager the focus follows the pointer.
        subprocess.run(["xdotool", "mousemove", "--window", str(self.window), "20", "20"],
                       check=True, timeout=30)
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True, timeout=30)
        deadline = time.monotonic() + timeout
        if redraw:
            while time.monotonic() < deadline and self.running():
                shot = self.screenshot()
                if shot != before:
                    break
                time.sleep(0.02)
        else:
            time.sleep(self.SETTLE)
        if not self.running():
            return None
        return self.wait_stable(max(1.0, deadline - time.monotonic()))

    def resize(self, width, height):
        subprocess.run(["xdotool", "windowsize", "--sync", str(self.window), str(width), str(height)],
                       check=True, timeout=30)
        return self.wait_stable()

    def xprop(self, *names):
        result = subprocess.run(["xprop", "-id", str(self.window), *names],
                                capture_output=True, timeout=30,
                                env=dict(os.environ, LC_ALL="C.UTF-8"))
        return result.stdout.decode("utf-8", "replace")
