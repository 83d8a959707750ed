#!/usr/bin/env python3
"""End-to-end tests of vorlin.exe under Wine, in a virtual display.

Each scenario starts Xvfb, a Wine desktop with a taskbar and notification area, and vorlin.exe
(wine_desktop.py); drives it with xdotool; and reads the screen back as pixels, against the icon
drawn from the unit tests' glyph tables (expected_icon.py). A probe program in the same desktop
reports the windows, the controls and the tips of the notification area.

    e2e_windows.py --exe vorlin.exe --probe probe.exe --shots DIR SCENARIO
"""

import argparse
import datetime
import glob
import os
import subprocess
import sys
import time

from expected_icon import ENGLISH, FRENCH, GRAY, RED, enlarged, program_icon, today_icon
from wine_desktop import PREFIX, SCREEN, WINE, Failure, die_with_parent, remove_prefix, run


def mul_div(twips, dpi):
    """Twips in pixels at `dpi`, rounded half up."""
    return (twips * dpi + 720) // 1440


# The dialog's controls: left, top, width, height in twips; the left column's options stop where
# the right column begins.
LAYOUT = {"Gray": (360, 240, 1080, 255), "Blue": (360, 600, 1080, 255),
          "Purple": (360, 960, 1080, 255), "Yellow": (1440, 240, 1455, 255),
          "Red": (1440, 600, 1455, 255), "White": (1440, 960, 1455, 255),
          "&OK": (360, 1440, 855, 375), "&Cancel": (1440, 1440, 855, 375)}


def check(condition, message):
    if not condition:
        raise Failure(message)


# The scenarios.

def start_and_find_icon(d, months=ENGLISH, extra_env=None):
    started = d.start(extra_env)
    at = d.wait_icon(today_icon(GRAY, months), 30, "today's icon on Gray in the tray")
    return at, time.monotonic() - started


def open_menu(d, at):
    d.click(at[0] + 8, at[1] + 8, 3)
    menu = d.wait(d.menus, 10, "the tray menu")[0]
    return menu["rect"]


