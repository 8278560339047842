#!/usr/bin/python3
"""The Site Manager as a user works with it: add a site through "Add New Site" (the field checks
show their balloons first; saving runs the connection test against a real server), connect from the
list, see the row connected (and its context menu), disconnect it, rename the site in Site
Properties and delete it again; the store is read back through tarnwick-cli after each step."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import site_dialogs  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402
from site_dialogs import SITE_LIST  # noqa: E402


def stored_sites(s):
    code, output = s.cli("sites")
    check_equal(code, 0, "tarnwick-cli sites")
    return output


def test(s):
    server = s.server("vsftpd")
    os.mkdir(os.path.join(server.root, "incoming"))
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    tarnwick_gui.save_idle_site(s)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)

    s.key("ctrl+m")
    manager = site_dialogs.window_with(s, "Site Manager", SITE_LIST)
    listed = s.list_view(SITE_LIST, hwnd=manager.hwnd)
    check_equal([c.text for c in listed.columns], ["Site Label", "FTP Server", "User Name", "Directory", "Status"],
                "the Site Manager's columns")
    check_equal([r.texts for r in listed.rows], [["Smoke Site", "192.0.2.10:21", "nobody", "/", "Disconnected"]],
                "the saved site's row")
    check(listed.rows[0].selected, "the first row is selected on opening")
    buttons = {c.id: c for c in s.controls(hwnd=manager.hwnd)}
    check_equal((buttons[1].text, buttons[1].enabled), ("Connect", True), "OK reads Connect")
    check(not buttons[405].enabled and buttons[404].enabled, "Delete enabled, Disconnect disabled")
    s.screenshot("site-manager")

    # Add Site...: an empty server is refused with its balloon, then a label with a slash.
    s.key("alt+a")
    sheet = site_dialogs.window_with(s, "Add New Site", 411)
    check_equal(s.control(1, hwnd=sheet.hwnd).text, "Add Site", "the sheet's OK for a new site")
    check(s.control(415, hwnd=sheet.hwnd).text == "&Remember Password", "Remember Password is there")
    s.key("Return")
    text = site_dialogs.balloon(s)
    check(text.startswith("Please enter the ftp server to transfer files to."), "empty-server balloon: %r" % text)
    s.screenshot("empty-server-balloon")
    s.type("127.0.0.1")
    s.key("Tab")
    s.type(str(server.port))
    s.key("Tab")
    s.type(server.user)
    s.key("Tab")
    s.type(server.password)
    site_dialogs.open_advanced_page(s, sheet)
    s.type("Bad/Label")
    s.key("alt+a")  # "Use this directory always" for the remote folder
    s.key("alt+p")
    s.key("ctrl+a")
    s.type("/incoming")
    s.screenshot("advanced-page")
    s.key("Return")
    check_equal(site_dialogs.balloon(s), "The site label cannot have slashes in it.", "the bad-label balloon")
    check_equal(s.focus(hwnd=sheet.hwnd)[1], 421, "the focus is on the label")
    s.screenshot("bad-label-balloon")
    s.key("ctrl+a")
    s.type("Test Site")
    s.key("Return")

    # Saving runs the connection test on the site as stored.
    result, steps, report, folder = site_dialogs.read_test_result(s)
    check_equal(steps, ["Server address", "Log in", "Change directory", "Get working folder", "Passive mode",
                        "Write", "Delete"], "the step table")
    check_equal(folder, "/incoming", "the working folder")
    check("Logon details are OK." in report and "File deleted OK." in report, "the report: %r" % report)
    s.screenshot("connection-test")
    site_dialogs.close_test_result(s, result)
    s.wait_gone(hwnd=sheet.hwnd)
    check("Test Site" in stored_sites(s), "the new site is stored")
    rows = site_dialogs.site_rows(s, manager)
    check([r for r in rows if r[0] == "Test Site"] ==
          [["Test Site", "127.0.0.1:%d" % server.port, server.user, "/incoming", "Disconnected"]],
          "the new site's row: %r" % rows)

    # Connect from the list.
    row = [r for r in s.list_view(SITE_LIST, hwnd=manager.hwnd).rows if r.texts[0] == "Test Site"][0]
    s.click(*harness.centre(row.rect))
    s.key("Return")
    s.wait_gone(hwnd=manager.hwnd)
    connected = "Connected to Test Site (127.0.0.1:%d) as %s" % (server.port, server.user)
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == connected, 30, "the status %r" % connected)

    # The connected row: Reconnect, no Delete; Disconnect Site ends the connection.
    s.key("ctrl+m")
    manager = site_dialogs.window_with(s, "Site Manager", SITE_LIST)
    row = [r for r in s.list_view(SITE_LIST, hwnd=manager.hwnd).rows if r.texts[0] == "Test Site"][0]
    check_equal(row.texts[4], "Connected", "the connected row's status")
    s.click(*harness.centre(row.rect))
    harness.wait_until(lambda: s.control(1, hwnd=manager.hwnd).text == "Reconnect" or None, 10, "OK reads Reconnect")
    check(not s.control(404, hwnd=manager.hwnd).enabled, "the connected site cannot be deleted")
    s.screenshot("connected-row")
    s.click(*harness.centre(row.rect), button=3)
    s.wait_window(cls="#32768")
    entries = [(e.text, "grayed" in e.flags) for e in s.menu(cls="#32768")
               if "separator" not in e.flags]
    check_equal([text for text, _ in entries], ["Reconnect", "Disconnect", "Add Site", "Site Properties", "Delete Site"],
                "the connected row's context menu")
    check_equal(dict(entries)["Delete Site"], True, "Delete Site is disabled in the menu")
    s.key("Escape")
    s.wait_gone(cls="#32768")
    s.key("alt+i")
    harness.wait_until(lambda: [r for r in site_dialogs.site_rows(s, manager) if r[0] == "Test Site"][0][4] ==
                       "Disconnected" or None, 10, "the row disconnected")

    # Rename it in Site Properties.
    s.key("alt+p")
    sheet = site_dialogs.window_with(s, "Site Properties", 411)
    check_equal(s.control(1, hwnd=sheet.hwnd).text, "Save Site", "the sheet's OK for a saved site")
    check_equal(s.control(411, hwnd=sheet.hwnd).text, "127.0.0.1", "the server field")
    check_equal(s.control(412, hwnd=sheet.hwnd).text, str(server.port), "the port field")
    site_dialogs.open_advanced_page(s, sheet)
    check_equal(s.control(424, hwnd=sheet.hwnd).text, "/incoming", "the remote folder as stored")
    s.key("ctrl+a")
    s.type("Renamed Site")
    s.key("Return")
    result, steps, report, folder = site_dialogs.read_test_result(s)
    site_dialogs.close_test_result(s, result)
    s.wait_gone(hwnd=sheet.hwnd)
    labels = [r[0] for r in site_dialogs.site_rows(s, manager)]
    check("Renamed Site" in labels and "Test Site" not in labels, "the renamed row: %r" % labels)
    stored = stored_sites(s)
    check("Renamed Site" in stored and "Test Site" not in stored, "the store after renaming: %r" % stored)

    # Delete it: asked first, then gone from the list and the store.
    row = [r for r in s.list_view(SITE_LIST, hwnd=manager.hwnd).rows if r.texts[0] == "Renamed Site"][0]
    s.click(*harness.centre(row.rect))
    s.key("alt+d")
    site_dialogs.answer_prompt(s, "Confirm Delete")
    harness.wait_until(lambda: len(site_dialogs.site_rows(s, manager)) == 1 or None, 10, "one row left")
    check("Renamed Site" not in stored_sites(s), "the deleted site is gone from the store")
    s.key("Escape")
    s.wait_gone(hwnd=manager.hwnd)
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-site-manager", timeout=110)
