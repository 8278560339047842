#!/usr/bin/python3
"""The filter bars as a user works them: "Show Filters" from the Tools menu
shows both bars; a filter typed into each pane's box and applied (the Apply
button on the local side, Enter on the remote side) leaves only the files
whose names contain it, with every folder; "[None]" chosen from the local
box's list lists everything again. The filter texts are stored when the
window closes and fill the boxes again at the next start."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

FILES = ["notes.txt", "TXT-readme", "notes.tx", "report.bin"]
FOLDER = "sub"
FIXED = ["[None]", "[New]", "[Clear All]"]


def make_tree(root):
    for name in FILES:
        with open(os.path.join(root, name), "wb") as f:
            f.write(b"data of " + name.encode())
    os.mkdir(os.path.join(root, FOLDER))


def rows(s, main, list_id):
    return [r.texts[0] for r in s.list_view(list_id, hwnd=main.hwnd).rows]


def wait_rows(s, main, list_id, expected, what):
    harness.wait_until(lambda: sorted(rows(s, main, list_id)) == sorted(expected), 15,
                       "%s: %r (shown: %r)" % (what, sorted(expected), rows(s, main, list_id)))


def test(s):
    server = s.server("vsftpd")
    make_tree(server.root)
    check_equal(s.ask("own %s" % server.id), "ok", "giving the files to the server's user")
    make_tree(s.work)
    tarnwick_gui.save_site(s, "Filter Site", "127.0.0.1:%d" % server.port, server.user, server.password)
    everything = FILES + [FOLDER]

    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check(not s.control(121, hwnd=main.hwnd).visible, "the filter bars are hidden at first")
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    s.key("Down", "Return")
    wait_rows(s, main, 102, everything, "the server's folder in the remote list")
    s.click_control(106, hwnd=main.hwnd)
    s.key("ctrl+a")
    s.type(harness.windows_path(s.work))
    s.key("Return")
    wait_rows(s, main, 1, everything, "the test's folder in the local pane")

    # Tools > Show Filters from the keyboard.
    s.key("F10", "Right", "Right", "Right", "Down")
    s.wait_window(cls="#32768")
    entries = [e.text for e in s.menu(cls="#32768") if "separator" not in e.flags]
    check_equal(entries[1], "Show Filters", "the second entry of the Tools menu")
    s.key("Down", "Return")
    harness.wait_until(lambda: all(s.control(i, hwnd=main.hwnd).visible for i in (121, 122, 123, 124, 125, 126)), 10,
                       "both filter bars shown")
    check_equal(s.combo_box(121, hwnd=main.hwnd).entries, FIXED, "the local filter box's entries at first")
    s.screenshot("filters-shown")
    # From the path box, Tab reaches the Go button, the filter box and its two buttons.
    s.click_control(106, hwnd=main.hwnd)
    for expected in (112, 121, 122, 125):
        s.key("Tab")
        check_equal(tarnwick_gui.focused(s, main), expected, "the focus after Tab")

    # The local filter through its Apply button.
    s.click_control(121, hwnd=main.hwnd)
    s.type("TXT")
    s.click_control(122, hwnd=main.hwnd)
    wait_rows(s, main, 1, ["notes.txt", "TXT-readme", FOLDER], "the local pane filtered by TXT")
    check_equal(s.combo_box(121, hwnd=main.hwnd).entries, ["TXT"] + FIXED, "the local box after Apply")
    check_equal(sorted(rows(s, main, 102)), sorted(everything), "the remote list keeps its rows")

    # The remote filter with Enter in its box.
    s.click_control(123, hwnd=main.hwnd)
    s.type(".B")
    s.key("Return")
    wait_rows(s, main, 102, ["report.bin", FOLDER], "the remote list filtered by .B")
    check_equal(s.combo_box(123, hwnd=main.hwnd).entries, [".B"] + FIXED, "the remote box after Enter")
    s.screenshot("both-filtered")

    # "[None]" chosen from the local box's list lists everything again.
    s.click_control(121, hwnd=main.hwnd)
    s.key("F4")
    s.key("Down", "Return")
    harness.wait_until(lambda: s.combo_box(121, hwnd=main.hwnd).text == "[None]", 10, "[None] in the local box")
    s.click_control(122, hwnd=main.hwnd)
    wait_rows(s, main, 1, everything, "the local pane after [None]")
    check_equal(s.combo_box(121, hwnd=main.hwnd).text, "", "the local box's text after [None]")
    s.screenshot("local-none")

    tarnwick_gui.close_with_alt_f4(s, program, main)
    check_equal(s.registry_values("Settings\\FileFilters\\LocalFilters"), {"Count": "1", "0": "TXT"},
                "the local filters stored at exit")
    check_equal(s.registry_values("Settings\\FileFilters\\RemoteFilters"), {"Count": "1", "0": ".B"},
                "the remote filters stored at exit")

    # The next start shows the bars again with the stored texts, and nothing filtered.
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    check(s.control(121, hwnd=main.hwnd).visible, "the filter bars are shown at the second start")
    check_equal([e.text for e in s.menu(hwnd=main.hwnd) if e.id == 1008], ["Hide Filters"],
                "the Tools menu's entry while the bars are shown")
    check_equal(s.combo_box(121, hwnd=main.hwnd).entries, ["TXT"] + FIXED, "the local box at the second start")
    check_equal(s.combo_box(123, hwnd=main.hwnd).entries, [".B"] + FIXED, "the remote box at the second start")
    s.screenshot("restarted")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-filters", timeout=90)
