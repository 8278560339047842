#!/usr/bin/python3
"""The installer and the uninstaller driven through their pages with the
keyboard, as a user clicks through them: the licence, the choice of users
(only for me by default), the components, the folder, the last page with
"Start Tarnwick now" unticked. The uninstaller asks whether the settings and
sites go too; answered Yes, the product's settings key goes and its
neighbour stays.

Argument: the Windows build folder; the packages are in its sibling
folder package/ (scripts/package makes them).
"""
import getpass
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from package_support import (NEIGHBOUR_KEY, PROGRAM_FILES, SETTINGS_KEY, UNINSTALL_KEY, Prefix, check,  # noqa: E402
                             check_equal, clear_leftovers, harness, listing, packages, show)


def page_texts(s, window):
    return [c.text for c in s.controls(hwnd=window.hwnd) if c.visible and c.text]


def next_page(s, window, key, expected):
    """Presses key and waits for the page whose texts include expected."""
    s.key(key)
    return harness.wait_until(lambda: expected in page_texts(s, window) and page_texts(s, window), 15,
                              "the page with %r" % expected)


def test(s):
    setup, _ = packages(s)
    prefix = Prefix(s)
    folder = "C:\\users\\%s\\AppData\\Local\\Programs\\Tarnwick" % getpass.getuser()
    menu = prefix.user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs")
    clear_leftovers(prefix, [prefix.path(folder)])

    installer = s.start(setup)
    wizard = s.wait_window(title_part="Tarnwick Setup", timeout=20)
    harness.wait_until(lambda: "License Agreement" in page_texts(s, wizard), 15, "the licence page")
    s.screenshot("licence")
    texts = next_page(s, wizard, "Return", "Choose Users")
    scope = [c for c in s.controls(hwnd=wizard.hwnd) if c.text.startswith("Only for &me")]
    check_equal(len(scope), 1, "the choice \"Only for me\"")
    check("For &all users of this computer (needs administrator rights)" in texts, "the all-users choice: %r" % texts)
    s.screenshot("users")
    next_page(s, wizard, "Return", "Choose Components")
    texts = next_page(s, wizard, "Return", "Choose Install Location")
    check(folder in texts, "the per-user folder is proposed: %r" % texts)
    s.screenshot("folder")
    next_page(s, wizard, "Return", "Start Tarnwick now")
    s.screenshot("finished")
    s.key("space", "Return")  # without starting the program
    check_equal(installer.wait(20), 0, "the installer's exit code")
    show("Installed", prefix.path(folder))
    check_equal(listing(prefix.path(folder)), sorted(PROGRAM_FILES + ["uninstall.exe"]), "installed files")
    check(os.path.exists(os.path.join(menu, "Tarnwick.lnk")), "the Start-menu shortcut")
    check(prefix.values("HKCU\\" + UNINSTALL_KEY) is not None, "the Apps & Features entry")

    check_equal(prefix.wine(prefix.path(folder + "\\tarnwick-cli.exe"), "site-add", "Wizard Site", "192.0.2.30")[0], 0,
                "tarnwick-cli site-add")
    prefix.wine("reg", "add", "HKCU\\" + NEIGHBOUR_KEY, "/v", "Marker", "/d", "stays", "/f")

    s.start(folder + "\\uninstall.exe")
    remover = s.wait_window(title_part="Tarnwick Uninstall", timeout=20)
    harness.wait_until(lambda: "Uninstall Tarnwick" in page_texts(s, remover), 15, "the uninstaller's first page")
    s.key("Return")
    question = harness.wait_until(
        lambda: [w for w in s.windows(title_part="Tarnwick Uninstall") if any(
            t.startswith("Also remove your Tarnwick settings and saved sites?") for t in page_texts(s, w))], 15,
        "the question about the settings")[0]
    s.screenshot("settings-question")
    s.key("y")
    s.wait_gone(hwnd=question.hwnd)
    harness.wait_until(lambda: "Uninstallation Complete" in page_texts(s, remover), 20, "the uninstaller's last page")
    s.key("Return")
    harness.wait_until(lambda: not s.processes("Un.exe"), 20, "the uninstaller to end")
    show("After uninstalling", prefix.path(folder))
    check(not os.path.exists(prefix.path(folder)), "the program folder is removed")
    check(not os.path.exists(os.path.join(menu, "Tarnwick.lnk")), "the Start-menu shortcut is removed")
    check(prefix.values("HKCU\\" + UNINSTALL_KEY) is None, "the Apps & Features entry is removed")
    check(prefix.values("HKCU\\" + SETTINGS_KEY) is None, "the settings key is removed")
    check_equal(prefix.values("HKCU\\" + NEIGHBOUR_KEY), {"Marker": "stays"}, "the neighbouring key")
    prefix.delete_key("HKCU\\" + NEIGHBOUR_KEY)


if __name__ == "__main__":
    harness.main(test, "package-wizard", timeout=110)