def choose(d, at, item):
    left, top, right, bottom = open_menu(d, at)
    y = top + 11 if item == "Properties" else bottom - 10
    d.click((left + right) // 2, y)
    d.wait(lambda: not d.menus(), 10, "the menu to close after choosing " + item)


def open_properties(d, at):
    choose(d, at, "Properties")
    return d.wait(lambda: d.windows_titled("Vorlin Properties"), 10, "the dialog")[0]


def click_control(d, text):
    c = [c for c in d.controls("Vorlin Properties") if c["text"] == text][0]
    l, t, r, b = c["rect"]
    d.click((l + r) // 2, (t + b) // 2)


def tab_cycle(d, start, names):
    d.wait(lambda: d.focus() == start, 5, "the focus on " + start)
    for name in names:
        d.key("Tab")
        d.wait(lambda: d.focus() == name, 5, "Tab to " + name)


def scenario_tray(d):
    at, elapsed = start_and_find_icon(d)
    d.shot("gray-icon")
    # A measurement, not a limit: with Wine up, the time from starting the process to the icon
    # on screen (about 0.7 s here, most of it Wine starting the process).
    print("today's icon on Gray at %s, %.2f s after the start" % (at, elapsed))
    tips = d.wait(d.tips, 10, "the tray entry's tip")
    check(tips == ["Tenwick Vorlin"], "tips %r" % tips)
    # At 96 pixels an inch the shell is handed the composed 16 x 16 icon itself.
    code, lines = d.probe("tray-icon")
    check(code == 0 and lines[:1] == ["icon 16 16"], "handed %r" % lines[:1])
    check([bytes.fromhex(line) for line in lines[1:]] == today_icon(GRAY),
          "the icon handed to the shell is not the composed one")
    # The windows' big icon (Alt+Tab, the taskbar) is the program icon's own 32 x 32 image,
    # every pixel a 2 x 2 block, not the 16 x 16 stretched.
    code, lines = d.probe("big-icon", "Z:" + os.path.abspath(d.args.exe).replace("/", "\\"))
    check(code == 0 and lines[:1] == ["icon 32 32"], "big icon %r" % lines[:1])
    check([bytes.fromhex(line) for line in lines[1:]] == enlarged(program_icon(), 32),
          "the big icon is not the program icon enlarged to 32 x 32")


def scenario_menu(d):
    at, _ = start_and_find_icon(d)
    cx, cy = at[0] + 8, at[1] + 8
    # Moving over the icon and a left click open nothing.
    d.xdotool("mousemove", cx, cy)
    d.click(cx, cy, 1)
    d.holds(lambda: not d.menus(), 1.5, "a menu opened without a right click")
    # A right click opens the menu, its right edge at the pointer.
    d.click(cx, cy, 3)
    menu = d.wait(d.menus, 10, "the tray menu")[0]
    d.shot("menu")
    check(menu["rect"][2] == cx, "menu %r, pointer x %d" % (menu["rect"], cx))
    # A click elsewhere closes it, and chooses nothing.
    d.click(SCREEN[0] // 2, SCREEN[1] // 3)
    d.wait(lambda: not d.menus(), 10, "the menu to close on a click elsewhere")
    check(not d.windows_titled("Vorlin Properties") and d.running(), "a click elsewhere chose")


def scenario_dialog(d):
    at, _ = start_and_find_icon(d)
    gray, red = today_icon(GRAY), today_icon(RED)
    dialog = open_properties(d, at)
    d.shot("dialog")
    l, t, r, b = dialog["rect"]
    # Centred on the screen, to the half pixel.
    check(abs((SCREEN[0] - (r - l)) / 2 - l) <= 0.5 and abs((SCREEN[1] - (b - t)) / 2 - t) <= 0.5,
          "dialog at %r" % (dialog["rect"],))
    check(dialog["client"] == (197, 138), "client area %r" % (dialog["client"],))
    check(d.checked("Vorlin Properties") == ["Gray"], "first opening selects Gray")
    order = [c["text"] for c in d.controls("Vorlin Properties")]
    check(order == ["Gray", "Blue", "Purple", "Yellow", "&Cancel", "&OK", "Red", "White"],
          "controls %r" % order)
    # Tab moves through the controls in their order, stopping at the selected option of the
    # group: Cancel before OK, and the options of the right column after both.
    tab_cycle(d, "Gray", ["&Cancel", "&OK", "Gray"])
    # Escape and Enter do nothing.
    d.key("Escape")
    d.key("Return")
    d.holds(lambda: len(d.windows_titled("Vorlin Properties")) == 1, 1.0,
            "Escape or Enter closed the dialog")
    check(d.checked("Vorlin Properties") == ["Gray"], "Enter changed the choice")

    # The arrow keys move among the six options only, selecting each: from Gray, Down three
    # times gives Yellow, once more Red (not a button).
    for name in ["Blue", "Purple", "Yellow", "Red"]:
        d.key("Down")
        d.wait(lambda: d.checked("Vorlin Properties") == [name] and d.focus() == name, 5,
               "Down to " + name)
    d.holds(lambda: d.screen().find(gray) is not None, 0.5, "an arrow key recomposed the icon")
    # The close box is Cancel: Red was never confirmed.
    d.shot("red-by-arrows")
    l, t, r, b = d.windows_titled("Vorlin Properties")[0]["rect"]
    d.click(r - 14, t + 13)
    d.wait(lambda: not d.windows_titled("Vorlin Properties"), 10, "the close box to close")
    d.holds(lambda: d.screen().find(gray) is not None, 1.0,
            "the icon left Gray after the close box")
    open_properties(d, at)
    check(d.checked("Vorlin Properties") == ["Gray"], "the close box kept Red")

    # Red, then Properties again: still one dialog, Red kept; Cancel: the icon stays Gray.
    click_control(d, "Red")
    d.wait(lambda: d.checked("Vorlin Properties") == ["Red"], 5, "Red selected")
    tab_cycle(d, "Red", ["&Cancel", "&OK", "Red"])
    open_properties(d, at)
    check(len(d.windows_titled("Vorlin Properties")) == 1, "two dialogs")
    check(d.checked("Vorlin Properties") == ["Red"], "the second Properties reset the choice")
    click_control(d, "&Cancel")
    d.wait(lambda: not d.windows_titled("Vorlin Properties"), 10, "Cancel to close the dialog")
    d.holds(lambda: d.screen().find(gray) is not None, 1.0, "the icon left Gray after Cancel")

    # Red, then Alt+O: the icon turns red.
    open_properties(d, at)
    check(d.checked("Vorlin Properties") == ["Gray"], "Cancel did not restore Gray")
    click_control(d, "Red")
    d.wait(lambda: d.checked("Vorlin Properties") == ["Red"], 5, "Red selected")
    d.key("alt+o")
    d.wait_icon(red, 10, "the icon on Red after OK")
    d.wait(lambda: not d.windows_titled("Vorlin Properties"), 10, "OK to close the dialog")
    d.shot("red-icon")

    # Blue, then Alt+C: the icon stays red.
    open_properties(d, at)
    check(d.checked("Vorlin Properties") == ["Red"], "the dialog forgot Red")
    click_control(d, "Blue")
    d.key("alt+c")
    d.wait(lambda: not d.windows_titled("Vorlin Properties"), 10, "Alt+C to close the dialog")
    d.holds(lambda: d.screen().find(red) is not None, 1.0, "the icon left Red after Cancel")

    # The focus starts on the first control in tab order, Cancel, since the group's stop, Red,
    # comes after OK; Enter on a focused button presses that button.
    open_properties(d, at)
    tab_cycle(d, "&Cancel", ["&OK", "Red", "&Cancel"])
    d.key("Return")
    d.wait(lambda: not d.windows_titled("Vorlin Properties"), 10, "Enter on Cancel to close")


def centred(rect):
    """Whether a window's frame is centred on the screen, to the half pixel."""
    l, t, r, b = rect
    return abs((SCREEN[0] - (r - l)) / 2 - l) <= 0.5 and abs((SCREEN[1] - (b - t)) / 2 - t) <= 0.5


def layout_at(d, dpi, slack=0):
    """Whether the dialog's client area (to within `slack` pixels) and controls are where their
    twips put them at `dpi`: None if so, else what differs."""
    dialog = d.windows_titled("Vorlin Properties")[0]
    client = (mul_div(2955, dpi), mul_div(2070, dpi))
    if any(abs(a - b) > slack for a, b in zip(dialog["client"], client)):
        return "client area %r, not %r" % (dialog["client"], client)
    rects = {c["text"]: c["rect"] for c in d.controls("Vorlin Properties")}
    origin = (rects["Gray"][0] - mul_div(360, dpi), rects["Gray"][1] - mul_div(240, dpi))
    for name, (left, top, width, height) in LAYOUT.items():
        x, y = origin[0] + mul_div(left, dpi), origin[1] + mul_div(top, dpi)
        expected = (x, y, x + mul_div(width, dpi), y + mul_div(height, dpi))
        if rects[name] != expected:
            return "%s at %r, not %r" % (name, rects[name], expected)
    return None


def scenario_dpi(d):
    """At more pixels an inch the tray is handed the icon enlarged by whole pixels to its size
    (SM_CXSMICON), and the dialog is laid out from its twips; WM_DPICHANGED lays it out anew."""
    size = {120: 20, 144: 24, 192: 32}[d.dpi]
    large = enlarged(today_icon(GRAY), size)
    d.start()
    at = d.wait_icon(large, 30, "the icon enlarged to %d pixels in the tray" % size)
    d.shot("tray")
    code, lines = d.probe("tray-icon")
    check(code == 0 and lines[:1] == ["icon %d %d" % (size, size)], "handed %r" % lines[:1])
    check([bytes.fromhex(line) for line in lines[1:]] == large,
          "the icon handed to the shell is not the enlargement")
    dialog = open_properties(d, at)
    d.shot("dialog")
    check(layout_at(d, d.dpi) is None, layout_at(d, d.dpi))
    check(centred(dialog["rect"]), "dialog at %r" % (dialog["rect"],))
    # Moved to a screen of another DPI: the frame the system suggests scales the client area
    # from the old DPI's pixels, a pixel off where they were rounded.
    new = {120: 192, 144: 96, 192: 144}[d.dpi]
    code, _ = d.probe("dpi-changed", "Vorlin Properties", str(new))
    check(code == 0, "WM_DPICHANGED not sent")
    d.shot("dialog-at-%d" % new)
    check(layout_at(d, new, 1) is None, layout_at(d, new, 1))
    # The screen's measures follow the window's DPI: opened again, the dialog is laid out and
    # centred at it.
    click_control(d, "&Cancel")
    d.wait(lambda: not d.windows_titled("Vorlin Properties"), 10, "Cancel to close the dialog")
    dialog = open_properties(d, at)
    check(layout_at(d, new) is None, layout_at(d, new))
    check(centred(dialog["rect"]), "dialog at %r" % (dialog["rect"],))


def scenario_close(d):
    at, _ = start_and_find_icon(d)
    choose(d, at, "Close")
    d.wait(lambda: not d.running(), 10, "the program to end after Close")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go")
    d.shot("closed")


def ended_from_outside(d, command, what):
    """Runs `command`, which ends vorlin.exe from outside: it ends as Close ends it."""
    subprocess.run(WINE + command, env=d.env, timeout=60, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    d.wait(lambda: not d.running(), 10, "the program to end after " + what)
    check(d.program.returncode == 0, "exit status %d" % d.program.returncode)
    # Wine's shell drops the entry of a destroyed window by itself; the program's own delete is
    # read from the trace.
    check(d.requests() == [0, 2], "requests %r" % d.requests())
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go")
    d.shot("ended")


def scenario_taskkill(d):
    """Another program ends vorlin.exe: taskkill without /F asks its windows to close."""
    start_and_find_icon(d)
    code, pid = d.probe("pid")
    check(code == 0 and len(pid) == 1, "no process id for vorlin.exe: %r" % pid)
    ended_from_outside(d, ["taskkill", "/pid", pid[0]], "taskkill")


def scenario_end_session(d):
    """The user's session ends, the dialog open: vorlin.exe ends as Close ends it."""
    at, _ = start_and_find_icon(d)
    open_properties(d, at)
    ended_from_outside(d, ["wineboot", "--end-session"], "the end of the session")


def scenario_close_with_dialog(d):
    at, _ = start_and_find_icon(d)
    open_properties(d, at)
    choose(d, at, "Close")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go")
    d.holds(lambda: d.running() and d.windows_titled("Vorlin Properties"), 1.0,
            "Close ended the program with the dialog open")
    d.shot("dialog-left-open")
    # The dialog still works: a choice, then OK ends the program.
    click_control(d, "Red")
    d.wait(lambda: d.checked("Vorlin Properties") == ["Red"], 5, "Red selected")
    click_control(d, "&OK")
    d.wait(lambda: not d.running(), 10, "the program to end after OK")
    check(d.screen().find(today_icon(RED)) is None, "OK after Close brought an entry back")


def scenario_taskbar_created(d):
    at, _ = start_and_find_icon(d)
    code, _ = d.probe("forget")
    check(code == 0, "the shell did not forget the entry")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go")
    d.shot("forgotten")
    code, _ = d.probe("taskbar-created")
    check(code == 0, "no broadcast")
    d.wait_icon(today_icon(GRAY), 10, "the entry to come back after TaskbarCreated")
    d.shot("back")
    # Wine's tray keeps the tip of an entry it lost, so the old one may be listed too.
    check(set(d.tips()) == {"Tenwick Vorlin"}, "tips %r" % d.tips())


def scenario_french(d):
    french = {"LANG": "fr_FR.UTF-8", "LC_ALL": "fr_FR.UTF-8"}
    # The locale is in force: the month arrives as Wine's French names it ("déc." in December).
    saved = dict(d.env)
    d.env.update(french)
    month = d.probe("month")[1]
    d.env = saved
    now = datetime.datetime.now()
    check(month and month[0] != ENGLISH[now.month - 1].title(), "month %r" % month)
    print("the French month: %r" % month)
    start_and_find_icon(d, FRENCH, french)
    d.shot("french")


def scenario_soak(d):
    # The real program's host window and tray entry, refreshed 10,000 times by a test driver.
    result = subprocess.run(WINE + [d.args.soak], env=d.env, capture_output=True, text=True,
                            timeout=600, preexec_fn=die_with_parent)
    print(result.stdout, end="")
    check(result.returncode == 0 and result.stdout.strip().endswith("flat"),
          "live objects not flat (exit %d)" % result.returncode)


def scenario_error_report(d):
    # A failure that ends an event is reported in a message box; the program goes on after it.
    # A start that fails is reported the same way, and the program then ends with status 1.
    for mode, text, status in (
            ("report", "Run-time error '5':\\n\\nInvalid procedure call or argument: déc.", 0),
            ("failed-start", "Run-time error '7':\\n\\nOut of memory", 1)):
        driver = subprocess.Popen(WINE + [d.args.soak, mode], env=d.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  preexec_fn=die_with_parent)
        try:
            d.wait(lambda: d.windows_titled("Vorlin"), 30, "the error report of " + mode)
            d.shot(mode)
            texts = [c["text"] for c in d.controls("Vorlin")]
            check(text in texts, "the report of %s shows %r" % (mode, texts))
            d.key("Return")
            d.wait(lambda: driver.poll() is not None, 10, "the report to close on Enter")
            check(driver.returncode == status, "%s ended with %d" % (mode, driver.returncode))
        finally:
            if driver.poll() is None:
                driver.kill()
                driver.wait()


RUN_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"


PRODUCTS_KEY = "HKLM\\Software\\Classes\\Installer\\Products\\"


def squashed(code):
    """A product code as the installer's own keys spell it: each group of the GUID reversed, the
    last two byte by byte."""
    groups = code.strip("{}").split("-")
    pairs = "".join(groups[3:])
    return ("".join(g[::-1] for g in groups[:3]) +
            "".join(pairs[i + 1] + pairs[i] for i in range(0, len(pairs), 2)))


def installed(d):
    """The products named Vorlin in the list of installed programs, as their product codes."""
    # Wine's uninstaller now and then fails to start on a busy machine, as other Wine programs
    # hang: it is asked again, a few times.
    for attempt in range(3):
        code, out = d.wine("uninstaller", "--list")
        if code == 0:
            return [line.split("|||")[0] for line in out.splitlines() if line.endswith("|||Vorlin")]
        print("uninstaller --list ended with %d; asking again" % code)
        time.sleep(1)
    raise Failure("uninstaller --list ended with %d, three times" % code)


def launch(d, *args):
    """Runs a Wine command line that starts the program and returns its status; the program
    outlives it, so its output goes nowhere."""
    return subprocess.run(WINE + list(args), env=d.env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=60).returncode


def msiexec(d, *args):
    return d.wine("msiexec", *args, "/qn", timeout=180)[0]


def scenario_installer(d):
    """The installer on a machine that never had Vorlin: install, start from the Start menu, a
    login, an upgrade, a refused downgrade, and uninstall, which leaves nothing behind."""
    x64 = d.args.msi.endswith("-x64.msi")
    view = 64 if x64 else 32
    drive = os.path.join(d.args.prefix, "drive_c")
    folder = os.path.join(drive, "Program Files" if x64 else "Program Files (x86)", "Vorlin")
    windows_folder = "C:\\Program Files\\Vorlin" if x64 else "C:\\Program Files (x86)\\Vorlin"
    # Wine puts the shortcuts of a per-machine package into the user's own Start menu.
    shortcuts = os.path.join(drive, "users", "*", "AppData", "Roaming", "Microsoft", "Windows",
                             "Start Menu", "Programs", "Vorlin.lnk")

    check(not installed(d) and not os.path.exists(folder),
          "Vorlin is there before the install: %r" % installed(d))
    check(msiexec(d, "/i", d.args.msi) == 0, "the install failed")
    check(sorted(os.listdir(folder)) == ["README.txt", "vorlin.exe"],
          "installed %r" % os.listdir(folder))
    check(open(os.path.join(folder, "vorlin.exe"), "rb").read() ==
          open(d.args.exe, "rb").read(), "the installed vorlin.exe is not the built one")
    check(len(glob.glob(shortcuts)) == 1, "no Start-menu shortcut")
    check(d.registry_value(RUN_KEY, "Vorlin", view) ==
          '"%s\\vorlin.exe"' % windows_folder, "the login entry reads %r" %
          d.registry_value(RUN_KEY, "Vorlin", view))
    products = installed(d)
    check(len(products) == 1, "installed products %r" % products)
    entry = UNINSTALL_KEY + products[0]
    # The entry is in the view of the package's bitness, as Windows writes it: a 32-bit
    # package's under Wow6432Node.
    for name, value in [("DisplayName", "Vorlin"), ("Publisher", "Tenwick"),
                        ("DisplayVersion", "1.0.0"), ("NoModify", "0x1")]:
        found = d.registry_value(entry, name, view)
        check(found == value, "the uninstall entry's %s is %r" % (name, found))
    # The list shows the product's icon, which the installer keeps: the program's own file.
    icon = d.registry_value(PRODUCTS_KEY + squashed(products[0]), "ProductIcon", 64) or ""
    icon_file = os.path.join(drive, *icon[3:].split("\\"))
    check(icon[:3] == "C:\\" and os.path.isfile(icon_file) and
          open(icon_file, "rb").read() == open(d.args.exe, "rb").read(),
          "the product's icon is %r" % icon)

    # Started from its Start-menu shortcut; Close ends it.
    code = launch(d, "start", "/unix", glob.glob(shortcuts)[0])
    check(code == 0, "the shortcut did not start (%d)" % code)
    at = d.wait_icon(today_icon(GRAY), 30, "today's icon, started from the Start menu")
    d.shot("from-the-start-menu")
    choose(d, at, "Close")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go after Close")
    # A login starts it once, from the Run value.
    code = launch(d, "wineboot")
    check(code == 0, "wineboot ended with %d" % code)
    at = d.wait_icon(today_icon(GRAY), 30, "today's icon after a login")
    d.shot("after-a-login")
    hosts = [line for line in d.probe("all-windows")[1] if ' VorlinForm "Form1" ' in line]
    check(len(hosts) == 1, "%d programs after a login" % len(hosts))
    choose(d, at, "Close")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go after Close")

    # A newer version replaces this one; this one is refused over the newer.
    newer = os.path.join(d.args.shots, "vorlin-1.0.1.msi")
    subprocess.run([d.args.make_msi, "1.0.1", newer], check=True, stdout=subprocess.DEVNULL)
    check(msiexec(d, "/i", newer) == 0, "the upgrade failed")
    products = installed(d)
    check(len(products) == 1 and
          d.registry_value(UNINSTALL_KEY + products[0], "DisplayVersion", view) == "1.0.1",
          "after the upgrade: %r" % products)
    check(msiexec(d, "/i", d.args.msi) != 0, "the older version installed over the newer")
    check(installed(d) == products, "after the refused downgrade: %r" % installed(d))

    # Uninstalled, nothing of it is left.
    check(msiexec(d, "/x", newer) == 0, "the uninstall failed")
    check(not os.path.exists(folder), "left %r" % folder)
    check(not glob.glob(shortcuts), "left the shortcut")
    check(d.registry_value(RUN_KEY, "Vorlin", view) is None, "left the login entry")
    check(d.wine("reg", "query", "HKLM\\Software\\Tenwick", "/reg:%d" % view)[0] != 0,
          "left HKLM\\Software\\Tenwick")
    check(not installed(d), "left the uninstall entry")


SCENARIOS = {
    "tray": scenario_tray,
    "menu": scenario_menu,
    "dialog": scenario_dialog,
    "close": scenario_close,
    "close-with-dialog": scenario_close_with_dialog,
    "taskkill": scenario_taskkill,
    "end-session": scenario_end_session,
    "taskbar-created": scenario_taskbar_created,
    "french": scenario_french,
    "soak": scenario_soak,
    "error-report": scenario_error_report,
    "dpi": scenario_dpi,
    "dpi-144": scenario_dpi,
    "dpi-192": scenario_dpi,
    "installer": scenario_installer,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--soak")
    parser.add_argument("--msi")
    parser.add_argument("--make-msi")
    parser.add_argument("--prefix", default=PREFIX)
    parser.add_argument("--shots", required=True)
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    if args.scenario == "installer":
        # A machine that never had Vorlin: a prefix of its own, made afresh.
        args.prefix += "-installer"
        remove_prefix(args.prefix)
    dpi = {"dpi": 120, "dpi-144": 144, "dpi-192": 192}.get(args.scenario, 96)
    status = run(args, SCENARIOS[args.scenario], dpi)
    if status == 0:
        print("passed: %s" % args.scenario)
    return status


if __name__ == "__main__":
    sys.exit(main())
