#!/usr/bin/python3
"""The main window at 150% and 200% scaling, connected with both panes
filled: the window fits the 1280 x 800 screen, the controls lie inside it and
none covers another, the rows and toolbars grew with the scaling, and the
remote columns fill their list."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

SITE = "Scaled Site"
SCREEN = (0, 0, 1280, 800)


def inside(inner, outer):
    return inner[0] >= outer[0] and inner[1] >= outer[1] and inner[2] <= outer[2] and inner[3] <= outer[3]


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_layout(s, main, dpi):
    window = s.windows(hwnd=main.hwnd)[0]
    check(inside(window.rect, SCREEN), "the window fits the screen at %d dpi: %r" % (dpi, window.rect))
    children = [c for c in s.controls(hwnd=main.hwnd) if c.parent == main.hwnd and c.visible
                and c.rect[2] > c.rect[0] and c.rect[3] > c.rect[1]]
    for c in children:
        check(inside(c.rect, window.rect), "control %d (%s) inside the window at %d dpi: %r" %
              (c.id, c.cls, dpi, c.rect))
    for i, a in enumerate(children):
        for b in children[i + 1:]:
            check(not overlap(a.rect, b.rect), "controls %d (%s) and %d (%s) overlap at %d dpi: %r %r" %
                  (a.id, a.cls, b.id, b.cls, dpi, a.rect, b.rect))
    remote = s.list_view(102, hwnd=main.hwnd)
    box = s.control(102, hwnd=main.hwnd).rect
    filled = sum(c.width for c in remote.columns)
    check(filled >= (box[2] - box[0]) * 0.85, "the remote columns fill their list at %d dpi: %d of %d pixels" %
          (dpi, filled, box[2] - box[0]))
    rows = remote.rows
    row_height = rows[0].rect[3] - rows[0].rect[1]
    button = [b for b in s.toolbar(210, hwnd=main.hwnd) if not b.separator][0]
    return row_height, button.rect[3] - button.rect[1]


def test(s):
    server = s.server("vsftpd")
    for i in range(12):
        with open(os.path.join(server.root, "remote file %02d.txt" % i), "wb") as f:
            f.write(b"r" * (i * 700))
    os.mkdir(os.path.join(server.root, "a folder"))
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    local = os.path.join(s.work, "local")
    os.makedirs(local)
    for i in range(8):
        with open(os.path.join(local, "local file %02d.txt" % i), "wb") as f:
            f.write(b"l" * (i * 900))
    tarnwick_gui.save_site(s, SITE, "127.0.0.1:%d" % server.port, server.user, server.password)

    sizes = {}
    for dpi in (96, 144, 192):
        s.set_dpi(dpi)
        program = s.start("tarnwick.exe")
        main = tarnwick_gui.wait_main_window(s)
        tarnwick_gui.connect_from_site_menu(s, main, SITE, server, 13)
        tarnwick_gui.go_local(s, main, local)
        tarnwick_gui.wait_rows(s, main, 1, 8, "the local files")
        sizes[dpi] = check_layout(s, main, dpi)
        s.screenshot("scaled-%d" % (dpi * 100 // 96))
        tarnwick_gui.close_with_alt_f4(s, program, main)
    for dpi in (144, 192):
        check(sizes[dpi][0] >= sizes[96][0] * dpi / 96 * 0.8, "list rows grew at %d dpi: %r" % (dpi, sizes))
        # The toolbars' system images come in two sizes only, 16 and 24 pixels.
        check(sizes[dpi][1] >= sizes[96][1] * 1.3, "toolbar buttons grew at %d dpi: %r" % (dpi, sizes))


if __name__ == "__main__":
    harness.main(test, "tarnwick-scaling", timeout=110)
