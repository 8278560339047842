#!/usr/bin/python3
"""Self-test of the GUI harness against Wine's own Notepad: typed keys arrive
and read back through the probe, clicks land where the probe's rectangles say,
menus open from the keyboard and their entries are read, and the program
closes when asked as a user would."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import centre, check, check_equal  # noqa: E402

TITLE = "Untitled - Notepad"


def edit_text(s):
    return [c for c in s.controls(title=TITLE) if c.cls == "Edit"][0].text


def test(s):
    lines = ["Tarnwick harness: 1 + 2 = 3? \u00e9t\u00e9 \u00e4\u00e4 \u65e5\u672c", "second line"]
    s.add_keys(lines[0])
    notepad = s.start("notepad")
    window = s.wait_window(title=TITLE)
    check(window.visible, "Notepad's window is visible")
    edit = [c for c in s.controls(title=TITLE) if c.cls == "Edit"]
    check_equal(len(edit), 1, "edit controls in Notepad")
    check_equal(s.focus(title=TITLE)[0], edit[0].hwnd, "the control with the keyboard focus")
    s.screenshot("opened")

    # Typing, read back from the control; the status bar follows the caret.
    s.type(lines[0])
    s.key("Return")
    s.type(lines[1])
    harness.wait_until(lambda: edit_text(s) == "\r\n".join(lines), 10, "the typed text in the edit control")
    parts = harness.wait_until(lambda: s.status_parts(title=TITLE), 5, "the status bar")
    check_equal(parts[0], "Ln 2, Col %d" % (len(lines[1]) + 1), "status bar after typing")
    s.screenshot("typed")

    # A click at the start of the first line, from the probe's rectangle, moves the caret there.
    left, top, right, _ = edit[0].rect
    s.click(left + 4, top + 6)
    harness.wait_until(lambda: s.status_parts(title=TITLE)[0] == "Ln 1, Col 1", 5, "the caret at line 1, column 1")

    # A drag along the first line to beyond its end selects that line; typing replaces it.
    s.drag((left + 4, top + 6), (right - 40, top + 6))
    s.type("Z")
    harness.wait_until(lambda: edit_text(s) == "Z\r\n" + lines[1], 10, "the dragged-over line replaced")

    # The menu bar as the program built it, with its ids.
    entries = s.menu(title=TITLE)
    bar = [e.text for e in entries if "." not in e.path]
    check("&Edit" in bar and "&File" in bar, "Notepad's menu bar: %r" % bar)
    edit_path = [e.path for e in entries if e.text == "&Edit"][0]
    select_all = [e for e in entries if e.text.startswith("Select &all")]
    check_equal(len(select_all), 1, "entries \"Select all\" in the menus")

    # A menu opened with keys is a popup window of the desktop until Escape closes it.
    s.key("alt+e")
    s.wait_window(cls="#32768")
    shown = [e.text for e in s.menu(cls="#32768")]
    check_equal(shown, [e.text for e in entries if e.path.startswith(edit_path + ".")], "entries of the open Edit menu")
    s.screenshot("edit-menu")
    s.key("Escape", "Escape")
    s.wait_gone(cls="#32768")

    # Select all through the keyboard menu, then typing replaces the text.
    s.key("alt+e", "a")
    s.type("X")
    harness.wait_until(lambda: edit_text(s) == "X", 10, "the text replaced through Edit > Select all")

    # A command id posted to the window works like its menu entry.
    s.send_command(select_all[0].id, title=TITLE)
    s.type("Y")
    harness.wait_until(lambda: edit_text(s) == "Y", 10, "the text replaced after the posted Select all command")

    # Closing with unsaved text asks first; the dialog's button is clicked where the probe finds it.
    s.key("alt+F4")
    prompt = s.wait_window(title="Notepad", cls="#32770")
    buttons = [c for c in s.controls(title="Notepad", cls="#32770") if c.cls == "Button" and c.visible]
    s.screenshot("save-prompt")
    dont_save = [b for b in buttons if b.text.replace("&", "") in ("No", "Don't Save", "Don't save")]
    check_equal(len(dont_save), 1, "the button that closes without saving among %r" % [b.text for b in buttons])
    s.click(*centre(dont_save[0].rect))
    s.wait_gone(title=TITLE)
    check_equal(notepad.wait(10), 0, "Notepad's exit code")
    check(prompt.hwnd not in [w.hwnd for w in s.windows(hidden=True)], "the prompt is gone with Notepad")
    s.screenshot("closed")


if __name__ == "__main__":
    harness.main(test, "notepad", timeout=60)
