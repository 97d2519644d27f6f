#!/usr/bin/env python3
"""The real program on an Xvfb of its own, driven by real input events (the X
test extension, as xdotool uses it) as a new user would: start, "call search", "DL"
and Enter, "back", a QSO opened by a double click and left with Escape. Each
action is timed in wall time from the event to the last change of the screen
(the screen is read again and again until it stays the same for a while), and
in CPU time from the process's schedstat. The load and its floor (a plain read
and memchr split) run in fresh processes in the same minutes, for the ratios.

  bench/operator_x11.py build/src/vosmira build/bench/vosmira_loadprobe LOG [rounds]
"""

import ctypes
import hashlib
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

QUIET = 1.5  # seconds without a change of the screen that end an action
TOP_BAND = 60  # rows of the screen not watched (the main window's search field)

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]


xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
for name, args in (("XTestFakeMotionEvent", [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                             ctypes.c_ulong]),
                   ("XTestFakeButtonEvent", [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]),
                   ("XTestFakeKeyEvent", [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong])):
    getattr(xtst, name).argtypes = args
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XFlush.argtypes = [ctypes.c_void_p]


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p),
                ("f_create", ctypes.c_void_p), ("f_destroy", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p))]


class Screen:
    def __init__(self, display, width, height):
        self.dpy = x11.XOpenDisplay(display.encode())
        if not self.dpy:
            raise SystemExit("cannot open the display")
        self.root = x11.XDefaultRootWindow(self.dpy)
        self.width, self.height = width, height

    # Input through the X test extension, as a person's mouse and keys.
    def click(self, x, y, count=1):
        xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        for i in range(count):
            xtst.XTestFakeButtonEvent(self.dpy, 1, 1, 0)
            xtst.XTestFakeButtonEvent(self.dpy, 1, 0, 0)
            x11.XFlush(self.dpy)
            if i + 1 < count:
                time.sleep(0.04)
        x11.XFlush(self.dpy)

    def keys(self, *names):
        for name in names:
            code = x11.XKeysymToKeycode(self.dpy, x11.XStringToKeysym(name.encode()))
            xtst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
            xtst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        x11.XFlush(self.dpy)

    def digest(self):
        p = x11.XGetImage(self.dpy, self.root, 0, 0, self.width, self.height, 0xFFFFFFFF, 2)
        img = ctypes.cast(p, ctypes.POINTER(XImage)).contents
        # The band at the top, where the search field's cursor blinks, is left
        # out: the screen would never stay the same.
        skip = img.bytes_per_line * TOP_BAND
        h = hashlib.blake2b(ctypes.string_at(img.data + skip, img.bytes_per_line * img.height - skip),
                            digest_size=16).digest()
        img.f_destroy(p)
        return h


def cpu_ms(pid):
    with open("/proc/%d/schedstat" % pid) as f:
        return int(f.read().split()[0]) / 1e6


def until_quiet(screen, pid, start_wall, start_cpu, before, quiet=QUIET, limit=600):
    """Watches the screen (as it was `before` the event) until it stays the same
    for `quiet` seconds; returns the wall and CPU time from the start to its
    last change."""
    last = before
    last_change, cpu_at_change = None, None
    quiet_since = time.monotonic()
    while last_change is None and time.monotonic() - start_wall < limit:
        d = screen.digest()
        if d != last:
            now = time.monotonic()
            last, last_change, quiet_since = d, now, now
            cpu_at_change = cpu_ms(pid)
    while time.monotonic() - quiet_since < quiet and time.monotonic() - start_wall < limit:
        d = screen.digest()
        if d != last:
            now = time.monotonic()
            last, last_change, quiet_since = d, now, now
            cpu_at_change = cpu_ms(pid)
    if last_change is None:
        return None, None
    return (last_change - start_wall) * 1e3, cpu_at_change - start_cpu


