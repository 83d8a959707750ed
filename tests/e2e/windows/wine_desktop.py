"""The harness of the end-to-end tests under Wine: Xvfb, a Wine desktop in it with a taskbar and
notification area, the program under test, the probe that reports the desktop's windows,
controls and tips, xdotool to act, and the screen read back as pixels."""

import ctypes
import glob
import os
import pathlib
import re
import shutil
import signal
import subprocess
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
PREFIX = os.path.join(ROOT, "build", "wineprefix-e2e")
# Wine with the loader of the program's bitness, so that the process started is the program; a
# 32-bit program on a machine that runs no 32-bit code ends with 77 (skipped).
WINE = [os.path.join(ROOT, "scripts", "wine")]
SKIPPED = 77
SCREEN = (1024, 768)


class Failure(Exception):
    pass


def die_with_parent():
    """Run in a child before it starts: the system kills it should the test process die."""
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def end_on_signals():
    """A signal that ends the test unwinds it, so that what it started is stopped."""
    def end(number, _):
        raise SystemExit(128 + number)
    for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(number, end)


def command_line(pid):
    """The arguments of process `pid`, as Wine names them (a Wine process names its program
    first); None once it has ended."""
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            line = f.read().rstrip(b"\0")
    except FileNotFoundError:
        return None
    return line.decode(errors="replace").split("\0") if line else None


def is_program(pid, exe):
    """Whether process `pid` runs the Windows program `exe`, not a launcher that started it; true
    of a process that has ended."""
    line = command_line(pid)
    return line is None or (line[0].replace("\\", "/").rsplit("/", 1)[-1].lower() ==
                            os.path.basename(exe).lower())


def remove_prefix(prefix):
    """Removes a Wine prefix, and first the Wine server that may still serve it (one a killed
    run left behind): a folder made again in its place can get the same inode, and Wine would
    hand it that server, with the old prefix's registry."""
    if not os.path.lexists(prefix):
        return
    env = dict(os.environ, WINEPREFIX=prefix)
    for option in ("-k", "-w"):
        subprocess.run(["wineserver", option], env=env, stderr=subprocess.DEVNULL)
    shutil.rmtree(prefix)


class Screen:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def row(self, y, x=0, count=None):
        count = self.width - x if count is None else count
        start = (y * self.width + x) * 3
        return self.data[start:start + count * 3]

    def pixel(self, x, y):
        return tuple(self.row(y, x, 1))

    def find(self, icon):
        """Where `icon` (rows of bytes) appears exactly, as its top-left corner; None if nowhere."""
        size = len(icon)
        probe_row = next(r for r in range(size) if icon[r] != icon[0])  # the first row with ink
        for y in range(self.height - size + 1):
            line = self.row(y + probe_row)
            start = 0
            while True:
                at = line.find(icon[probe_row], start)
                if at < 0:
                    break
                if at % 3 == 0:
                    x = at // 3
                    if x + size <= self.width and all(
                            self.row(y + r, x, size) == icon[r] for r in range(size)):
                        return (x, y)
                start = at + 1
        return None


