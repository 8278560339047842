#!/usr/bin/python3
"""The release packages of scripts/package, used as a Windows user would.

The installer, silent and for the current user: the files land in
%LOCALAPPDATA%\\Programs\\Tarnwick with an entry in Apps & Features (HKCU) and a
Start-menu shortcut; tarnwick-cli --version from there prints the version;
the shortcut's target opens the main window. Its quiet uninstall string
removes every file, the shortcut and the entry, and keeps the user's settings
and sites. Installed again for all users with a desktop shortcut (Program
Files, HKLM, the public desktop), uninstalled with /S /REMOVESETTINGS: the
product's settings key goes, and nothing wider. The portable zip, unpacked
into a fresh folder, runs both programs.

Argument: the Windows build folder; the packages are in its sibling
folder package/ (scripts/package makes them).
"""
import getpass
import os
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from package_support import (NEIGHBOUR_KEY, PROGRAM_FILES, SETTINGS_KEY, UNINSTALL_KEY, Prefix, check,  # noqa: E402
                             check_cli_version, check_entry, check_equal, check_version, clear_leftovers, harness,
                             install, listing, open_and_close_window, packages, shortcut_target, show, tarnwick_gui,
                             uninstall)


def test(s):
    setup, portable = packages(s)
    check_version(setup)
    prefix = Prefix(s)
    user_dir = "C:\\users\\%s\\AppData\\Local\\Programs\\Tarnwick" % getpass.getuser()
    all_dir = "C:\\Program Files\\Tarnwick"
    user_menu = prefix.user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs")
    all_menu = os.path.join(prefix.drive_c, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs")
    public_desktop = os.path.join(prefix.drive_c, "users", "Public", "Desktop")
    user_desktop = prefix.user_folder("Desktop")
    clear_leftovers(prefix, [prefix.path(user_dir), prefix.path(all_dir)])
    for lnk in (os.path.join(user_menu, "Tarnwick.lnk"), os.path.join(all_menu, "Tarnwick.lnk"),
                os.path.join(public_desktop, "Tarnwick.lnk")):
        if os.path.exists(lnk):
            os.remove(lnk)
    tarnwick_gui.save_idle_site(s)  # on the session's scratch key: the window opens without dialogs

    # --- for the current user ---
    show("Program folder before installing", prefix.path(user_dir))
    show("Start menu before installing", user_menu)
    install(prefix, setup)
    installed = listing(prefix.path(user_dir))
    show("Installed for the current user", prefix.path(user_dir))
    show("Start menu after installing", user_menu)
    check_equal(installed, sorted(PROGRAM_FILES + ["uninstall.exe"]), "files in %s" % user_dir)
    for program in ("tarnwick.exe", "tarnwick-cli.exe"):
        check_version(os.path.join(prefix.path(user_dir), program))
    check(not os.path.exists(os.path.join(user_desktop, "Tarnwick.lnk")), "no desktop shortcut unless asked for")
    check(prefix.values("HKLM\\" + UNINSTALL_KEY) is None, "no machine-wide entry for a per-user installation")
    entry = check_entry(prefix, "HKCU", user_dir, installed)
    check_cli_version(prefix, prefix.path(user_dir))

    target = shortcut_target(os.path.join(user_menu, "Tarnwick.lnk"))
    print("Start-menu shortcut points at", target)
    check_equal(target.lower(), (user_dir + "\\tarnwick.exe").lower(), "target of the Start-menu shortcut")
    open_and_close_window(s, target, "installed")

    # The user's settings and sites, saved by the installed tool in the product's own key.
    code, output = prefix.wine(os.path.join(prefix.path(user_dir), "tarnwick-cli.exe"), "site-add", "Kept Site",
                               "192.0.2.20", "keeper", "pw")
    check_equal(code, 0, "tarnwick-cli site-add on the product key (%s)" % output.strip())
    prefix.wine("reg", "add", "HKCU\\" + NEIGHBOUR_KEY, "/v", "Marker", "/d", "stays", "/f")

    # What Apps & Features runs for a silent removal.
    program, arguments = entry["QuietUninstallString"].split('"')[1:]
    uninstall(s, prefix, program, *arguments.split())
    show("After uninstalling, the program folder", prefix.path(user_dir))
    show("After uninstalling, the Start menu", user_menu)
    check_equal(listing(prefix.path(user_dir)), [], "files left in %s" % user_dir)
    check(not os.path.exists(prefix.path(user_dir)), "the program folder is removed")
    check(not os.path.exists(os.path.join(user_menu, "Tarnwick.lnk")), "the Start-menu shortcut is removed")
    check(prefix.values("HKCU\\" + UNINSTALL_KEY) is None, "the Apps & Features entry is removed")
    sites = prefix.values("HKCU\\" + SETTINGS_KEY + "\\FTPAccounts\\Kept Site\\192.0.2.20\\0")
    check(sites is not None and sites.get("UserName") == "keeper", "the saved site is kept: %r" % (sites,))

    # --- for all users, with a desktop shortcut, removing the settings too ---
    show("Program folder before installing", prefix.path(all_dir))
    show("Start menu of all users before installing", all_menu)
    show("Public desktop before installing", public_desktop)
    install(prefix, setup, "/ALLUSERS", "/DESKTOPSHORTCUT")
    installed = listing(prefix.path(all_dir))
    show("Installed for all users", prefix.path(all_dir))
    show("Public desktop after installing", public_desktop)
    check_equal(installed, sorted(PROGRAM_FILES + ["uninstall.exe"]), "files in %s" % all_dir)
    check_equal(listing(prefix.path(user_dir)), [], "nothing in the per-user folder")
    for folder in (all_menu, public_desktop):
        target = shortcut_target(os.path.join(folder, "Tarnwick.lnk"))
        check_equal(target.lower(), (all_dir + "\\tarnwick.exe").lower(), "target of the shortcut in %s" % folder)
    check(prefix.values("HKCU\\" + UNINSTALL_KEY) is None, "no per-user entry for an all-users installation")
    check_entry(prefix, "HKLM", all_dir, installed)

    uninstall(s, prefix, all_dir + "\\uninstall.exe", "/S", "/REMOVESETTINGS")
    show("After uninstalling, the program folder", prefix.path(all_dir))
    show("After uninstalling, the public desktop", public_desktop)
    show("After uninstalling, the Start menu of all users", all_menu)
    check(not os.path.exists(os.path.join(all_menu, "Tarnwick.lnk")), "the Start-menu shortcut is removed")
    check(not os.path.exists(os.path.join(public_desktop, "Tarnwick.lnk")), "the desktop shortcut is removed")
    check_equal(listing(prefix.path(all_dir)), [], "files left in %s" % all_dir)
    check(not os.path.exists(prefix.path(all_dir)), "the program folder is removed")
    check(prefix.values("HKLM\\" + UNINSTALL_KEY) is None, "the machine-wide entry is removed")
    check(prefix.values("HKCU\\" + SETTINGS_KEY) is None, "the settings key is removed")
    check_equal(prefix.values("HKCU\\" + NEIGHBOUR_KEY), {"Marker": "stays"}, "the neighbouring key")
    prefix.delete_key("HKCU\\" + NEIGHBOUR_KEY)

    # --- the portable zip ---
    unpacked = os.path.join(s.work, "portable")
    with zipfile.ZipFile(portable) as archive:
        archive.extractall(unpacked)
    show("Portable zip unpacked", unpacked)
    check_equal(listing(unpacked), sorted(PROGRAM_FILES), "files of the portable zip")
    check_cli_version(prefix, unpacked)
    open_and_close_window(s, os.path.join(unpacked, "tarnwick.exe"), "portable")


if __name__ == "__main__":
    harness.main(test, "package", timeout=110)
