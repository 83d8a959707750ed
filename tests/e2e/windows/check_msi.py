#!/usr/bin/env python3
"""Checks what the installer holds, read from its tables with msiinfo, without installing it (the
end-to-end test installs it under Wine): the program and its README in Program Files of its own
architecture, the Start-menu shortcut, the Run value in the registry view of that architecture,
the uninstall entry's icon and no Modify, and the major upgrade that refuses an older version.

    check_msi.py FILE.msi x86|x64
"""

import subprocess
import sys


def table(msi, name):
    """The rows of table `name`, each a list of its columns."""
    out = subprocess.run(["msiinfo", "export", msi, name], capture_output=True, text=True,
                         check=True).stdout
    return [line.split("\t") for line in out.splitlines()[3:]]


def main():
    msi, arch = sys.argv[1], sys.argv[2]
    x64 = arch == "x64"
    failures = []

    def check(condition, message):
        if not condition:
            failures.append(message)

    program_files = "ProgramFiles64Folder" if x64 else "ProgramFilesFolder"
    directories = {row[0]: row[1:] for row in table(msi, "Directory")}
    check(directories.get("INSTALLDIR") == [program_files, "Vorlin"],
          "INSTALLDIR is %r" % directories.get("INSTALLDIR"))
    files = sorted(row[2] for row in table(msi, "File"))
    check(files == ["README.txt", "vorlin.exe"], "files %r" % files)
    # Every component in the registry view and folders of its architecture (bit 256: 64-bit).
    components = table(msi, "Component")
    check(components and all((int(row[3]) & 256 != 0) == x64 for row in components),
          "components %r" % [(row[0], row[3]) for row in components])
    shortcuts = [row[1:3] + [row[4]] for row in table(msi, "Shortcut")]
    check(shortcuts == [["ProgramMenuFolder", "Vorlin", "[INSTALLDIR]vorlin.exe"]],
          "shortcuts %r" % shortcuts)
    run = [row[4] for row in table(msi, "Registry")
           if row[1:4] == ["2", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Vorlin"]]
    check(run == ['"[INSTALLDIR]vorlin.exe"'], "the Run value %r" % run)
    properties = {row[0]: row[1] for row in table(msi, "Property")}
    for name, value in [("ALLUSERS", "1"), ("ARPNOMODIFY", "1"), ("ARPPRODUCTICON", "vorlin.exe"),
                        ("Manufacturer", "Tenwick"), ("ProductName", "Vorlin")]:
        check(properties.get(name) == value, "%s is %r" % (name, properties.get(name)))
    check([row[0] for row in table(msi, "Icon")] == ["vorlin.exe"], "no product icon")
    # Older versions are found and removed; a newer one is found and stops the install.
    upgrades = {row[6]: row for row in table(msi, "Upgrade")}
    check(set(upgrades) == {"WIX_UPGRADE_DETECTED", "WIX_DOWNGRADE_DETECTED"},
          "upgrades %r" % upgrades)
    conditions = [row[0] for row in table(msi, "LaunchCondition")]
    check(conditions == ["NOT WIX_DOWNGRADE_DETECTED"], "launch conditions %r" % conditions)
    sequence = [row[0] for row in table(msi, "InstallExecuteSequence")]
    check("RemoveExistingProducts" in sequence, "no RemoveExistingProducts")

    for failure in failures:
        print("FAILED:", failure)
    if not failures:
        print("installer ok: %s" % msi)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
