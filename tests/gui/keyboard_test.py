#!/usr/bin/python3
"""Keyboard only: every toolbar command is also in the menu bar; Tab walks the
local pane, its boxes, the transfer buttons, the remote side and the log in
that order and Shift+Tab walks it back; a menu command run from the keyboard
(F10 and arrows) works; and a file is downloaded without touching the mouse
once the window is open."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

SITE = "Keyboard Site"
LOCAL_PANE, LOCAL_PATH, REMOTE_LIST, REMOTE_PATH, LOG = 101, 106, 102, 109, 200


def menu_commands(s, main):
    return {e.id for e in s.menu(hwnd=main.hwnd) if e.id}


def focus_id(s, main):
    """The control id of the focused control, counted as its pane's id when it lies inside a pane."""
    hwnd, control_id = s.focus(hwnd=main.hwnd)
    parents = {c.hwnd: c for c in s.controls(hwnd=main.hwnd)}
    control = parents.get(hwnd)
    while control is not None and control.parent in parents and control.parent != main.hwnd:
        control = parents[control.parent]
    return control.id if control is not None else control_id


def tab_cycle(s, main, key):
    """The focus ids met by pressing `key` until the focus comes back to where it started."""
    start = focus_id(s, main)
    seen = [start]
    for _ in range(40):
        s.key(key)
        now = focus_id(s, main)
        if now == start:
            return seen
        seen.append(now)
    raise harness.TestFailure("%s never brought the focus back: %r" % (key, seen))


def test(s):
    server = s.server("vsftpd")
    with open(os.path.join(server.root, "wanted.txt"), "wb") as f:
        f.write(b"fetched by keys")
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    local = os.path.join(s.work, "local")
    os.makedirs(local)
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)

    in_menu = menu_commands(s, main)
    for toolbar in (210, 211, 212):
        for button in s.toolbar(toolbar, hwnd=main.hwnd):
            if not button.separator and button.command != 1001:  # Connect is Ctrl+T
                check(button.command in in_menu, "toolbar %d's %r (%d) is in the menu bar" %
                      (toolbar, button.text, button.command))

    tarnwick_gui.connect_from_site_menu(s, main, SITE, server, 1)
    tarnwick_gui.go_local(s, main, local)
    # From the local path box, Tab goes round the window once.
    forward = tab_cycle(s, main, "Tab")
    for control_id in (LOCAL_PANE, REMOTE_PATH, REMOTE_LIST, LOG):
        check(control_id in forward, "Tab reaches control %d: %r" % (control_id, forward))
    order = [forward.index(c) for c in (LOCAL_PATH, REMOTE_PATH, REMOTE_LIST, LOG)]
    check_equal(order, sorted(order), "Tab goes local path, remote path, remote list, log: %r" % forward)
    backward = tab_cycle(s, main, "shift+Tab")
    check_equal(backward[1:], list(reversed(forward[1:])), "Shift+Tab walks the same way back")
    s.screenshot("tab-order")

    # Local > New Folder from the keyboard: F10, Right to "Local", down to "New Folder".
    entries = [e for e in s.menu(hwnd=main.hwnd) if e.path.startswith("1.") and e.path.count(".") == 1]
    new_folder = [e.text for e in entries if "separator" not in e.flags].index("New Folder")
    s.key("F10", "Right", "Down")
    s.wait_window(cls="#32768")
    s.key(*(["Down"] * new_folder), "Return")
    tarnwick_gui.type_answer(s, "New Folder", "typed folder")
    harness.wait_until(lambda: os.path.isdir(os.path.join(local, "typed folder")), 10, "the folder made from the menu")

    # Tab to the remote list, pick the file with the arrows and Ctrl+D.
    for _ in range(len(forward)):
        if focus_id(s, main) == REMOTE_LIST:
            break
        s.key("Tab")
    check_equal(focus_id(s, main), REMOTE_LIST, "the focus on the remote list")
    s.key("Home", "space")
    s.key("ctrl+d")
    target = os.path.join(local, "wanted.txt")
    harness.wait_until(lambda: os.path.exists(target) and open(target, "rb").read() == b"fetched by keys", 20,
                       "the file downloaded from the keyboard")
    s.screenshot("downloaded-by-keys")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-keyboard", timeout=100)
