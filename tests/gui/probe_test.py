#!/usr/bin/python3
"""Self-test of ui-probe against ui-probe-fixture: an owner-data list view read
row by row from another process, a tree view, a combo box, the status bar and
the menu, and that a click on a row's rectangle selects that row."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import centre, check, check_equal  # noqa: E402

TITLE = "ui-probe fixture"
ROWS = 120


def expected_row(i):
    return ["item %d" % i, str(i * i), "Zeile-\u00e4\u00f6\u00fc %d" % i]


def test(s):
    fixture = s.start("ui-probe-fixture.exe", str(ROWS))
    s.wait_window(title=TITLE)
    s.screenshot("opened")

    listing = s.list_view(300, title=TITLE)
    check_equal([c.text for c in listing.columns], ["Name", "Square", "Word"], "column headers")
    check_equal(listing.count, ROWS, "row count")
    check_equal([r.texts for r in listing.rows], [expected_row(i) for i in range(ROWS)], "rows of the owner-data list")
    check_equal(listing.selected, 0, "selected rows before the click")

    # The third row's rectangle, clicked, selects and focuses just that row.
    s.click(*centre(listing.rows[2].rect))
    listing = harness.wait_until(lambda: (lambda l: l if l.selected == 1 else None)(s.list_view(300, title=TITLE)),
                                 5, "a selected row")
    check_equal([r.index for r in listing.rows if r.selected], [2], "selected rows after the click")
    check_equal(listing.focused, 2, "focused row")
    check(listing.rows[2].focused, "the row flags show the focus")
    s.screenshot("row-clicked")

    tree = s.tree_view(301, title=TITLE)
    check_equal([(t.depth, t.text) for t in tree],
                [(0, "Root"), (1, "Child 0"), (2, "Leaf 0.0"), (2, "Leaf 0.1"), (1, "Child 1")], "tree items")
    check_equal([t.expanded for t in tree], [True, False, False, False, False], "expanded tree items")

    combo = s.combo_box(302, title=TITLE)
    check_equal((combo.entries, combo.selected, combo.text), (["one", "two", "three"], 1, "two"), "combo box")
    check_equal(s.status_parts(title=TITLE), ["rows: %d" % ROWS, "fixture"], "status bar parts")

    menu = {e.text: e for e in s.menu(title=TITLE)}
    check_equal(sorted(menu), ["", "&Add row", "&Flag", "&Nothing", "&Rows"], "menu entries")
    check("grayed" in menu["&Nothing"].flags and "checked" not in menu["&Flag"].flags, "menu states at the start")

    # The menu from the keyboard adds a row; a posted command toggles the check mark.
    s.key("alt+r", "a")
    harness.wait_until(lambda: s.status_parts(title=TITLE)[0] == "rows: %d" % (ROWS + 1), 5, "the added row")
    listing = s.list_view(300, title=TITLE)
    check_equal((listing.count, listing.rows[-1].texts), (ROWS + 1, expected_row(ROWS)), "the list after Add row")
    s.send_command(menu["&Flag"].id, title=TITLE)
    harness.wait_until(lambda: "checked" in [e for e in s.menu(title=TITLE) if e.text == "&Flag"][0].flags, 5,
                       "the check mark of Flag")
    s.screenshot("row-added")

    s.probe("--title", TITLE, "close")
    s.wait_gone(title=TITLE)
    check_equal(fixture.wait(10), 0, "the fixture's exit code")


if __name__ == "__main__":
    harness.main(test, "probe", timeout=60)
