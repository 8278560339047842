#!/usr/bin/python3
"""Bookmarks as a user keeps them: with the pane in a folder, "New Bookmark..."
from the pane's bookmark menu opens "Add Bookmark" on that folder (OK with
an empty field keeps the dialog open), and the bookmark in the menu later
brings the pane back there: the path box and the rows show the folder. The
menus open from the toolbar buttons with the mouse and from Ctrl+B and
Ctrl+Shift+B. "Remove Bookmark" deletes the selected row after asking; the
registry keeps the rest from "0". A site labelled "Quick Connection" is
refused bookmarks. Tab walks from the local pane through the path box to its
Go button; a folder opened from the path box hands the focus to its list."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import centre, check, check_equal  # noqa: E402

MENU_ENTRIES = ["New Bookmark...", "Remove Bookmark..."]


def rows(s, main, list_id):
    return sorted(r.texts[0] for r in s.list_view(list_id, hwnd=main.hwnd).rows)


def wait_folder(s, main, box, folder, list_id, names, what):
    harness.wait_until(lambda: s.control(box, hwnd=main.hwnd).text == folder and rows(s, main, list_id) == names, 15,
                       "%s: %s with %r (shown: %r, %r)" % (what, folder, names, s.control(box, hwnd=main.hwnd).text,
                                                            rows(s, main, list_id)))


def open_menu(s):
    s.wait_window(cls="#32768")
    return [(e.text, "grayed" in e.flags or "disabled" in e.flags) for e in s.menu(cls="#32768")
            if "separator" not in e.flags]


def button_rect(s, main, toolbar, label):
    return [b for b in s.toolbar(toolbar, hwnd=main.hwnd) if b.text == label][0].rect


def click_button(s, main, toolbar, label):
    s.click(*centre(button_rect(s, main, toolbar, label)))


def check_menu_at(s, corner, what):
    menu = s.wait_window(cls="#32768")
    check_equal(menu.rect[:2], corner, "the top left corner of the menu opened %s" % what)


def add_bookmark(s, expected_field, browse_shown):
    """Down and Return on the open menu's first entry ("New Bookmark..."), then Add."""
    s.key("Down", "Return")
    dialog = s.wait_window(title="Add Bookmark")
    controls = {c.id: c for c in s.controls(hwnd=dialog.hwnd)}
    check_equal(controls[810].text, expected_field, "the Add Bookmark field")
    check_equal(controls[811].visible, browse_shown, "the \"...\" button shown")
    check_equal(controls[1].text, "Add", "the OK button's text")
    return dialog


def visible_tips(s):
    return [w for w in s.windows(cls="tooltips_class32") if w.visible]


def bookmarks(s, side):
    settings = s.registry_values("Settings")
    key = "FTPAccounts\\%s\\%s\\0\\%sBookmarks" % (settings["Current"], settings["CurrentServer"], side)
    return s.registry_values(key)


