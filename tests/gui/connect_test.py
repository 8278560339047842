#!/usr/bin/python3
"""Ctrl+T with a saved site and no current one pops up the site menu; its
entry connects to the real server, and the remote list shows the server's
folder (folders first), the path box "/", the status bar the connection.
The toolbar's Disconnect, enabled only while connected, ends it again."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

SITE = "Harness Site"


def disconnect_button(s, main):
    return [b for b in s.toolbar(210, hwnd=main.hwnd) if b.text == "Disconnect"][0]


def test(s):
    server = s.server("vsftpd")
    files = {"alpha.txt": 1000, "beta.bin": 3000, "zeta notes.txt": 10}
    for name, size in files.items():
        with open(os.path.join(server.root, name), "wb") as f:
            f.write(b"x" * size)
    os.mkdir(os.path.join(server.root, "gamma"))
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check_equal(s.list_view(102, hwnd=main.hwnd).count, 0, "remote rows before connecting")
    labels = [b.text for b in s.toolbar(210, hwnd=main.hwnd) if not b.separator]
    check_equal(labels[:6], ["Sites", "Connect", "Quick", "Disconnect", "Logs", "Options"], "main toolbar labels")
    check(not disconnect_button(s, main).enabled, "Disconnect is disabled before connecting")

    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    entries = [e.text for e in s.menu(cls="#32768") if "separator" not in e.flags]
    check(len(entries) == 2 and entries[0].startswith(SITE) and entries[1] == "New Site ...",
          "the site menu: the saved site, then \"New Site ...\": %r" % entries)
    s.screenshot("site-menu")
    s.key("Down", "Return")
    connected = "Connected to %s (127.0.0.1:%d) as %s" % (SITE, server.port, server.user)
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == connected, 30, "the status text %r" % connected)
    remote = harness.wait_until(lambda: (lambda l: l if l.count == len(files) + 1 else None)(
        s.list_view(102, hwnd=main.hwnd)), 10, "the server's entries in the remote list")
    names = [r.texts[0] for r in remote.rows]
    check_equal(names[0], "gamma", "the folder comes first")
    check_equal(sorted(names[1:]), sorted(files), "the files of the remote list")
    check_equal([r.texts[2] for r in remote.rows], ["Folder"] + ["File"] * len(files), "the Type column")
    controls = {c.id: c for c in s.controls(hwnd=main.hwnd)}
    check_equal((controls[109].text, controls[109].enabled), ("/", True), "remote path box once connected")
    s.screenshot("connected")

    # The server saw the saved user log in.
    log = s.ask("log %s" % server.id).split(" ", 1)[1]
    with open(log, errors="replace") as f:
        check('"USER %s"' % server.user in f.read(), "the server's log shows the log-in of %s" % server.user)

    # Disconnect from the toolbar, clicked where the probe finds the button.
    button = disconnect_button(s, main)
    check(button.enabled, "Disconnect is enabled while connected")
    s.click(*harness.centre(button.rect))
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == "Not connected to FTP site", 15,
                       "the status text after Disconnect")
    check_equal(s.list_view(102, hwnd=main.hwnd).count, 0, "remote rows after Disconnect")
    check_equal(s.control(109, hwnd=main.hwnd).text, "Not Connected", "remote path box after Disconnect")
    check(not disconnect_button(s, main).enabled, "Disconnect is disabled again")
    harness.wait_until(lambda: '"QUIT"' in open(log, errors="replace").read(), 10, "QUIT in the server's log")
    s.screenshot("disconnected")

    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-connect", timeout=90)
