"""What the scenarios under Wine do again and again: start vorlin.exe and find its icon in the
tray, open its menu and choose an item, open the dialog and click or Tab through its controls."""

import time

from expected_icon import ENGLISH, GRAY, today_icon
from wine_desktop import Failure


def check(condition, message):
    if not condition:
        raise Failure(message)


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