class Desktop:
    """Xvfb, a Wine desktop in it, and the programs the test starts there. `args` names the Wine
    prefix, the program (exe) and the probe; shot() saves to args.shots, named after
    args.scenario."""

    def __init__(self, args, dpi=96):
        self.args = args
        self.dpi = dpi
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": args.prefix,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        self.xvfb = None
        self.program = None
        self.shot_number = 0

    # Set-up and tear-down.
    def __enter__(self):
        try:
            return self.bring_up()
        except BaseException:
            # What came up before the failure goes, as it does after a run.
            self.__exit__()
            raise

    def bring_up(self):
        self.prepare_prefix()
        self.set_dpi(self.dpi)
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten",
             "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        # The first Wine program brings the desktop up; the probe is one.
        self.wait(lambda: any(w["class"] == "Shell_TrayWnd" for w in self.windows()), 60,
                  "the Wine desktop with its taskbar")
        return self

    def __exit__(self, *exc):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        # Every Wine process of this prefix is one the test started.
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        if self.xvfb is not None:
            self.xvfb.send_signal(signal.SIGTERM)
            self.xvfb.wait()

    def set_dpi(self, dpi):
        """The screen's pixels per inch, as the Wine prefix tells its programs; set only when it
        changes (a setting takes a start of Wine's), the note of it made once it is set."""
        note = pathlib.Path(self.args.prefix, "vorlin-dpi")
        if note.exists() and note.read_text() == str(dpi):
            return
        note.unlink(missing_ok=True)
        env = dict(self.env)
        env.pop("DISPLAY", None)
        subprocess.run(WINE + ["reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                        "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env)
        note.write_text(str(dpi))

    def prepare_prefix(self):
        marker = os.path.join(self.args.prefix, "vorlin-desktop")
        if os.path.exists(marker):
            return
        os.makedirs(self.args.prefix, exist_ok=True)
        env = dict(self.env)
        env.pop("DISPLAY", None)
        subprocess.run(WINE + ["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        # Every program of the prefix runs on one virtual desktop named "shell": a taskbar with
        # a notification area, all inside the X display.
        for key, name, value in [("HKCU\\Software\\Wine\\Explorer", "Desktop", "shell"),
                                 ("HKCU\\Software\\Wine\\Explorer\\Desktops", "shell",
                                  "%dx%d" % SCREEN)]:
            subprocess.run(WINE + ["reg", "add", key, "/v", name, "/d", value, "/f"], env=env,
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env)
        open(marker, "w").close()

    # The program.
    def start(self, extra_env=None):
        """Starts the program and returns when; it has asked the shell for its entry by then."""
        env = dict(self.env)
        env.update(extra_env or {})
        # Wine traces each request the program hands the shell; requests() reads them back.
        env["WINEDEBUG"] = "-all,trace+systray"
        # Wine now and then hangs while it starts a process (the probe too): a program that has
        # asked nothing of the shell after a while is started again.
        for attempt in range(3):
            started = time.monotonic()
            # The program writes its trace through a descriptor of its own, appending: one
            # shared with the reader would take the reader's position, and a line written while
            # the trace is read would land over what was there.
            with tempfile.NamedTemporaryFile("w+", prefix="vorlin-trace-") as writer:
                self.trace = open(writer.name)
                with open(writer.name, "a") as appender:
                    self.program = subprocess.Popen(WINE + [self.args.exe], env=env,
                                                    stdout=subprocess.DEVNULL, stderr=appender,
                                                    preexec_fn=die_with_parent)
            try:
                self.wait(lambda: self.requests() or not self.running(), 15,
                          "a first request to the shell")
            except Failure:
                self.describe()
                self.program.kill()
                self.program.wait()
                print("no request to the shell 15 s after the start; starting it again")
                continue
            if not self.requests():
                raise Failure("the program ended, with %s, before it asked anything of the shell"
                              % self.program.returncode)
            # The harness ends the program, and reads its status, by the process it started.
            if not is_program(self.program.pid, self.args.exe):
                raise Failure("the process started runs %r, not the program" %
                              command_line(self.program.pid))
            return started
        raise Failure("the program asked nothing of the shell, started three times")

    def requests(self):
        """The requests the program handed the shell so far: 0 add, 1 modify, 2 delete."""
        self.trace.seek(0)
        return [int(line.split("dwMessage = ")[1].split(",")[0])
                for line in self.trace if "Shell_NotifyIconW dwMessage = " in line]

    def describe(self):
        """Prints what the program had done, for a person reading a failure."""
        if self.program is None:
            return
        print("the program: %s; its requests to the shell: %r" % (
            "running" if self.running() else "ended with %d" % self.program.returncode,
            self.requests()))
        print("the windows: %r" % [(w["class"], w["title"], w["rect"]) for w in self.windows()])

    def wine(self, *args, timeout=120):
        """Runs a Wine command line in the desktop: its status and its output."""
        result = subprocess.run(WINE + list(args), env=self.env, capture_output=True, text=True,
                                timeout=timeout, preexec_fn=die_with_parent)
        return result.returncode, result.stdout

    def running(self):
        return self.program is not None and self.program.poll() is None

    # Looking.
    def probe(self, *args):
        # A probe started while another program of the desktop starts up can hang in Wine now
        # and then; it is stopped and asked again.
        for attempt in range(5):
            try:
                result = subprocess.run(WINE + [self.args.probe] + list(args), env=self.env,
                                        capture_output=True, text=True, timeout=10,
                                        preexec_fn=die_with_parent)
                return result.returncode, result.stdout.splitlines()
            except subprocess.TimeoutExpired:
                print("the probe hung (%s); asking again" % " ".join(args))
        raise Failure("the probe hung five times")

    def windows(self):
        # A listing made while a window comes or goes can hold a line that is not one of the
        # probe's (seen once in several hundred runs); such a listing is asked for again.
        for attempt in range(5):
            out = []
            try:
                code, lines = self.probe("windows")
                for line in lines:
                    handle, rest = line.split(" ", 1)
                    cls, rest = rest.split(" ", 1)
                    title = rest[rest.index('"') + 1:rest.rindex('"')]
                    l, t, r, b, cw, ch = (int(v) for v in rest[rest.rindex('"') + 1:].split())
                    out.append({"class": cls, "title": title, "rect": (l, t, r, b),
                                "client": (cw, ch)})
                if code == 0:  # else it did not run: no list, though it reads as no windows
                    return out
                print("the probe of the windows ended with %d; asking again" % code)
            except ValueError:
                print("an unreadable line from the probe: %r; asking again" % line)
        raise Failure("the probe's list of windows was unreadable five times")

    def windows_titled(self, title):
        return [w for w in self.windows() if w["title"] == title]

    def menus(self):
        return [w for w in self.windows() if w["class"] == "#32768"]

    def controls(self, title):
        for attempt in range(3):  # a failed probe answers nothing, the window there (seen once)
            code, lines = self.probe("controls", title)
            if code == 0 and lines:
                break
            print("the probe of the controls: %d, %d lines; asking again" % (code, len(lines)))
        out = []
        for line in lines:
            cls, rest = line.split(" ", 1)
            text = rest[rest.index('"') + 1:rest.rindex('"')]
            fields = rest[rest.rindex('"') + 1:].split()
            out.append({"text": text, "rect": tuple(int(v) for v in fields[:4]),
                        "checked": fields[4] == "checked"})
        return out

    def checked(self, title):
        return [c["text"] for c in self.controls(title) if c["checked"]]

    def focus(self):
        code, lines = self.probe("focus")
        return lines[0].split('"')[1] if code == 0 and lines else None

    def tips(self):
        return [line[len('tip "'):-1] for line in self.probe("tips")[1]]

    def screen(self):
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                             env=self.env, capture_output=True, check=True).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", ppm)  # then the pixels, 3 bytes each
        width, height, at = int(header[1]), int(header[2]), header.end()
        return Screen(width, height, ppm[at:at + width * height * 3])

    def shot(self, name):
        """Saves the screen for a person to look at."""
        self.shot_number += 1
        os.makedirs(self.args.shots, exist_ok=True)
        path = os.path.join(self.args.shots, "%s-%02d-%s.png" % (self.args.scenario,
                                                                 self.shot_number, name))
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return path

    # Acting.
    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "click", button)

    def key(self, name):
        self.xdotool("key", name)

    # Waiting.
    def wait(self, condition, deadline, what):
        end = time.monotonic() + deadline
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > end:
                raise Failure("waited %.1f s for %s" % (deadline, what))
            time.sleep(0.05)

    def holds(self, condition, period, what):
        """Checks that `condition` stays true for `period` seconds."""
        end = time.monotonic() + period
        while time.monotonic() < end:
            if not condition():
                raise Failure(what)
            time.sleep(0.1)

    def wait_icon(self, icon, deadline, what):
        return self.wait(lambda: self.screen().find(icon), deadline, what)


def run(args, body, dpi=96):
    """Runs `body` on a desktop of its own and returns the exit status: 0, or 1 on a failure,
    with the screen at the failure saved. The shots of an earlier run of `args.scenario` go."""
    end_on_signals()
    if subprocess.run(WINE + ["--runs", args.exe]).returncode == SKIPPED:
        return SKIPPED
    for path in glob.glob(os.path.join(glob.escape(args.shots), glob.escape(args.scenario) + "-*")):
        os.remove(path)
    try:
        with Desktop(args, dpi) as d:
            try:
                body(d)
            except Failure:
                print("screen at the failure: %s" % d.shot("failure"))
                d.describe()
                raise
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    return 0
