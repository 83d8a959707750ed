"""The Linux trays the benchmarks run the programs on, in a virtual display of their own: trayer
(embedding) or the Xfce panel in Debian's default settings (StatusNotifierItem, on a private
session bus), as the end-to-end tests run them."""
import os
import pathlib
import shutil
import subprocess
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
SCREEN = (1024, 768)
SHM = "/dev/shm" if os.path.isdir("/dev/shm") else None
TRAYER = ["trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
          "24", "--SetDockType", "true", "--transparent", "false"]


def linux_build():
    """The Linux build's folder: the one CTest runs the harness from (VORLIN_BUILD), or the
    linux preset's."""
    return pathlib.Path(os.environ.get("VORLIN_BUILD", ROOT / "build/linux"))


def free_display():
    for n in range(70, 200):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return f":{n}"
    raise SystemExit("bench: no free display number")


def wait_for(predicate, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return
        time.sleep(0.05)
    raise SystemExit(f"bench: {what} did not come up within {seconds} s")


def stop(process):
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Tray:
    """Xvfb and, for "linux", trayer or, for "xfce", a session bus and the Xfce panel; for
    "notray", a session bus and no tray of either kind. `env` is what the programs run with; with
    `host` False the tray is not started until start_host()."""

    def __init__(self, which, host=True):
        self.which = which
        self.start_with_host = host
        self.helpers = []
        self.host = None
        self.folder = tempfile.TemporaryDirectory(prefix="vorlin-bench-")
        # The session's runtime folder in memory, as a desktop session's is (/run/user/UID).
        self.runtime = tempfile.TemporaryDirectory(prefix="vorlin-bench-run-", dir=SHM)
        self.display = free_display()
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb")

    def __enter__(self):
        try:
            self.helpers.append(subprocess.Popen(
                ["Xvfb", self.display, "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            wait_for(lambda: os.path.exists(f"/tmp/.X11-unix/X{self.display[1:]}"), 20, "Xvfb")
            if self.which in ("xfce", "notray"):
                self.session_bus(pathlib.Path(self.folder.name))
            if self.start_with_host:
                self.start_host()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        self.stop_host()
        for h in reversed(self.helpers):
            stop(h)
        self.helpers = []
        self.folder.cleanup()
        self.runtime.cleanup()

    def session_bus(self, folder):
        """A private session bus, and Debian's default panel settings in a home of its own."""
        home, runtime = folder / "home", pathlib.Path(self.runtime.name) / "run"
        config = home / ".config/xfce4/xfconf/xfce-perchannel-xml"
        config.mkdir(parents=True)
        runtime.mkdir(mode=0o700)
        shutil.copy(ROOT / "tests/e2e/linux/xfce4-panel.xml", config / "xfce4-panel.xml")
        self.env.update(HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
                        XDG_RUNTIME_DIR=str(runtime),
                        DBUS_SESSION_BUS_ADDRESS=f"unix:path={runtime}/bus", NO_AT_BRIDGE="1")
        self.helpers.append(subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile",
             f"--address={self.env['DBUS_SESSION_BUS_ADDRESS']}"], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: (runtime / "bus").exists(), 20, "the session bus")

    def start_host(self, wait=True):
        """Starts the tray; with `wait`, returns once it serves (the Xfce panel's notification
        area owns its watcher's name)."""
        if self.which == "notray":
            return
        if self.which == "xfce":
            self.host = subprocess.Popen(["xfce4-panel", "--disable-wm-check"], env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if wait:
                wait_for(self.watcher_registered, 20, "the Xfce panel's notification area")
        else:
            self.host = subprocess.Popen(TRAYER, env=self.env, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)

    def stop_host(self):
        if self.host is not None:
            stop(self.host)
            self.host = None
        if self.which == "xfce":
            # The panel's settings daemon, started on the bus for it, stays; it is no tray.
            wait_for(lambda: not self.watcher_registered(), 20, "the watcher to go")

    def watcher_registered(self):
        return subprocess.run(["busctl", "--user", "status", "org.kde.StatusNotifierWatcher"],
                              env=self.env, capture_output=True).returncode == 0
