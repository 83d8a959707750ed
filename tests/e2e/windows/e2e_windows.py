#!/usr/bin/env python3
"""End-to-end tests of vorlin.exe under Wine, in a virtual display.

Each scenario starts Xvfb, a Wine desktop with a taskbar and notification area, and vorlin.exe
(wine_desktop.py); drives it with xdotool (steps.py); and reads the screen back as pixels, against
the icon drawn from the unit tests' glyph tables (expected_icon.py). A probe program in the same
desktop reports the windows, the controls and the tips of the notification area. The scenarios
are in scenarios_tray.py, scenarios_dialog.py, scenarios_ends.py and scenarios_installer.py.

    e2e_windows.py --exe vorlin.exe --probe probe.exe --shots DIR SCENARIO
"""

import argparse
import sys

from scenarios_dialog import scenario_dialog, scenario_dpi
from scenarios_ends import (scenario_close, scenario_close_with_dialog, scenario_end_session,
                            scenario_error_report, scenario_taskkill)
from scenarios_installer import scenario_installer
from scenarios_tray import (scenario_french, scenario_menu, scenario_soak,
                            scenario_taskbar_created, scenario_tray)
from wine_desktop import PREFIX, remove_prefix, run


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
