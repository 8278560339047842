#!/usr/bin/python3
"""A second start of tarnwick.exe wakes the running copy and ends: the first
copy's minimised window comes back, the second process exits with code 0
and leaves no window, one main window and one tarnwick.exe remain."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402


def test(s):
    tarnwick_gui.save_idle_site(s)
    first = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check_equal(len(s.processes("tarnwick.exe")), 1, "tarnwick.exe processes after the first start")

    # Minimised from its system menu, as a user would.
    s.key("alt+space")
    s.wait_window(cls="#32768")
    s.key("n")
    harness.wait_until(lambda: s.windows(hwnd=main.hwnd, hidden=True)[0].state == "minimized", 10,
                       "the main window minimised")
    s.screenshot("minimised")

    second = s.start("tarnwick.exe")
    check_equal(second.wait(30), 0, "exit code of the second start")
    harness.wait_until(lambda: s.windows(hwnd=main.hwnd)[0].state == "normal", 10, "the first window restored")
    harness.wait_until(lambda: getattr(s.foreground(), "hwnd", None) == main.hwnd, 10,
                       "the first window in the foreground")
    check_equal([w.hwnd for w in tarnwick_gui.main_windows(s)], [main.hwnd], "main windows after the second start")
    check_equal([p[0] for p in s.processes("tarnwick.exe")], [main.pid], "tarnwick.exe processes left")
    check(first.running(), "the first copy still runs")
    s.screenshot("woken")

    tarnwick_gui.close_with_alt_f4(s, first, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-single-instance", timeout=90)