def main():
    # The program runs in a working directory of its own: paths as given here.
    binary, probe, log = (os.path.abspath(a) for a in sys.argv[1:4])
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    width, height = 1280, 1024
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "%dx%dx24" % (width, height),
                             "-nolisten", "tcp"], stdout=subprocess.PIPE)
    display = ":" + xvfb.stdout.readline().decode().strip()
    work = tempfile.mkdtemp(prefix="vosmira-operator-")
    try:
        path = os.path.join(work, "wsjtx_log.adi")
        shutil.copyfile(log, path)
        size = os.path.getsize(path)
        with open(log, "rb") as f:
            records = sum(chunk.count(b"\n") for chunk in iter(lambda: f.read(1 << 24), b"")) - 1
        with open(os.path.join(work, "config.dat"), "wb") as f:
            f.write(path.encode() + b"\r\nfalse\r\n\r\n\r\nDL1VOS\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                    + str(records).encode() + b"\r\n\r\nEng\r\n")
        screen = Screen(display, width, height)
        results = {}

        def add(name, wall, cpu):
            if wall is not None:
                results.setdefault(name, []).append((wall, cpu))

        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")
        for _ in range(rounds):
            before = screen.digest()
            t0 = time.monotonic()
            program = subprocess.Popen([binary], cwd=work, env=env)
            # A long load may leave the screen alone for a while before the
            # window comes up with its progress.
            wall, cpu = until_quiet(screen, program.pid, t0, 0.0, before, quiet=5.0)
            add("start-up", wall, cpu)
            win = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                  str(program.pid)], env=env, capture_output=True,
                                 text=True).stdout.split()[0]

            geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", win], env=env,
                                      capture_output=True, text=True).stdout
            pos = dict(line.split("=") for line in geometry.split())
            wx, wy = int(pos["X"]), int(pos["Y"])

            def act(name, send):
                before = screen.digest()
                c0, w0 = cpu_ms(program.pid), time.monotonic()
                send()
                add(name, *until_quiet(screen, program.pid, w0, c0, before, limit=60))
                print("  %s: %s" % (name, results.get(name, [])[-1:]), file=sys.stderr)

            act("search_button", lambda: screen.click(wx + 718, wy + 30))
            act("search", lambda: screen.keys("D", "L", "Return"))
            act("back", lambda: screen.click(wx + 745, wy + 30))
            act("open", lambda: screen.click(wx + 200, wy + 300, 2))
            act("leave view", lambda: screen.keys("Escape"))
            program.terminate()
            program.wait()

        floor, load = [], []
        for _ in range(5):
            for mode, into in (("floor", floor), ("time", load)):
                out = subprocess.run([probe, mode, path], capture_output=True, text=True).stdout
                cpu, wall = (float(v) for v in out.split())
                into.append((wall, cpu))
    finally:
        shutil.rmtree(work, ignore_errors=True)
        xvfb.terminate()
        xvfb.wait()

    def med(pairs, i):
        return statistics.median(p[i] for p in pairs)

    print("real program on Xvfb %s, %d QSOs, %d bytes; ms: median wall / median cpu / worst wall"
          % (display, records, size))
    print("  %-14s %9.1f %9.1f" % ("floor", med(floor, 0), med(floor, 1)))
    print("  %-14s %9.1f %9.1f" % ("load", med(load, 0), med(load, 1)))
    for name, pairs in results.items():
        print("  %-14s %9.1f %9.1f %9.1f" % (name, med(pairs, 0), med(pairs, 1),
                                             max(p[0] for p in pairs)))
    print("ratio load_vs_floor_real_%d %.3f cpu %.3f file_bytes %d"
          % (records, med(load, 0) / med(floor, 0), med(load, 1) / med(floor, 1), size))
    for name in ("start-up", "search_button", "search", "back", "open"):
        if name in results:
            print("ratio %s_vs_load_real_%d %.3f cpu %.3f file_bytes %d"
                  % (name.replace("-", ""), records, med(results[name], 0) / med(load, 0),
                     med(results[name], 1) / med(load, 1), size))


if __name__ == "__main__":
    main()
