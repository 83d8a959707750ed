"""The scenarios of how vorlin.exe ends under Wine: by Close, by taskkill, at the end of the
session, by Close with the dialog open, and after reporting a failure."""

import subprocess

from expected_icon import GRAY, RED, today_icon
from steps import check, choose, click_control, open_properties, start_and_find_icon
from wine_desktop import WINE, die_with_parent


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
