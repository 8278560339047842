#!/usr/bin/python3
"""Download as a user does it: the local folder typed into the local path box,
a remote row clicked, the Download button (104) clicked. The file arrives on
disk with the server's bytes and modification time and shows in the local
pane and in the daily log file; Upload (103) stays disabled while nothing
local is selected."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import centre, check, check_equal  # noqa: E402

MODIFIED = 1700000000  # 2023-11-14 22:13:20 UTC


def test(s):
    server = s.server("vsftpd")
    content = os.urandom(70000)
    with open(os.path.join(server.root, "report.bin"), "wb") as f:
        f.write(content)
    os.utime(os.path.join(server.root, "report.bin"), (MODIFIED, MODIFIED))
    with open(os.path.join(server.root, "other.txt"), "wb") as f:
        f.write(b"not this one")
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    tarnwick_gui.save_site(s, "Download Site", "127.0.0.1:%d" % server.port, server.user, server.password)

    mark = tarnwick_gui.log_mark(s)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    s.key("Down", "Return")
    remote = harness.wait_until(lambda: (lambda l: l if l.count == 2 else None)(s.list_view(102, hwnd=main.hwnd)),
                                30, "the server's two files in the remote list")

    # The local side goes to the test's folder through its path box.
    s.click_control(106, hwnd=main.hwnd)
    s.key("ctrl+a")
    s.type(harness.windows_path(s.work))
    s.key("Return")
    harness.wait_until(lambda: s.control(106, hwnd=main.hwnd).text == harness.windows_path(s.work), 10,
                       "the local path box on the test's folder")

    row = [r for r in remote.rows if r.texts[0] == "report.bin"][0]
    s.click(*centre(row.rect))
    harness.wait_until(lambda: s.control(104, hwnd=main.hwnd).enabled, 10, "Download enabled for the focused row")
    check(not s.control(103, hwnd=main.hwnd).enabled, "Upload disabled without a local selection")
    s.click_control(104, hwnd=main.hwnd)

    target = os.path.join(s.work, "report.bin")
    harness.wait_until(lambda: os.path.exists(target) and os.path.getsize(target) == len(content), 30,
                       "the downloaded file on disk")
    harness.wait_until(lambda: int(os.path.getmtime(target)) == MODIFIED, 10, "the server's time on the local file")
    with open(target, "rb") as f:
        check(f.read() == content, "the downloaded bytes are the server's")
    check_equal(sorted(os.listdir(s.work)), ["report.bin"], "files in the local folder")
    local = harness.wait_until(lambda: [r.texts[0] for r in s.list_view(1, hwnd=main.hwnd).rows], 10,
                               "rows of the local pane")
    check_equal(local, ["report.bin"], "the local pane after the download")
    s.screenshot("downloaded")
    harness.wait_until(lambda: "Downloaded file OK." in tarnwick_gui.log_since(s, mark), 10,
                       "\"Downloaded file OK.\" in the log file")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-download", timeout=90)
