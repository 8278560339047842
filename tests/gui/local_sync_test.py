#!/usr/bin/python3
"""The local side as a user works it: New Folder from the local toolbar, F2
to rename in place, Delete with its question, each checked on the disk; then
Synchronize of a tree that differs on both sides, at depth: each side ends up
with the newer copy of every file, and a second run changes nothing."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

SITE = "Sync Site"
REMOTE, LOCAL = 102, 1
OLD, NEW = 1500000000, 1700000000


def put(path, content, modified):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content)
    os.utime(path, (modified, modified))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def local_commands(s, main, local):
    tarnwick_gui.click_toolbar(s, main, 211, "New Folder")
    tarnwick_gui.type_answer(s, "New Folder", "fresh folder")
    harness.wait_until(lambda: os.path.isdir(os.path.join(local, "fresh folder")), 10, "the new local folder")
    harness.wait_until(lambda: "fresh folder" in [r.texts[0] for r in s.list_view(LOCAL, hwnd=main.hwnd).rows], 10,
                       "the new folder in the local pane")

    tarnwick_gui.click_row(s, main, LOCAL, "scratch.txt")
    s.key("F2")
    time.sleep(0.5)
    s.key("ctrl+a")
    s.type("kept.txt")
    s.key("Return")
    harness.wait_until(lambda: os.path.exists(os.path.join(local, "kept.txt")), 10, "the renamed local file")
    check(not os.path.exists(os.path.join(local, "scratch.txt")), "the old local name is gone")

    tarnwick_gui.click_row(s, main, LOCAL, "fresh folder")
    s.key("Delete")
    text = tarnwick_gui.answer(s, "Confirm Delete", "Delete")
    check("delete" in text.lower(), "the local delete question: %r" % text)
    harness.wait_until(lambda: not os.path.exists(os.path.join(local, "fresh folder")), 10, "the deleted local folder")
    os.remove(os.path.join(local, "kept.txt"))
    s.screenshot("local-commands")


def synchronize(s, main):
    """Synchronize from its button: the question answered, and every overwrite question of the
    transfers answered with Overwrite for all; the text of the first question."""
    mark = tarnwick_gui.log_mark(s)
    s.click_control(120, hwnd=main.hwnd)
    text = tarnwick_gui.answer(s, "Synchronize", "Synchronize")

    def finished():
        if "Synchronize completed." in tarnwick_gui.log_since(s, mark):
            return True
        for window in s.windows(title="Overwrite"):
            controls = s.controls(hwnd=window.hwnd)
            for box in controls:
                if box.text.replace("&", "") == "Do this for all":
                    s.click(*harness.centre(box.rect))
            tarnwick_gui.answer(s, "Overwrite", "Overwrite")
        return False
    harness.wait_until(finished, 60, "Synchronize completed", interval=0.3)
    return text, tarnwick_gui.log_since(s, mark)


def test(s):
    server = s.server("pyftpdlib")
    local = os.path.join(s.work, "local")
    remote = server.root
    # Newer here, newer there, only here, only there: at the top and two folders down.
    for top in ("", os.path.join("deep", "down")):
        put(os.path.join(local, top, "newer-here.txt"), b"local and new", NEW)
        put(os.path.join(remote, top, "newer-here.txt"), b"remote and old", OLD)
        put(os.path.join(local, top, "newer-there.txt"), b"local and old", OLD)
        put(os.path.join(remote, top, "newer-there.txt"), b"remote and new", NEW)
        put(os.path.join(local, top, "only-here.txt"), b"only local", OLD)
        put(os.path.join(remote, top, "only-there.txt"), b"only remote", OLD)
    # The remote folder is older than the local file inside it: it must still be entered, not sent whole.
    os.utime(os.path.join(remote, "deep"), (OLD, OLD))
    put(os.path.join(local, "scratch.txt"), b"to be renamed", OLD)
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    tarnwick_gui.connect_from_site_menu(s, main, SITE, server, 4)
    tarnwick_gui.go_local(s, main, local)
    tarnwick_gui.wait_rows(s, main, LOCAL, 5, "the local folder's entries")
    local_commands(s, main, local)

    text, log = synchronize(s, main)
    check(harness.windows_path(local) in text or "synchronize" in text.lower(), "the Synchronize question: %r" % text)
    check("Upload complete" in log and "Downloaded file OK." in log, "the first Synchronize sent and fetched files")
    for top in ("", os.path.join("deep", "down")):
        for side in (local, remote):
            harness.wait_until(lambda: os.path.exists(os.path.join(side, top, "only-here.txt")) and
                               os.path.exists(os.path.join(side, top, "only-there.txt")), 30,
                               "both single files in %s" % os.path.join(side, top))
            harness.wait_until(lambda: read(os.path.join(side, top, "newer-here.txt")) == b"local and new" and
                               read(os.path.join(side, top, "newer-there.txt")) == b"remote and new", 30,
                               "the newer copies in %s" % os.path.join(side, top))
    s.screenshot("synchronized")

    # A second run finds nothing to do: no file on either side is written again.
    before = {os.path.join(d, f): os.stat(os.path.join(d, f)).st_mtime_ns
              for side in (local, remote) for d, _, fs in os.walk(side) for f in fs}
    _, log = synchronize(s, main)
    after = {os.path.join(d, f): os.stat(os.path.join(d, f)).st_mtime_ns
             for side in (local, remote) for d, _, fs in os.walk(side) for f in fs}
    check_equal(after, before, "the files after a second Synchronize")
    check("Upload complete" not in log and "Downloaded file OK." not in log, "the second Synchronize transferred nothing")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-local-sync", timeout=110)
