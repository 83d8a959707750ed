"""The installer's scenario under Wine: install, start from the Start menu and at a login,
upgrade, refuse a downgrade, and uninstall without a trace. Started, the installed program finds
its own entry among Windows 11's settings of tray icons, which the test writes as Windows does."""

import glob
import os
import subprocess
import tempfile
import time

from expected_icon import GRAY, today_icon
from steps import check, choose
from wine_desktop import WINE, Failure


RUN_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
PRODUCTS_KEY = "HKLM\\Software\\Classes\\Installer\\Products\\"
# Windows 11's settings of tray icons, one subkey for each; Wine has none.
ICON_SETTINGS_KEY = "HKEY_CURRENT_USER\\Control Panel\\NotifyIconSettings"


def squashed(code):
    """A product code as the installer's own keys spell it: each group of the GUID reversed, the
    last two byte by byte."""
    groups = code.strip("{}").split("-")
    pairs = "".join(groups[3:])
    return ("".join(g[::-1] for g in groups[:3]) +
            "".join(pairs[i + 1] + pairs[i] for i in range(0, len(pairs), 2)))


def answered(d, *args, answers=lambda code, out: code == 0):
    """The status and output of a Wine command line that gave one of its `answers`. Wine's tools
    (reg, the uninstaller) now and then fail to start on a busy machine: such a line is asked
    again, so that a failure never reads as an answer (a key that is gone, no product)."""
    for attempt in range(3):
        code, out = d.wine(*args)
        if answers(code, out):
            return code, out
        print("%s ended with %d; asking again" % (" ".join(args), code))
        time.sleep(1)
    raise Failure("%s ended with %d, three times" % (" ".join(args), code))


def reg_query(d, *args):
    """What `reg query` prints of `args`; None where it answers that there is no such key or
    value."""
    code, out = answered(d, "reg", "query", *args, answers=lambda code, out: code == 0 or
                         "Unable to find the specified registry" in out)
    return out if code == 0 else None


def registry_value(d, key, name, view):
    """The data of value `name` of `key` in the 32- or 64-bit `view` of the registry, as reg
    prints it; None if there is no such value."""
    for line in (reg_query(d, key, "/v", name, "/reg:%d" % view) or "").splitlines():
        fields = line.strip().split(None, 2)
        if len(fields) == 3 and fields[0] == name:
            return fields[2]
    return None


def installed(d):
    """The products named Vorlin in the list of installed programs, as their product codes."""
    out = answered(d, "uninstaller", "--list")[1]
    return [line.split("|||")[0] for line in out.splitlines() if line.endswith("|||Vorlin")]


def programs(d):
    """The running programs' hidden windows, one for each."""
    return [line for line in d.probe("all-windows")[1] if ' VorlinForm "Form1" ' in line]


def launch(d, *args):
    """Runs a Wine command line that starts the program (a shortcut, a login's wineboot). Now and
    then, on a busy machine, Wine ends one with 1 (a login, once in CI), its status for a program
    it could not start: the line is run again if no program came of it, with what Wine printed;
    a program that did come is the line's, for the caller to check. The program outlives the line
    and keeps its output open, so that is a file, not a pipe."""
    for attempt in range(3):
        with tempfile.TemporaryFile("w+") as output:
            code = subprocess.run(WINE + list(args), env=d.env, stdout=output, stderr=output,
                                  timeout=60).returncode
            output.seek(0)
            said = output.read()
        if code == 0:
            return
        print("%s ended with %d: %r" % (" ".join(args), code, said[-400:]))
        try:
            d.wait(lambda: programs(d), 10, "the program it started")
            return
        except Failure:
            print("no program came of it; running it again")
    raise Failure("%s ended with %d, three times" % (" ".join(args), code))


def msiexec(d, *args):
    return d.wine("msiexec", *args, "/qn", timeout=180)[0]


def write_icon_settings(d, entries):
    """Writes subkeys of the tray icons' settings as Windows 11's Explorer makes them: each entry
    (subkey, path, id, extra values) with a tip and a snapshot of the icon besides."""
    lines = ["Windows Registry Editor Version 5.00", ""]
    for number, path, uid, extra in entries:
        lines += ["[%s\\%s]" % (ICON_SETTINGS_KEY, number),
                  '"ExecutablePath"="%s"' % path.replace("\\", "\\\\"),
                  '"UID"=dword:%08x' % uid, '"InitialTooltip"="a tip"',
                  '"IconSnapShot"=hex:89,50,4e,47'] + extra + [""]
    os.makedirs(d.args.shots, exist_ok=True)
    seed = os.path.join(d.args.shots, "icon-settings.reg")
    with open(seed, "w", newline="\r\n") as f:
        f.write("\n".join(lines))
    code = d.wine("reg", "import", "Z:" + os.path.abspath(seed).replace("/", "\\"))[0]
    check(code == 0, "reg import ended with %d" % code)


def icon_settings(d, view):
    """The tray icons' settings, each subkey's values as reg prints them, in the 32- or 64-bit
    view of the registry."""
    out = reg_query(d, ICON_SETTINGS_KEY, "/s", "/reg:%d" % view)
    check(out is not None, "no settings of tray icons")
    found = {}
    for line in out.splitlines():
        if line.startswith(ICON_SETTINGS_KEY + "\\"):
            values = found.setdefault(line[len(ICON_SETTINGS_KEY) + 1:], {})
        elif line.strip():
            name, _, data = line.split(None, 2)
            values[name] = data
    return found


