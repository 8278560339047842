#!/usr/bin/python3
"""The FTP Explorer opened from Site Properties' remote Browse... on a real server: folders only, sorted;
into a folder, create, rename and delete a folder there (checked on the server's disk), into a
folder of files only (no rows), Up, and
Select writes the chosen folder back into the remote path; saving then runs the connection test in
that folder and its table and listing are read back."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import site_dialogs  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402
from site_dialogs import SITE_LIST  # noqa: E402

PATH, LIST, STATUS = 481, 482, 483


def explorer_rows(s, explorer):
    return [r.texts for r in s.list_view(LIST, hwnd=explorer.hwnd).rows]


def wait_rows(s, explorer, names, path):
    def shown():
        rows = explorer_rows(s, explorer)
        return (rows,) if [r[0] for r in rows] == names and s.control(PATH, hwnd=explorer.hwnd).text == path else None
    return harness.wait_until(shown, 15, "the folders %r in %s" % (names, path), interval=0.2)[0]


def click_row(s, explorer, name):
    row = [r for r in s.list_view(LIST, hwnd=explorer.hwnd).rows if r.texts[0] == name][0]
    s.click(*harness.centre(row.rect))
    harness.wait_until(lambda: [r for r in s.list_view(LIST, hwnd=explorer.hwnd).rows
                                if r.texts[0] == name and r.selected] or None, 10, "%s selected" % name)


def test(s):
    server = s.server("pyftpdlib")
    for folder in ("pub/inner", "Zeta", "alpha"):
        os.makedirs(os.path.join(server.root, folder))
    for name in ("readme.txt", "pub/inner/notes.txt"):
        with open(os.path.join(server.root, name), "w") as f:
            f.write("not a folder")
    tarnwick_gui.save_site(s, "Explorer Site", "127.0.0.1:%d" % server.port, server.user, server.password)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)

    s.key("ctrl+m")
    manager = site_dialogs.window_with(s, "Site Manager", SITE_LIST)
    s.key("alt+p")
    sheet = site_dialogs.window_with(s, "Site Properties", 411)
    site_dialogs.open_advanced_page(s, sheet)
    s.key("alt+a")
    harness.wait_until(lambda: s.control(425, hwnd=sheet.hwnd).enabled or None, 10, "Browse... enabled")
    s.key("alt+b")

    explorer = s.wait_window(title="FTP Explorer - 127.0.0.1:%d" % server.port)
    rows = wait_rows(s, explorer, ["Zeta", "alpha", "pub"], "/")
    check_equal([r[2] for r in rows], ["Folder"] * 3, "the Type column")
    check_equal(s.status_parts(STATUS, hwnd=explorer.hwnd)[1], "Connected", "the connection state")
    s.screenshot("ftp-explorer")

    click_row(s, explorer, "pub")
    s.key("Return")
    wait_rows(s, explorer, ["inner"], "/pub")

    s.key("alt+n")
    s.type("made")
    s.key("Return")
    wait_rows(s, explorer, ["inner", "made"], "/pub")
    check(os.path.isdir(os.path.join(server.root, "pub", "made")), "the new folder on the server")

    click_row(s, explorer, "made")
    s.key("alt+r")
    s.type("renamed")
    s.key("Return")
    wait_rows(s, explorer, ["inner", "renamed"], "/pub")
    check(os.path.isdir(os.path.join(server.root, "pub", "renamed")), "the renamed folder on the server")

    click_row(s, explorer, "renamed")
    check_equal(s.status_parts(STATUS, hwnd=explorer.hwnd)[0], "1 objects selected", "the status with a selection")
    s.key("alt+d")
    site_dialogs.answer_prompt(s, "FTP Explorer - Confirm Delete")
    wait_rows(s, explorer, ["inner"], "/pub")
    check(not os.path.exists(os.path.join(server.root, "pub", "renamed")), "the deleted folder is gone")

    # A folder that holds only files shows no rows.
    click_row(s, explorer, "inner")
    s.key("Return")
    wait_rows(s, explorer, [], "/pub/inner")
    check_equal(s.status_parts(STATUS, hwnd=explorer.hwnd)[0], "0 objects", "the count of an empty folder")
    s.screenshot("no-subfolders")

    s.key("alt+u")
    wait_rows(s, explorer, ["inner"], "/pub")
    s.key("alt+u")
    wait_rows(s, explorer, ["Zeta", "alpha", "pub"], "/")
    click_row(s, explorer, "pub")
    s.key("alt+s")
    s.wait_gone(hwnd=explorer.hwnd)
    check_equal(s.control(424, hwnd=sheet.hwnd).text, "/pub", "Select wrote the folder into the remote path")
    placement = s.registry_values("FtpExplorer")
    check(set(placement) >= {"X", "Y", "Width", "Height", "Maximized"} and int(placement["Width"]) > 300,
          "the explorer's placement is stored: %r" % placement)

    s.key("Return")
    result, steps, report, folder = site_dialogs.read_test_result(s)
    check_equal(folder, "/pub", "the test's working folder")
    check("Contains: inner" in report, "the report lists the folder: %r" % report)
    site_dialogs.close_test_result(s, result)
    s.wait_gone(hwnd=sheet.hwnd)
    stored = s.registry_values("FTPAccounts\\Explorer Site\\127.0.0.1:%d\\0" % server.port)
    check_equal((stored.get("Directory"), stored.get("UseRecentRemote")), ("/pub", "0"), "the stored start folder")
    s.key("Escape")
    s.wait_gone(hwnd=manager.hwnd)
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-ftp-explorer", timeout=100)
