#!/usr/bin/env python3
"""The secondary windows under a real window manager (openbox on Xvfb): each
is a dialog of the main window (transient for it), has a title of its own, and
stays above the main window when the operator clicks into the grid. The
stacking order is the window manager's own, _NET_CLIENT_LIST_STACKING on the
root window (bottom first)."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_operator import HEADER, RECORDS, Session, crlf, record  # noqa: E402


def stacking(s):
    """The client windows from bottom to top, as decimal ids."""
    out = s.root_property("_NET_CLIENT_LIST_STACKING")
    return [str(int(w, 16)) for w in re.findall(r"0x[0-9a-fA-F]+", out)]


def window_property(s, win, name):
    r = subprocess.run(["xprop", "-id", win, name], env=s.env, capture_output=True, text=True,
                       timeout=20)
    return r.stdout


def expect_above(s, upper, lower, what):
    order = stacking(s)
    if upper not in order or lower not in order or order.index(upper) < order.index(lower):
        raise AssertionError("%s: %s is not above %s in %s" % (what, upper, lower, order))


def expect_transient(s, win, main, what):
    text = window_property(s, win, "WM_TRANSIENT_FOR")
    ids = [str(int(w, 16)) for w in re.findall(r"0x[0-9a-fA-F]+", text)]
    if ids != [main]:
        raise AssertionError("%s is not transient for the main window: %r" % (what, text))


def run(binary):
    for tool in ("Xvfb", "xdotool", "xprop", "openbox"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed" % tool)
            return 77
    work = tempfile.mkdtemp(prefix="vosmira-stacking-")
    log_path = os.path.join(work, "log.adi")
    with open(log_path, "wb") as f:
        f.write(crlf([HEADER] + [record(i) for i in range(RECORDS)]))
    config = [log_path.encode(), b"false", b"", b"Germany", b"DL1VOS", b"", b"", b"", b"",
              b"JO62QM", b"", str(RECORDS).encode(), b"tnx", b"Eng"]
    with open(os.path.join(work, "config.dat"), "wb") as f:
        f.write(crlf(config))

    s = Session(binary, work, window_manager=["openbox", "--sm-disable"])
    try:
        main = s.wait_window("^Vosmira V4.2$")
        time.sleep(0.5)  # maximised by the window manager
        grid = s.geometry(main)
        row_y = lambda r: 88 + 20 * r + 10
        call_x = 18 + 81 + 60 + 50

        # The view: its own title, transient for the main window, and above it
        # after a click into the grid.
        s.click(main, call_x, row_y(2))
        s.click(main, call_x, row_y(2), double=True)
        view = s.wait_window("^QSO 3 – K2XY$", (600, 389))
        expect_transient(s, view, main, "the view")
        if "_NET_WM_WINDOW_TYPE_DIALOG" not in window_property(s, view, "_NET_WM_WINDOW_TYPE"):
            raise AssertionError("the view is not a dialog window")
        s.click(main, call_x + 300, row_y(5))
        time.sleep(0.5)
        expect_above(s, view, main, "the view after a click into the grid")

        # The change form, titled as such, above the main window too.
        s.click(view, 16 + 67, 252 + 15)                  # Change data
        change = s.wait_window("^Change QSO$", (727, 390))
        expect_transient(s, change, main, "the change form")
        s.click(main, call_x + 300, row_y(7))
        time.sleep(0.5)
        expect_above(s, change, main, "the change form after a click into the grid")
        s.focus(change)
        s.key("Escape")                                   # leaves the change form only
        s.wait_gone(change)
        if view not in s.windows("^QSO 3 – K2XY$"):
            raise AssertionError("Escape in the change form closed the view")
        s.focus(view)
        s.key("Escape")
        s.wait_gone(view)

        # The configuration, and the new-QSO form closed with Escape over it:
        # the configuration stays above the main window.
        s.click(main, 204 + 20, 6 + 20)                   # the gear
        conf = s.wait_window("^Configuration$")
        expect_transient(s, conf, main, "the configuration")
        s.click(main, call_x + 300, row_y(4))
        time.sleep(0.5)
        expect_above(s, conf, main, "the configuration after a click into the grid")
        s.click(main, 328 + 27, 10 + 16)                  # new QSO
        new = s.wait_window("^New QSO$", (727, 375))
        s.focus(new)
        s.key("Escape")
        s.wait_gone(new)
        time.sleep(0.5)
        expect_above(s, conf, main, "the configuration after Escape in the new-QSO form")

        titles = [s.xdo("getwindowname", w) for w in (main, conf)]
        if len(set(titles)) != len(titles):
            raise AssertionError("windows share a title: %r" % titles)
        print("stacking checked on a %dx%d screen under openbox: %s" %
              (grid[2], grid[3], " ".join(stacking(s))))
    finally:
        s.close()
    shutil.rmtree(work, ignore_errors=True)
    print("e2e stacking passed")
    return 0


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    sys.exit(run(os.path.abspath(parser.parse_args().binary)))
