#!/usr/bin/python3
"""The window half of bench/listing: tarnwick.exe connected to the server,
"/big" typed into the remote path box, the time from Enter to a list holding
every entry with its first page painted; best of the runs, the ratio to
curl's best, and the memory the listing added to the empty window.
    listing_window.py BUILD PORT USER PASSWORD ENTRIES RUNS CURL_SECONDS"""
import glob
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "gui"))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402

REMOTE_LIST, REMOTE_PATH = 102, 109


def resident_mib():
    """Resident memory of the tarnwick.exe process, in MiB (Wine runs it as a Linux process)."""
    for status in glob.glob("/proc/[0-9]*/cmdline"):
        try:
            program = open(status, "rb").read().split(b"\0")[0]
        except OSError:
            continue
        # The program itself, not the probe that started it with its path as an argument.
        if program.lower().endswith(b"tarnwick.exe"):
            for field in open(status.replace("cmdline", "status")):
                if field.startswith("VmRSS:"):
                    return int(field.split()[1]) / 1024
    raise harness.HarnessError("no tarnwick.exe process")


def open_folder(s, main, folder, rows):
    s.click_control(REMOTE_PATH, hwnd=main.hwnd)
    s.key("ctrl+a")
    s.type(folder)
    start = time.monotonic()
    s.key("Return")
    harness.wait_until(lambda: (lambda l: l.count == rows and l.rows)(
        s.list_view(REMOTE_LIST, visible_only=True, hwnd=main.hwnd)), 120, "%d rows of %s" % (rows, folder),
        interval=0.02)
    return time.monotonic() - start


def bench(s, port, user, password, entries, runs, curl_seconds):
    tarnwick_gui.save_site(s, "Listing Site", "127.0.0.1:%d" % port, user, password)
    s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    time.sleep(2)
    empty = resident_mib()
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    s.key("Down", "Return")
    tarnwick_gui.wait_rows(s, main, REMOTE_LIST, 1, "the server's root folder")
    times = []
    for _ in range(runs):
        open_folder(s, main, "/", 1)
        times.append(open_folder(s, main, "/big", entries))
    best = min(times)
    added = resident_mib() - empty
    s.screenshot("listing")
    print("entries %d: tarnwick %.3f s, curl %.3f s, ratio %.2f (goal at most 1.5); memory above the empty window "
          "%.1f MiB (goal at most 64)" % (entries, best, curl_seconds, best / curl_seconds, added))


if __name__ == "__main__":
    build, port, user, password, entries, runs, curl_seconds = sys.argv[1:8]
    with harness.Session(build, "bench-listing", timeout=900) as session:
        bench(session, int(port), user, password, int(entries), int(runs), float(curl_seconds))
