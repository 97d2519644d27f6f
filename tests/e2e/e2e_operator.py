#!/usr/bin/env python3
"""Drives the real Vosmira binary under Xvfb with real input events (xdotool)
as an operator would: a change from grid to file, a new QSO, a deletion with
confirmation, a call search and back, the list printed to a PDF, and exit.
Then checks the files the program wrote byte for byte."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

HEADER = b"WSJT-X ADIF Export<eoh>"


def record(i):
    call = (b"DL%dAB" % i) if i % 3 == 0 else (b"K%dXY" % i)
    return (b"<call:%d>%s <gridsquare:4>JO62 <mode:3>FT8 <rst_sent:3>-05 <rst_rcvd:3>-10 "
            b"<qso_date:8>202403%d <time_on:6>1234%d <band:3>20m <freq:9>14.074000 <eor>"
            % (len(call), call, 10 + i, 10 + i))


def changed_record(i):
    """The change form's record for record(i) with eQSL received set to Y: the
    values left alone keep their full form (seconds, frequency digits)."""
    call = (b"DL%dAB" % i) if i % 3 == 0 else (b"K%dXY" % i)
    return (b"<call:%d>%s<qso_date:8>202403%d<time_on:6>1234%d<freq:9>14.074000<band:3>20m"
            b"<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05<gridsquare:4>JO62<qsl_sent:0>"
            b"<qsl_rcvd:0><eqsl_qsl_rcvd:1>Y<eqsl_qsl_sent:0><comment:0> <eor>"
            % (len(call), call, 10 + i, 10 + i))


NEW_RECORD = (b"<call:6>N0CALL<qso_date:8>20230115<time_on:6>123400<freq:6>14.074<band:3>20m"
              b"<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05<gridsquare:4>JO62<qsl_sent:0>"
              b"<qsl_rcvd:0><eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:0> <eor>")
PLACEHOLDER = (b"<call:0><qso_date:0><time_on:0><time_off:0><freq:0><band:0><mode:0><rst_rcvd:0>"
               b"<rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0>"
               b"<eqsl_qsl_sent:0><comment:17>Reserve by delete<qsl_sent:0><qsl_rcvd:0><eor>")
RECORDS = 12


def crlf(lines):
    return b"".join(line + b"\r\n" for line in lines)


def list_row(line):
    """A row of List.txt for the records this test writes (their first
    occurrence of each tag is the tag itself)."""
    import re

    def field(tag):
        at = line.find(tag + b":")
        if at < 0:
            return None
        m = re.match(rb"(\d+)>", line[at + len(tag) + 1:])
        length = int(m.group(1))
        start = at + len(tag) + 1 + len(m.group(0))
        return line[start:start + length], length

    def value(tag, limit=None):
        f = field(tag)
        v = f[0] if f else b""
        return v[:limit] if limit else v
    date = value(b"<qso_date")
    shown_date = (date[6:8] + b"." + date[4:6] + b"." + date[0:4]) if date else b""
    time_field = field(b"time_on")
    shown_time = b""
    if time_field:
        t = time_field[0][:max(0, time_field[1] - 2)]
        shown_time = t[:2] + b":" + t[2:] if t else b""
    call = value(b"<call")
    return (shown_date + b" " + shown_time + b" " + call + b" " * max(0, 10 - len(call)) + b"  "
            + (value(b"gridsquare") or b"----") + b"  " + value(b"band") + b"  "
            + value(b"mode") + b"   " + (value(b"rst_rcvd") or b"---") + b"   "
            + (value(b"rst_sent") or b"---") + b"    " + value(b"eqsl_qsl_sent", 2)
            + b"       " + value(b"eqsl_qsl_rcvd", 2))


class Session:
    def __init__(self, binary, work, window_manager=None, screen="1920x1080x24", extra_env=None):
        self.work = work
        self.env = dict(os.environ)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env["HOME"] = work
        self.env["XDG_RUNTIME_DIR"] = work
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        display = b""
        deadline = time.time() + 15
        while not display.endswith(b"\n") and time.time() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            display += chunk
        os.close(read_fd)
        self.env["DISPLAY"] = ":" + display.decode().strip()
        self.env.update(extra_env or {})
        self.wm = None
        if window_manager:
            # A real window manager, running before the program starts, as on
            # a desktop: it decides what stays above what.
            self.wm = subprocess.Popen(window_manager, env=self.env, cwd=work,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.time() + 15
            while time.time() < deadline and "window id" not in self.root_property(
                    "_NET_SUPPORTING_WM_CHECK"):
                time.sleep(0.1)
        self.app = subprocess.Popen([binary], cwd=work, env=self.env,
                                    stdout=open(os.path.join(work, "stdout.txt"), "wb"),
                                    stderr=subprocess.STDOUT)

    def root_property(self, name):
        r = subprocess.run(["xprop", "-root", name], env=self.env, capture_output=True, text=True,
                           timeout=20)
        return r.stdout

    def close(self):
        for p in (self.app, self.wm, self.xvfb):
            if p is not None and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()

    def xdo(self, *args):
        r = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                           timeout=20)
        return r.stdout.strip()

    def windows(self, name):
        out = self.xdo("search", "--onlyvisible", "--name", name)
        return [w for w in out.split() if w]

    def geometry(self, win):
        out = self.xdo("getwindowgeometry", "--shell", win)
        g = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])

    def wait_window(self, name, size=None, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.app.poll() is not None:
                raise AssertionError("Vosmira ended early")
            for w in self.windows(name):
                if size is None or self.geometry(w)[2:] == size:
                    time.sleep(0.15)  # let the window finish painting
                    return w
            time.sleep(0.1)
        raise AssertionError("no window %r %s" % (name, size))

    def wait_gone(self, win, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if win not in self.windows("."):
                return
            time.sleep(0.1)
        raise AssertionError("window %s stays open" % win)

    def click(self, win, x, y, double=False):
        self.xdo("mousemove", "--window", win, str(x), str(y))
        time.sleep(0.05)
        if double:
            self.xdo("click", "--repeat", "2", "--delay", "80", "1")
        else:
            self.xdo("click", "1")
        time.sleep(0.2)

    def focus(self, win):
        self.xdo("windowfocus", "--sync", win)
        time.sleep(0.1)

    def type(self, text):
        self.xdo("type", "--delay", "30", "--", text)

    def key(self, *keys):
        for k in keys:
            self.xdo("key", "--delay", "30", k)
            time.sleep(0.08)

    def wait_file(self, name, predicate, timeout=15):
        path = os.path.join(self.work, name)
        deadline = time.time() + timeout
        while time.time() < deadline:
            if os.path.exists(path):
                with open(path, "rb") as f:
                    data = f.read()
                if predicate(data):
                    return data
            time.sleep(0.1)
        raise AssertionError("%s not as expected" % name)


def expect(actual, wanted, what):
    if actual != wanted:
        sys.stderr.write("%s differs:\n--- got\n%r\n--- wanted\n%r\n" % (what, actual, wanted))
        raise AssertionError(what)


def run(binary):
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed" % tool)
            return 77
    work = tempfile.mkdtemp(prefix="vosmira-e2e-")
    log_path = os.path.join(work, "log.adi")
    lines = [HEADER] + [record(i) for i in range(RECORDS)]
    with open(log_path, "wb") as f:
        f.write(crlf(lines))
    config = [log_path.encode(), b"false", b"", b"Germany", b"DL1VOS", b"", b"", b"", b"",
              b"JO62QM", b"", str(RECORDS).encode(), b"tnx", b"Eng"]
    with open(os.path.join(work, "config.dat"), "wb") as f:
        f.write(crlf(config))

    s = Session(binary, work)
    started = time.time()
    try:
        main = s.wait_window("^Vosmira V4.2$")
        # The title as the window manager shows it: nothing appended.
        if s.xdo("getwindowname", main) != "Vosmira V4.2":
            raise AssertionError("window title %r" % s.xdo("getwindowname", main))
        row_y = lambda r: 88 + 20 * r + 10
        call_x = 18 + 81 + 60 + 50

        # A change, from grid to file: select, double-click, change data,
        # eQSL received "y" confirmed with Enter, save, modification save, exit.
        s.click(main, call_x, row_y(2))
        s.click(main, call_x, row_y(2), double=True)
        view = s.wait_window("^QSO [0-9]+ ", (600, 389))
        s.click(view, 16 + 67, 252 + 15)                 # change data
        change = s.wait_window("^Change QSO$", (727, 390))
        s.focus(change)
        s.type("y")
        s.key("Return", "Return")                        # to the save button, and press it
        s.wait_gone(change)
        s.wait_file("aenderung.adi", lambda d: d == changed_record(2) + b"\r\n")
        s.click(view, 300 + 75, 252 + 15)                # modification save
        lines[3] = changed_record(2)
        s.wait_file("log.adi", lambda d: d == crlf(lines))
        s.click(view, 457 + 62, 252 + 15)                # exit
        s.wait_gone(view)

        # A new QSO, every entry confirmed with Enter.
        s.click(main, 328 + 27, 10 + 16)
        new = s.wait_window("^New QSO$", (727, 375))
        s.click(new, 16 + 75, 104 + 12)
        for text in ("n0call", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10",
                     "jo62"):
            s.type(text)
            s.key("Return")
        s.key("Return", "Return", "Return", "Return")    # eQSL sent, received, comment, save
        s.wait_gone(new)
        lines.append(NEW_RECORD)
        s.wait_file("log.adi", lambda d: d == crlf(lines))
        expect(s.wait_file("QSO_new.adi", lambda d: True), NEW_RECORD + b"\r\n", "QSO_new.adi")

        # A deletion with confirmation.
        s.click(main, call_x, row_y(0))
        s.click(main, call_x, row_y(0), double=True)
        view = s.wait_window("^QSO [0-9]+ ", (600, 389))
        s.click(view, 16 + 67, 292 + 15)                 # delete QSO
        delete = s.wait_window("^Delete QSO$", (576, 389))
        s.click(delete, 100 + 88, 24 + 8 * 38 + 10 + 20)  # Delete!
        confirm = s.wait_window("^Delete QSO[?]$")
        s.click(confirm, 420 + 60, 62 + 18)              # DELETE
        lines[1] = PLACEHOLDER
        s.wait_file("log.adi", lambda d: d == crlf(lines))
        s.wait_gone(confirm)

        # A call search and back.
        s.click(main, 648 + 70, 18 + 12)
        s.focus(main)
        s.click(main, 832 + 50, 18 + 12)
        s.type("dl")
        s.key("Return")
        time.sleep(0.5)
        s.click(main, 702 + 43, 18 + 12)                 # back
        time.sleep(0.5)

        # The list, printed to a PDF through the print dialog.
        s.click(main, 248 + 19, 6 + 20)
        dialog = s.wait_window("Print")
        s.focus(dialog)
        s.key("Return")
        s.wait_gone(dialog, 20)
        pdfs = []
        deadline = time.time() + 15
        while not pdfs and time.time() < deadline:
            for root, _, files in os.walk(work):
                pdfs += [os.path.join(root, f) for f in files if f.endswith(".pdf")]
            time.sleep(0.2)
        if not pdfs:
            raise AssertionError("no PDF was printed")
        with open(pdfs[0], "rb") as f:
            if not f.read(5) == b"%PDF-":
                raise AssertionError("the printout is not a PDF")

        # Exit.
        s.click(main, 1094 + 60, 20 + 12)
        s.app.wait(10)
    finally:
        s.close()

    # The files written, byte for byte.
    with open(log_path, "rb") as f:
        expect(f.read(), crlf(lines), "the logbook")
    # aenderung.adi held the changed record (checked above) until the new QSO's
    # save removed it.
    if os.path.exists(os.path.join(work, "aenderung.adi")):
        raise AssertionError("aenderung.adi was not removed by the new QSO's save")
    with open(os.path.join(work, "QSO_new.adi"), "rb") as f:
        expect(f.read(), NEW_RECORD + b"\r\n", "QSO_new.adi")
    with open(os.path.join(work, "List.txt"), "rb") as f:
        expect(f.read(), crlf([b""] + [list_row(l) for l in lines[1:]]), "List.txt")
    config[1] = b"true"  # the log now holds one QSO more than stored at the start
    config[11] = str(RECORDS + 1).encode()
    with open(os.path.join(work, "config.dat"), "rb") as f:
        expect(f.read(), crlf(config), "config.dat")
    for gone in ("back.txt", "eqsl.adi"):
        if os.path.exists(os.path.join(work, gone)):
            raise AssertionError(gone + " was not deleted on exit")
    print("e2e passed in %.1f s" % (time.time() - started))
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    sys.exit(run(os.path.abspath(parser.parse_args().binary)))
