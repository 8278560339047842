#!/usr/bin/python3
"""tarnwick.exe opens its main window: the panes, path boxes and log window by
their control ids, the not-connected state of the remote side, the remote
list's columns, the toolbars, the menu bar and the status bar; Alt+F4 ends
the program, which stores the window's placement and restores it at the
next start, maximised when it was closed maximised."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402


def test(s):
    tarnwick_gui.save_idle_site(s)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check(main.visible and main.state == "normal", "the main window is shown normally: %r" % (main,))
    s.screenshot("opened")

    controls = {c.id: c for c in s.controls(hwnd=main.hwnd)}
    for control_id in (101, 102, 103, 104, 106, 109, 200):
        check(control_id in controls and controls[control_id].visible, "control %d is shown" % control_id)
    check_equal((controls[109].text, controls[109].enabled), ("Not Connected", False), "remote path box")
    check(not controls[104].enabled and not controls[103].enabled, "Upload and Download wait for a connection")
    check_equal(controls[102].cls, "SysListView32", "class of the remote list")

    remote = s.list_view(102, hwnd=main.hwnd)
    check_equal([c.text for c in remote.columns][:5], ["Name", "Size", "Type", "Date modified", "Permissions"],
                "first remote list columns")
    check_equal(remote.count, 0, "rows of the remote list while not connected")
    check_equal(s.status_parts(hwnd=main.hwnd)[0], "Not connected to FTP site", "status bar part 0")

    toolbars = {t: [b for b in s.toolbar(t, hwnd=main.hwnd) if not b.separator] for t in (210, 211, 212)}
    check_equal([b.text for b in toolbars[210]][:6], ["Sites", "Connect", "Quick", "Disconnect", "Logs", "Options"],
                "main toolbar")
    check_equal([b.text for b in toolbars[211]], ["Rename", "New Folder", "Delete", "Refresh", "Folder Explorer", "Up",
                                                  "Back", "Forward", "Local Bookmarks"], "local toolbar")
    check_equal([b.text for b in toolbars[212]], ["Rename", "New Folder", "Delete", "Refresh", "Up", "Back", "Forward",
                                                  "Remote Bookmarks"], "remote toolbar")
    check_equal([b.text for b in toolbars[210] + toolbars[212] if b.enabled][:5],
                ["Sites", "Connect", "Quick", "Logs", "Options"], "enabled buttons while not connected")
    check(not any(b.enabled for b in toolbars[212]), "the remote toolbar waits for a connection")

    bar = [e.text.replace("&", "") for e in s.menu(hwnd=main.hwnd) if "." not in e.path]
    check_equal(bar[:4], ["File", "Local", "Remote", "Tools"], "menus of the menu bar")

    # The instance window through which a second start finds this one.
    instance = s.windows(cls="VelmoraSoftware_InstanceWindow", title="Tarnwick", hidden=True)
    check_equal([(w.pid, w.visible) for w in instance], [(main.pid, False)], "the hidden instance window")

    # Moved by its title bar, the window's place is stored on exit and used at the next start.
    left, top, right, bottom = main.rect
    s.drag((left + 150, top + 10), (left + 150 - 137, top + 10 - 100))
    moved = (left - 137, top - 100, right - 137, bottom - 100)
    harness.wait_until(lambda: s.windows(hwnd=main.hwnd)[0].rect == moved, 10, "the window moved to %r" % (moved,))
    tarnwick_gui.close_with_alt_f4(s, program, main)
    stored = s.registry_values("MainWindow")
    check_equal({k: stored.get(k) for k in ("X", "Y", "Width", "Height", "Maximized")},
                {"X": str(moved[0]), "Y": str(moved[1]), "Width": str(right - left), "Height": str(bottom - top),
                 "Maximized": "0"}, "placement stored on exit")
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check_equal(main.rect, moved, "the window's rectangle at the second start")
    s.screenshot("moved")

    # Maximised from the system menu, it is stored so and opens maximised.
    s.key("alt+space")
    s.wait_window(cls="#32768")
    s.key("x")
    harness.wait_until(lambda: s.windows(hwnd=main.hwnd)[0].state == "maximized", 10, "the maximised window")
    tarnwick_gui.close_with_alt_f4(s, program, main)
    check_equal(s.registry_values("MainWindow").get("Maximized"), "1", "Maximized stored on exit")
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check_equal(main.state, "maximized", "the window's state at the third start")
    s.screenshot("maximised")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-main-window", timeout=90)
