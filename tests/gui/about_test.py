#!/usr/bin/python3
"""The Help menu of tarnwick.exe: "Help Topics" (also F1) opens the help
index, "About Tarnwick..." shows the icon, the name, the build's version and
the copyright, and OK closes it again. The program runs from a copy without
its help folder, so that Help Topics reports the page it looked for instead
of starting a browser."""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

VERSION = open(os.path.join(harness.TOP, "VERSION")).readline().strip()
IDM_HELP_TOPICS, IDM_ABOUT = 900, 901
IDC_ABOUT_ICON, IDC_ABOUT_NAME, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT = 911, 912, 913, 914


def check_missing_help_box(s, copy):
    box = s.wait_window(title="Tarnwick Help", timeout=10)
    texts = [c.text for c in s.controls(hwnd=box.hwnd)]
    page = harness.windows_path(os.path.join(os.path.dirname(copy), "help", "index.html"))
    check(any(page.lower() in t.lower() for t in texts), "the box names %s: %r" % (page, texts))
    s.key("Return")
    s.wait_gone(hwnd=box.hwnd)


def test(s):
    tarnwick_gui.save_idle_site(s)
    copy = os.path.join(s.work, "tarnwick.exe")
    shutil.copy(os.path.join(s.bin, "tarnwick.exe"), copy)
    program = s.start(copy)
    main = tarnwick_gui.wait_main_window(s)

    entries = s.menu(hwnd=main.hwnd)
    help_menu = [e for e in entries if "." not in e.path and e.text == "&Help"]
    check_equal(len(help_menu), 1, "a Help menu on the menu bar")
    inside = [(e.id, e.text) for e in entries if e.path.startswith(help_menu[0].path + ".") and
              "separator" not in e.flags]
    check_equal(inside, [(IDM_HELP_TOPICS, "&Help Topics\tF1"), (IDM_ABOUT, "&About Tarnwick...")],
                "entries of the Help menu")

    # F1 and the menu entry both look for the index page beside the program.
    s.key("F1")
    check_missing_help_box(s, copy)
    s.key("alt+h", "h")
    check_missing_help_box(s, copy)

    s.key("alt+h", "a")
    about = s.wait_window(title="About Tarnwick", timeout=10)
    controls = {c.id: c for c in s.controls(hwnd=about.hwnd)}
    check_equal([controls[i].text for i in (IDC_ABOUT_NAME, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT)],
                ["Tarnwick File Transfer Software", "Version " + VERSION, "Copyright (C) 2026 Velmora Software"],
                "texts of the About box")
    left, top, right, bottom = controls[IDC_ABOUT_ICON].rect
    check(controls[IDC_ABOUT_ICON].visible and right - left >= 48 and bottom - top >= 48,
          "the icon is shown at 48 pixels or more: %r" % (controls[IDC_ABOUT_ICON].rect,))
    s.screenshot("about")
    s.key("Return")
    s.wait_gone(hwnd=about.hwnd)

    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-about", timeout=90)
