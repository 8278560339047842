#!/usr/bin/python3
"""The remote side as a user works it against vsftpd: upload with
Ctrl+U, with the Upload button and by dragging a file onto the remote list,
download by dragging a remote row onto the local pane, then New Folder,
in-place rename (F2) and Delete with its question, each checked on the
server's disk; and the remote list sorted by each visible column, twice."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import centre, check, check_equal  # noqa: E402

SITE = "Commands Site"
REMOTE, LOCAL = 102, 1


def remote_names(s, main):
    return [r.texts[0] for r in s.list_view(REMOTE, hwnd=main.hwnd).rows]


def wait_remote(s, main, condition, what):
    return harness.wait_until(lambda: condition(remote_names(s, main)), 20, what)


def check_sorting(s, main):
    """Each visible column's header sorts the files by it, and a second click turns the order round.
    Folders stay above the files either way."""
    listing = s.list_view(REMOTE, hwnd=main.hwnd)
    box = s.control(REMOTE, hwnd=main.hwnd).rect
    expected = {  # the files' order by each column, ascending
        "Name": sorted(SORT_FILES, key=str.lower),
        "Size": sorted(SORT_FILES, key=lambda n: SORT_FILES[n][0]),
        "Date modified": sorted(SORT_FILES, key=lambda n: SORT_FILES[n][1]),
        "Permissions": sorted(SORT_FILES, key=lambda n: PERMISSION_TEXT[SORT_FILES[n][2]]),
    }
    left = box[0] + 2
    for column in listing.columns:
        if column.width <= 0:
            left += max(column.width, 0)
            continue
        # A narrow list scrolls sideways: the click goes to the part of the
        # header that shows.
        header = (min(left + column.width // 2, box[2] - 24), box[1] + 10)
        left += column.width
        if column.text not in expected:
            continue
        check_equal(header[0] > left - column.width, True, "the %s header within the list" % column.text)
        orders = []
        for click in range(2):
            s.click(*header)
            time.sleep(0.7)  # two clicks closer together would be a double click
            rows = s.list_view(REMOTE, hwnd=main.hwnd).rows
            names = [r.texts[0] for r in rows]
            files = [n for n in names if n in SORT_FILES]
            check_equal(names.index("sub folder") < names.index(files[0]), True,
                        "the folder above the files when sorted by %s" % column.text)
            orders.append(files)
        ascending, descending = orders
        if ascending != expected[column.text]:
            ascending, descending = descending, ascending  # the column was already the sort column
        check_equal(ascending, expected[column.text], "files sorted up by %s" % column.text)
        check_equal(descending, list(reversed(expected[column.text])), "files sorted down by %s" % column.text)
    s.screenshot("sorted")


SORT_FILES = {  # name: (size, modified, mode)
    "b-middle.txt": (5000, 1600000000, 0o644),
    "A-first.txt": (20000, 1500000000, 0o600),
    "c-last.bin": (1000, 1700000000, 0o755),
}
PERMISSION_TEXT = {0o644: "-rw-r--r--", 0o600: "-rw-------", 0o755: "-rwxr-xr-x"}


def test(s):
    server = s.server("vsftpd")
    for name, (size, modified, mode) in SORT_FILES.items():
        path = os.path.join(server.root, name)
        with open(path, "wb") as f:
            f.write(b"s" * size)
        os.chmod(path, mode)
        os.utime(path, (modified, modified))
    os.mkdir(os.path.join(server.root, "sub folder"))
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")

    local = os.path.join(s.work, "local")
    os.makedirs(os.path.join(local, "tree", "inner"))
    sent = {"keyed.txt": os.urandom(3000), "dragged.bin": os.urandom(5000), "clicked.txt": b"by the button"}
    for name, content in sent.items():
        with open(os.path.join(local, name), "wb") as f:
            f.write(content)
    with open(os.path.join(local, "tree", "inner", "deep.txt"), "wb") as f:
        f.write(b"four levels down")
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    tarnwick_gui.connect_from_site_menu(s, main, SITE, server, len(SORT_FILES) + 1)
    tarnwick_gui.go_local(s, main, local)
    tarnwick_gui.wait_rows(s, main, LOCAL, 4, "the local folder's entries")

    check_sorting(s, main)

    # Ctrl+U uploads the selected local file.
    tarnwick_gui.click_row(s, main, LOCAL, "keyed.txt")
    s.key("ctrl+u")
    wait_remote(s, main, lambda names: "keyed.txt" in names, "keyed.txt in the remote list")
    harness.wait_until(lambda: open(os.path.join(server.root, "keyed.txt"), "rb").read() == sent["keyed.txt"], 10,
                       "keyed.txt's bytes on the server")

    # The Upload button sends a whole folder with what is inside it.
    tarnwick_gui.click_row(s, main, LOCAL, "tree")
    s.click_control(103, hwnd=main.hwnd)
    deep = os.path.join(server.root, "tree", "inner", "deep.txt")
    harness.wait_until(lambda: os.path.exists(deep) and open(deep, "rb").read() == b"four levels down", 20,
                       "a file inside the uploaded folder on the server")
    wait_remote(s, main, lambda names: "tree" in names, "the uploaded folder in the remote list")

    # A local file dragged onto the remote list is uploaded.
    dragged = [r for r in s.list_view(LOCAL, hwnd=main.hwnd).rows if r.texts[0] == "dragged.bin"][0]
    box = s.control(REMOTE, hwnd=main.hwnd).rect
    s.drag(centre(dragged.rect), (box[0] + 60, box[3] - 20))
    harness.wait_until(lambda: os.path.exists(os.path.join(server.root, "dragged.bin")) and
                       os.path.getsize(os.path.join(server.root, "dragged.bin")) == 5000, 20,
                       "the dragged file on the server")
    wait_remote(s, main, lambda names: "dragged.bin" in names, "the dragged file in the remote list")
    s.screenshot("uploaded")

    # A remote row dragged onto the local pane is downloaded.
    row = [r for r in s.list_view(REMOTE, hwnd=main.hwnd).rows if r.texts[0] == "b-middle.txt"][0]
    pane = s.control(LOCAL, hwnd=main.hwnd).rect
    s.drag(centre(row.rect), (pane[0] + 60, pane[3] - 20), steps=20, hold=3)
    fetched = os.path.join(local, "b-middle.txt")
    harness.wait_until(lambda: os.path.exists(fetched) and os.path.getsize(fetched) == 5000, 20,
                       "the dragged remote file in the local folder")

    # New Folder from the remote toolbar.
    tarnwick_gui.click_toolbar(s, main, 212, "New Folder")
    tarnwick_gui.type_answer(s, "New Folder", "made here")
    harness.wait_until(lambda: os.path.isdir(os.path.join(server.root, "made here")), 20, "the new remote folder")
    wait_remote(s, main, lambda names: "made here" in names, "the new folder in the remote list")

    # F2 renames the focused remote file in place.
    tarnwick_gui.click_row(s, main, REMOTE, "keyed.txt")
    s.key("F2")
    time.sleep(0.5)
    s.key("ctrl+a")
    s.type("renamed.txt")
    s.key("Return")
    harness.wait_until(lambda: os.path.exists(os.path.join(server.root, "renamed.txt")), 20, "the renamed remote file")
    check(not os.path.exists(os.path.join(server.root, "keyed.txt")), "the old name is gone from the server")
    wait_remote(s, main, lambda names: "renamed.txt" in names and "keyed.txt" not in names,
                "the new name in the remote list")

    # Delete asks first; the answer Delete removes the file and the folder tree.
    tarnwick_gui.click_row(s, main, REMOTE, "renamed.txt")
    s.key("Delete")
    text = tarnwick_gui.answer(s, "Confirm Delete", "Delete")
    check("renamed.txt" in text or "delete" in text.lower(), "the question names what is deleted: %r" % text)
    harness.wait_until(lambda: not os.path.exists(os.path.join(server.root, "renamed.txt")), 20,
                       "the deleted remote file gone")
    wait_remote(s, main, lambda names: "renamed.txt" not in names, "the deleted file gone from the remote list")
    tarnwick_gui.click_row(s, main, REMOTE, "tree")
    s.key("Delete")
    tarnwick_gui.answer(s, "Confirm Delete", "Delete")
    harness.wait_until(lambda: not os.path.exists(os.path.join(server.root, "tree")), 20, "the remote tree deleted")
    wait_remote(s, main, lambda names: "tree" not in names and "renamed.txt" not in names,
                "the remote list after the deletes")
    s.screenshot("after-commands")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-remote-commands", timeout=110)