def test(s):
    server = s.server("vsftpd")
    os.mkdir(os.path.join(server.root, "docs"))
    for path in ("docs/manual.pdf", "readme.txt"):
        with open(os.path.join(server.root, path), "wb") as f:
            f.write(b"x" * 100)
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    os.mkdir(os.path.join(s.work, "photos"))
    for path in ("photos/cat.jpg", "list.txt"):
        with open(os.path.join(s.work, path), "wb") as f:
            f.write(b"y" * 100)
    for label in ("Bookmark Site", "Quick Connection"):
        tarnwick_gui.save_site(s, label, "127.0.0.1:%d" % server.port, server.user, server.password)
    work = harness.windows_path(s.work)

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    check(s.menu(cls="#32768")[0].text.startswith("Bookmark Site"), "the first site of the menu")
    s.key("Down", "Return")
    wait_folder(s, main, 109, "/", 102, ["docs", "readme.txt"], "the remote list connected")

    # The keyboard starts in the local pane; Tab goes on to the path box and its Go button.
    check_equal(tarnwick_gui.focused(s, main), 1, "the focus at the start (the local pane's list)")
    s.key("Tab")
    check_equal(tarnwick_gui.focused(s, main), 106, "the focus after Tab")
    s.key("Tab")
    check_equal(tarnwick_gui.focused(s, main), 112, "the focus after a second Tab")

    s.click_control(106, hwnd=main.hwnd)
    s.key("ctrl+a")
    s.type(work)
    s.key("Return")
    wait_folder(s, main, 106, work, 1, ["list.txt", "photos"], "the local pane on the test's folder")
    check_equal(tarnwick_gui.focused(s, main), 1, "the focus once the typed folder is open (its list)")

    # A local bookmark from the toolbar button; an empty field is refused in place.
    click_button(s, main, 211, "Local Bookmarks")
    check_menu_at(s, centre(button_rect(s, main, 211, "Local Bookmarks")), "with the mouse")
    check_equal(open_menu(s), [(MENU_ENTRIES[0], False), (MENU_ENTRIES[1], True)], "the empty local menu")
    dialog = add_bookmark(s, work, True)
    balloons = len(visible_tips(s))
    s.key("ctrl+a", "BackSpace", "Return")
    harness.wait_until(lambda: len(visible_tips(s)) == balloons + 1, 5, "a balloon on the empty field")
    s.key("Return")
    time.sleep(0.3)
    check_equal(len(visible_tips(s)), balloons + 1, "balloons after a second Return on the empty field")
    check(s.windows(hwnd=dialog.hwnd), "the dialog stays open on an empty field")
    s.screenshot("empty-field")
    s.type(work)
    check_equal(len(visible_tips(s)), balloons, "balloons shown once typing starts")
    s.key("Return")
    s.wait_gone(hwnd=dialog.hwnd)
    check_equal(bookmarks(s, "Local"), {"0": work}, "the local bookmarks stored")

    # Elsewhere, the bookmark from Ctrl+B brings the pane back.
    row = [r for r in s.list_view(1, hwnd=main.hwnd).rows if r.texts[0] == "photos"][0]
    s.double_click(*centre(row.rect))
    wait_folder(s, main, 106, work + "\\photos", 1, ["cat.jpg"], "the local pane in photos")
    s.key("ctrl+b")
    left, _, _, bottom = button_rect(s, main, 211, "Local Bookmarks")
    check_menu_at(s, (left, bottom), "with Ctrl+B")
    check_equal(open_menu(s), [(work, False), (MENU_ENTRIES[0], False), (MENU_ENTRIES[1], False)],
                "the local menu with its bookmark")
    s.screenshot("local-menu")
    s.key("Down", "Return")
    wait_folder(s, main, 106, work, 1, ["list.txt", "photos"], "the local pane after the bookmark")

    # Two remote bookmarks: /docs from the button, / from Ctrl+Shift+B.
    row = [r for r in s.list_view(102, hwnd=main.hwnd).rows if r.texts[0] == "docs"][0]
    s.double_click(*centre(row.rect))
    wait_folder(s, main, 109, "/docs", 102, ["manual.pdf"], "the remote list in /docs")
    click_button(s, main, 212, "Remote Bookmarks")
    open_menu(s)
    dialog = add_bookmark(s, "/docs", False)
    s.screenshot("remote-add")
    s.key("Return")
    s.wait_gone(hwnd=dialog.hwnd)
    click_button(s, main, 212, "Up")
    wait_folder(s, main, 109, "/", 102, ["docs", "readme.txt"], "the remote list back in /")
    s.key("ctrl+shift+b")
    check_equal(open_menu(s), [("/docs", False), (MENU_ENTRIES[0], False), (MENU_ENTRIES[1], False)],
                "the remote menu with one bookmark")
    s.key("Down")
    dialog = add_bookmark(s, "/", False)
    s.key("Return")
    s.wait_gone(hwnd=dialog.hwnd)
    check_equal(bookmarks(s, "Remote"), {"0": "/docs", "1": "/"}, "the remote bookmarks stored")

    s.key("ctrl+shift+b")
    open_menu(s)
    s.key("Down", "Return")
    wait_folder(s, main, 109, "/docs", 102, ["manual.pdf"], "the remote list after the bookmark")

    # Remove Bookmark: the last entry of the menu; Delete asks first.
    s.key("ctrl+shift+b")
    open_menu(s)
    s.key("Up", "Return")
    dialog = s.wait_window(title="Remove Bookmark")
    listed = s.list_view(820, hwnd=dialog.hwnd)
    check_equal([r.texts[0] for r in listed.rows], ["/docs", "/"], "the rows of Remove Bookmark")
    check_equal([c.text for c in listed.columns], ["Path"], "its column")
    check(not s.control(821, hwnd=dialog.hwnd).enabled, "Delete waits for a selected row")
    s.click(*centre(listed.rows[0].rect))
    harness.wait_until(lambda: s.control(821, hwnd=dialog.hwnd).enabled, 5, "Delete enabled for the selected row")
    s.click_control(821, hwnd=dialog.hwnd)
    confirm = s.wait_window(title="Confirm Delete")
    s.screenshot("confirm-delete")
    s.key("Return")
    s.wait_gone(hwnd=confirm.hwnd)
    harness.wait_until(lambda: [r.texts[0] for r in s.list_view(820, hwnd=dialog.hwnd).rows] == ["/"], 5,
                       "the row left in Remove Bookmark")
    s.screenshot("removed")
    s.click_control(1, hwnd=dialog.hwnd)
    s.wait_gone(hwnd=dialog.hwnd)
    check_equal(bookmarks(s, "Remote"), {"0": "/"}, "the remote bookmarks after Delete")

    # A site labelled "Quick Connection" keeps no bookmarks.
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    sites = [e.text for e in s.menu(cls="#32768") if "separator" not in e.flags]
    quick = [i for i, text in enumerate(sites) if text.startswith("Quick Connection")][0]
    s.key(*(["Down"] * (quick + 1) + ["Return"]))
    s.wait_window(title="Disconnect Confirm")
    s.key("Return")
    harness.wait_until(lambda: s.registry_values("Settings").get("Current") == "Quick Connection", 30,
                       "the Quick Connection site current")
    wait_folder(s, main, 109, "/", 102, ["docs", "readme.txt"], "the remote list of the Quick Connection site")
    s.key("ctrl+b")
    open_menu(s)
    add_bookmark(s, s.control(106, hwnd=main.hwnd).text, True)
    s.key("Return")
    refusal = s.wait_window(title="Cannot add bookmark")
    s.screenshot("quick-connection")
    s.key("Return")
    s.wait_gone(hwnd=refusal.hwnd)
    check_equal(bookmarks(s, "Local"), {}, "local bookmarks of the Quick Connection site")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-bookmarks", timeout=90)
