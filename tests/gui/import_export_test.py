#!/usr/bin/python3
"""Sites and settings through the Import/Export menu: the "Site Export" list
with Select All writes both saved sites to a file picked in "Export Sites to
File..."; the folder is remembered, so later dialogs take a bare file name.
Exporting over that file asks first and Cancel keeps the list open. The
sites are deleted, imported back through "Open file to import..." and the
imported site connects to the real server. Settings go out through "Export
Settings to File...", come in through "Import Settings from File...", and a
file without sites or settings gets its "Bad Format" message."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

EXPORT_SETTINGS, IMPORT_SETTINGS, EXPORT_SITES, IMPORT_SITES = 1010, 1011, 1012, 1013
EXPORT_LIST, SELECT_ALL = 650, 651
SITE = "Export Site"


def pick_file(s, main, command, title, name):
    """Runs the menu command and types name into its file dialog."""
    s.send_command(command, hwnd=main.hwnd)
    dialog = s.wait_window(title=title)
    s.type(name)
    s.key("Return")
    return dialog


def answer_box(s, text, key):
    box = harness.wait_until(lambda: tarnwick_gui.message_box(s, text), 15, repr(text))
    s.key(key)
    s.wait_gone(hwnd=box.hwnd)


def test(s):
    server = s.server("vsftpd")
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)
    tarnwick_gui.save_idle_site(s)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)

    s.send_command(EXPORT_SITES, hwnd=main.hwnd)
    export = s.wait_window(title="Site Export")
    listed = s.list_view(EXPORT_LIST, hwnd=export.hwnd)
    check_equal([c.text for c in listed.columns], ["Site Label", "FTP Server", "User Name", "Directory"], "columns")
    check_equal(sorted(r.texts[0] for r in listed.rows), sorted([SITE, "Smoke Site"]), "the listed sites")
    check_equal([r.index for r in listed.rows if r.selected], [0], "the first row selected")
    texts = {c.id: c.text for c in s.controls(hwnd=export.hwnd)}
    check_equal([texts[i] for i in (SELECT_ALL, 1, 2, 9)], ["Select &All", "&Export...", "Close", "Help"], "buttons")
    tarnwick_gui.painted_screenshot(s, "site-export-100")
    s.key("alt+a")
    harness.wait_until(lambda: s.list_view(EXPORT_LIST, hwnd=export.hwnd).selected == 2, 10, "both rows selected")
    s.key("alt+e")
    s.wait_window(title="Export Sites to File...")
    tarnwick_gui.painted_screenshot(s, "export-sites-file-dialog")
    s.type(harness.windows_path(os.path.join(s.work, "sites")))
    s.key("Return")
    s.wait_gone(hwnd=export.hwnd)
    path = os.path.join(s.work, "sites.txt")
    with open(path, "rb") as f:
        exported = f.read()
    check(("Label:%s\r\nServer:127.0.0.1:%d\r\nUsername:%s\r\nPassword:%s\r\n" %
           (SITE, server.port, server.user, server.password)).encode() in exported, "the exported record")
    check(b"Label:Smoke Site\r\n" in exported, "the second site is exported too")
    folder = s.registry_values("Settings").get("ExportImportFolder", "")
    check_equal(folder.lower(), harness.windows_path(s.work).lower(), "ExportImportFolder")

    # The same name again: the overwrite question, and Cancel keeps the list open.
    s.send_command(EXPORT_SITES, hwnd=main.hwnd)
    export = s.wait_window(title="Site Export")
    s.key("alt+e")
    s.wait_window(title="Export Sites to File...")
    s.type("sites.txt")
    s.key("Return")
    question = 'File "%s" already exists. Do you wish to overwrite it?' % harness.windows_path(path)
    box = harness.wait_until(lambda: tarnwick_gui.message_box(s, question) or
                             tarnwick_gui.message_box(s, question.replace(harness.windows_path(path),
                                                                          harness.windows_path(path).lower())),
                             15, "the overwrite question")
    s.screenshot("overwrite-question")
    s.key("Tab", "Return")  # Cancel
    s.wait_gone(hwnd=box.hwnd)
    check(s.windows(hwnd=export.hwnd), "Site Export stays open after Cancel")
    s.key("Escape")
    s.wait_gone(hwnd=export.hwnd)

    for label in (SITE, "Smoke Site"):
        code, output = s.cli("site-rm", label)
        check_equal(code, 0, "tarnwick-cli site-rm (%s)" % output.strip())
    pick_file(s, main, IMPORT_SITES, "Open file to import...", "sites.txt")
    slot = "FTPAccounts\\%s\\127.0.0.1:%d\\0" % (SITE, server.port)
    imported = harness.wait_until(lambda: s.registry_values(slot), 15, "the imported site in the store")
    check_equal(imported.get("UserName"), server.user, "the imported user")
    check("_Password" in imported, "the imported password is stored protected")
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    entries = [e.text for e in s.menu(cls="#32768") if "separator" not in e.flags]
    s.key(*["Down"] * (1 + [i for i, e in enumerate(entries) if e.startswith(SITE)][0]), "Return")
    connected = "Connected to %s (127.0.0.1:%d) as %s" % (SITE, server.port, server.user)
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == connected, 30, "the imported site connected")
    s.screenshot("imported-connected")

    # Settings out and in; files without sites or settings get their messages.
    pick_file(s, main, EXPORT_SETTINGS, "Export Settings to File...", "settings")
    harness.wait_until(lambda: os.path.exists(os.path.join(s.work, "settings.txt")), 10, "settings.txt")
    with open(os.path.join(s.work, "settings.txt"), "rb") as f:
        check_equal(f.read(), b"FtpLowerCase:0\r\nFtpNoSpaces:0\r\nFtpRetry:0\r\n", "the exported settings")
    with open(os.path.join(s.work, "mine.txt"), "wb") as f:
        f.write(b"FtpRetry:7 FtpNoSpaces:x\r\n")
    pick_file(s, main, IMPORT_SETTINGS, "Import Settings from File...", "mine.txt")
    harness.wait_until(lambda: s.registry_values("Settings").get("FtpRetry") == "1", 10, "FtpRetry imported")
    check_equal(s.registry_values("Settings").get("FtpNoSpaces"), "0", "FtpNoSpaces imported")
    with open(os.path.join(s.work, "empty.txt"), "wb") as f:
        f.write(b"nothing here\r\n")
    pick_file(s, main, IMPORT_SETTINGS, "Import Settings from File...", "empty.txt")
    answer_box(s, "No Ftp settings were found in the file.", "Return")
    pick_file(s, main, IMPORT_SITES, "Open file to import...", "empty.txt")
    box = harness.wait_until(lambda: tarnwick_gui.message_box(s, "No Ftp sites were found in the file."), 15,
                             "the no-sites message")
    s.screenshot("no-sites-found")
    s.key("Return")
    s.wait_gone(hwnd=box.hwnd)
    tarnwick_gui.close_with_alt_f4(s, program, main)

    with tarnwick_gui.screen_dpi(s, 144), tarnwick_gui.running(s) as main:
        harness.wait_until(lambda: not tarnwick_gui.busy(s, main), 30, "the start-up connection")
        s.send_command(EXPORT_SITES, hwnd=main.hwnd)
        export = s.wait_window(title="Site Export")
        tarnwick_gui.painted_screenshot(s, "site-export-150")
        s.key("Escape")
        s.wait_gone(hwnd=export.hwnd)

if __name__ == "__main__":
    harness.main(test, "tarnwick-import-export", timeout=120)
