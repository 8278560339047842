#!/usr/bin/python3
"""Moving about the server as a user does: a double click opens a folder,
the remote toolbar's Back, Forward and Up follow the history and the parent,
Ctrl+D downloads a whole folder tree, and a large download shows the progress
dialog while it runs. The divider above the log keeps its place across a
restart."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

SITE = "Navigation Site"
REMOTE, LOCAL, REMOTE_PATH, DIVIDER = 102, 1, 109, 214
BIG = 48 << 20


def remote_at(s, main, folder, names):
    """Waits for the remote path box to show folder and the list to show exactly names."""
    harness.wait_until(lambda: s.control(REMOTE_PATH, hwnd=main.hwnd).text == folder and
                       sorted(r.texts[0] for r in s.list_view(REMOTE, hwnd=main.hwnd).rows) == sorted(names), 20,
                       "the remote pane in %s showing %r" % (folder, names))


def test(s):
    server = s.server("vsftpd")
    inner = os.path.join(server.root, "outer", "inner")
    os.makedirs(inner)
    with open(os.path.join(server.root, "outer", "middle.txt"), "wb") as f:
        f.write(b"in the middle")
    with open(os.path.join(inner, "deepest.txt"), "wb") as f:
        f.write(b"at the bottom")
    big = os.urandom(1 << 20) * (BIG >> 20)
    with open(os.path.join(server.root, "big.bin"), "wb") as f:
        f.write(big)
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    local = os.path.join(s.work, "local")
    os.makedirs(local)
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    tarnwick_gui.connect_from_site_menu(s, main, SITE, server, 2)
    tarnwick_gui.go_local(s, main, local)

    tarnwick_gui.click_row(s, main, REMOTE, "outer", double=True)
    remote_at(s, main, "/outer", ["inner", "middle.txt"])
    tarnwick_gui.click_row(s, main, REMOTE, "inner", double=True)
    remote_at(s, main, "/outer/inner", ["deepest.txt"])
    tarnwick_gui.click_toolbar(s, main, 212, "Back")
    remote_at(s, main, "/outer", ["inner", "middle.txt"])
    tarnwick_gui.click_toolbar(s, main, 212, "Forward")
    remote_at(s, main, "/outer/inner", ["deepest.txt"])
    tarnwick_gui.click_toolbar(s, main, 212, "Up")
    remote_at(s, main, "/outer", ["inner", "middle.txt"])
    tarnwick_gui.click_toolbar(s, main, 212, "Up")
    remote_at(s, main, "/", ["outer", "big.bin"])
    check(not tarnwick_gui.toolbar_button(s, main, 212, "Up").enabled, "Up is disabled at the server's top folder")
    s.screenshot("navigated")

    # Ctrl+D on a folder brings the whole tree.
    tarnwick_gui.click_row(s, main, REMOTE, "outer")
    s.key("ctrl+d")
    deepest = os.path.join(local, "outer", "inner", "deepest.txt")
    harness.wait_until(lambda: os.path.exists(deepest) and open(deepest, "rb").read() == b"at the bottom", 30,
                       "the downloaded folder tree")
    check_equal(open(os.path.join(local, "outer", "middle.txt"), "rb").read(), b"in the middle", "a file of the tree")

    # A large download runs in the progress dialog.
    harness.wait_until(lambda: not tarnwick_gui.busy(s, main), 15, "the folder download finished")
    tarnwick_gui.click_row(s, main, REMOTE, "big.bin")
    s.click_control(104, hwnd=main.hwnd)
    progress = harness.wait_until(lambda: [w for w in s.windows(cls="#32770") if w.hwnd != main.hwnd and w.visible],
                                  15, "the progress dialog")[0]
    s.screenshot("progress-dialog")
    check(any(c.text == "Cancel" for c in s.controls(hwnd=progress.hwnd)), "the progress dialog offers Cancel")
    target = os.path.join(local, "big.bin")
    harness.wait_until(lambda: os.path.exists(target) and os.path.getsize(target) == BIG, 120, "the large download")
    with open(target, "rb") as f:
        check(f.read() == big, "the large download's bytes are the server's")

    # The divider dragged up 60 pixels stays there at the next start. The download's job keeps the
    # window for a short grace after its last byte, in which a late Cancel still counts.
    time.sleep(3)
    divider = s.control(DIVIDER, hwnd=main.hwnd).rect
    middle = ((divider[0] + divider[2]) // 2, (divider[1] + divider[3]) // 2)
    s.drag(middle, (middle[0], middle[1] - 60))
    moved = harness.wait_until(lambda: (lambda top: top if divider[1] - 70 <= top <= divider[1] - 50 else None)(
        s.control(DIVIDER, hwnd=main.hwnd).rect[1]), 10, "the divider moved up from %d" % divider[1])
    tarnwick_gui.close_with_alt_f4(s, program, main)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check_equal(s.control(DIVIDER, hwnd=main.hwnd).rect[1], moved, "the divider's place after a restart")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-remote-navigation", timeout=110)