def promoted(d, number):
    return icon_settings(d, 64).get(number, {}).get("IsPromoted")


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
    check(registry_value(d, RUN_KEY, "Vorlin", view) ==
          '"%s\\vorlin.exe"' % windows_folder, "the login entry reads %r" %
          registry_value(d, RUN_KEY, "Vorlin", view))
    products = installed(d)
    check(len(products) == 1, "installed products %r" % products)
    entry = UNINSTALL_KEY + products[0]
    # The entry is in the view of the package's bitness, as Windows writes it: a 32-bit
    # package's under Wow6432Node.
    for name, value in [("DisplayName", "Vorlin"), ("Publisher", "Tenwick"),
                        ("DisplayVersion", "1.0.0"), ("NoModify", "0x1")]:
        found = registry_value(d, entry, name, view)
        check(found == value, "the uninstall entry's %s is %r" % (name, found))
    # The list shows the product's icon, which the installer keeps: the program's own file.
    icon = registry_value(d, PRODUCTS_KEY + squashed(products[0]), "ProductIcon", 64) or ""
    icon_file = os.path.join(drive, *icon[3:].split("\\"))
    check(icon[:3] == "C:\\" and os.path.isfile(icon_file) and
          open(icon_file, "rb").read() == open(d.args.exe, "rb").read(),
          "the product's icon is %r" % icon)

    # Windows 11 keeps a subkey of settings for each tray icon it has seen; the program gives
    # its own the value that shows the date on the taskbar where the user has not chosen.
    program = windows_folder + "\\vorlin.exe"
    # The same path as Explorer writes it, the known folder Program Files or Program Files (x86)
    # as its id.
    folder_id = ("{6D809377-6AF0-444B-8957-A3773F02200E}" if x64 else
                 "{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}") + "\\Vorlin\\vorlin.exe"
    settings = [  # subkey, path, id, the values besides, IsPromoted expected
        ("1001", program.upper(), 1, [], "0x1"),
        ("1002", folder_id, 1, [], "0x1"),
        ("1003", folder_id.replace("Vorlin", "Other"), 1, [], None),  # another program's
        ("1004", program, 1, ['"IsPromoted"=dword:00000000'], "0x0"),  # the user hid it
        ("1005", program, 1, ['"IsPromoted"=dword:00000001'], "0x1"),
        ("1006", program, 2, [], None),  # another icon
        ("1007", program, 1, ['"IconGuid"="{0A4E5C9B-7F4E-4C83-9B1D-2E6C3A1F5D20}"'], None),
    ]
    write_icon_settings(d, [entry[:4] for entry in settings])
    # Control Panel is one key in both views of the registry: the 32-bit program reads it too.
    seen = icon_settings(d, 64)
    check(len(seen) == len(settings) and icon_settings(d, 32) == seen,
          "the settings written: %r; in the 32-bit view: %r" % (seen, icon_settings(d, 32)))

    # Started from its Start-menu shortcut; Close ends it.
    launch(d, "start", "/unix", glob.glob(shortcuts)[0])
    at = d.wait_icon(today_icon(GRAY), 30, "today's icon, started from the Start menu")
    d.shot("from-the-start-menu")
    d.wait(lambda: promoted(d, "1001") == "0x1", 15, "IsPromoted in the program's own settings")
    # Explorer may write the settings a moment after the entry is added: they are still found.
    write_icon_settings(d, [("1008", program, 1, [])])
    d.wait(lambda: promoted(d, "1008") == "0x1", 15, "IsPromoted in settings written later")
    found = icon_settings(d, 64)
    for number, _, _, _, expected in settings:
        check(found[number].get("IsPromoted") == expected,
              "subkey %s: IsPromoted %r" % (number, found[number].get("IsPromoted")))
    choose(d, at, "Close")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go after Close")
    # A login starts it once, from the Run value.
    launch(d, "wineboot")
    at = d.wait_icon(today_icon(GRAY), 30, "today's icon after a login")
    d.shot("after-a-login")
    hosts = programs(d)
    check(len(hosts) == 1, "%d programs after a login" % len(hosts))
    choose(d, at, "Close")
    d.wait(lambda: d.screen().find(today_icon(GRAY)) is None, 10, "the entry to go after Close")

    # A newer version replaces this one; this one is refused over the newer.
    newer = os.path.join(d.args.shots, "vorlin-1.0.1.msi")
    subprocess.run([d.args.make_msi, "1.0.1", newer], check=True, stdout=subprocess.DEVNULL)
    check(msiexec(d, "/i", newer) == 0, "the upgrade failed")
    products = installed(d)
    check(len(products) == 1 and
          registry_value(d, UNINSTALL_KEY + products[0], "DisplayVersion", view) == "1.0.1",
          "after the upgrade: %r" % products)
    check(msiexec(d, "/i", d.args.msi) != 0, "the older version installed over the newer")
    check(installed(d) == products, "after the refused downgrade: %r" % installed(d))

    # Uninstalled, nothing of it is left.
    check(msiexec(d, "/x", newer) == 0, "the uninstall failed")
    check(not os.path.exists(folder), "left %r" % folder)
    check(not glob.glob(shortcuts), "left the shortcut")
    check(registry_value(d, RUN_KEY, "Vorlin", view) is None, "left the login entry")
    check(reg_query(d, "HKLM\\Software\\Tenwick", "/reg:%d" % view) is None,
          "left HKLM\\Software\\Tenwick")
    check(not installed(d), "left the uninstall entry")
