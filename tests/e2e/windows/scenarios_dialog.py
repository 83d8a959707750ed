"""The scenarios of the Properties dialog under Wine: its controls, the keyboard and the choices
it makes, and its layout from twips at several DPIs."""

from expected_icon import GRAY, RED, enlarged, today_icon
from steps import check, click_control, open_properties, start_and_find_icon, tab_cycle
from wine_desktop import SCREEN


def mul_div(twips, dpi):
    """Twips in pixels at `dpi`, rounded half up."""
    return (twips * dpi + 720) // 1440


# The dialog's controls: left, top, width, height in twips; the left column's options stop where
# the right column begins.
LAYOUT = {"Gray": (360, 240, 1080, 255), "Blue": (360, 600, 1080, 255),
          "Purple": (360, 960, 1080, 255), "Yellow": (1440, 240, 1455, 255),
          "Red": (1440, 600, 1455, 255), "White": (1440, 960, 1455, 255),
          "&OK": (360, 1440, 855, 375), "&Cancel": (1440, 1440, 855, 375)}


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


def scenario_dialog(d):
    at, _ = start_and_find_icon(d)
    gray, red = today_icon(GRAY), today_icon(RED)
    dialog = open_properties(d, at)
    d.shot("dialog")
    check(centred(dialog["rect"]), "dialog at %r" % (dialog["rect"],))
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
