"""What the package tests share: the packages, the test prefix's folders and registry, the
installer and uninstaller runs, and readers for shortcuts and version resources."""
import getpass
import os
import shutil
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gui"))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

TOP = harness.TOP
VERSION = open(os.path.join(TOP, "VERSION")).readline().strip()
UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnwick"
SETTINGS_KEY = "Software\\Velmora Software\\Tarnwick"
# A neighbour of the settings key that no uninstaller may touch.
NEIGHBOUR_KEY = "Software\\Velmora Software\\Tarnwick Package Check"
# What both packages hold: the programs, the licence, the README and every help page of the tree.
PROGRAM_FILES = sorted(["LICENSE.txt", "README.txt", "tarnwick-cli.exe", "tarnwick.exe"] +
                       ["help/" + name for name in os.listdir(os.path.join(TOP, "help"))])


class Prefix:
    """The test prefix's folders and registry, through Wine's own tools."""

    def __init__(self, s):
        self.s = s
        self.drive_c = os.path.join(s.build, "wineprefix", "drive_c")
        # No menu entries on the Linux desktop for the shortcuts the installer makes.
        s.env["WINEDLLOVERRIDES"] = "mscoree,mshtml=,winemenubuilder.exe=d"

    def path(self, windows):
        """The Linux path of a C: path."""
        check(windows[:3].upper() == "C:\\", "a path on drive C: %r" % windows)
        return os.path.join(self.drive_c, *windows[3:].split("\\"))

    def user_folder(self, *parts):
        return os.path.join(self.drive_c, "users", getpass.getuser(), *parts)

    def wine(self, *command, timeout=60):
        """Runs a console program: (exit code, output)."""
        run = subprocess.run(["wine"] + list(command), env=self.s.env, stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        return run.returncode, run.stdout.decode("utf-8", "replace").replace("\r\n", "\n")

    def run(self, program, *arguments):
        """Runs a program with windows (the installer, the uninstaller) on the session's desktop, as
        a user would start it there; its exit code."""
        return self.s.start(program, *arguments).wait(90)

    def values(self, key):
        """{name: data} of a registry key ("HKCU\\..."), None when it does not exist."""
        code, output = self.wine("reg", "query", key)
        if code != 0:
            return None
        found = {}
        for line in output.splitlines():
            fields = line.strip().split("    ")
            if len(fields) == 3 and fields[1].startswith("REG_"):
                found[fields[0]] = int(fields[2], 16) if fields[1] == "REG_DWORD" else fields[2]
        return found

    def delete_key(self, key):
        self.wine("reg", "delete", key, "/f")


def listing(folder):
    """The files below a folder, relative and with "/", sorted; [] when it does not exist."""
    found = []
    for root, _, files in os.walk(folder):
        found += [os.path.relpath(os.path.join(root, f), folder).replace(os.sep, "/") for f in files]
    return sorted(found)


def show(what, folder):
    print("%s (%s):" % (what, folder))
    for name in listing(folder) or ["(nothing)"]:
        print("    " + name)


def shortcut_target(path):
    """The local path a .lnk file points at (its LinkInfo's LocalBasePath and CommonPathSuffix)."""
    data = open(path, "rb").read()
    check(data[:4] == b"\x4c\0\0\0", "%s is a shell link" % path)
    flags = struct.unpack_from("<I", data, 20)[0]
    offset = 76
    if flags & 0x1:  # HasLinkTargetIDList
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    check(flags & 0x2, "%s has LinkInfo" % path)  # HasLinkInfo
    info = data[offset:]
    _, _, info_flags, _, base_offset, _, suffix_offset = struct.unpack_from("<7I", info)
    check(info_flags & 0x1, "%s points at a local file" % path)

    def text(at):
        return info[at:info.index(b"\0", at)].decode("mbcs" if os.name == "nt" else "cp1252")
    return text(base_offset) + text(suffix_offset)


def version_strings(path):
    """{name: value} of the StringFileInfo of an .exe's version resource, read from its bytes."""
    data = open(path, "rb").read()
    found = {}
    for name in ("FileVersion", "ProductVersion", "ProductName", "CompanyName"):
        key = (name + "\0").encode("utf-16-le")
        at = data.find(key)
        while at >= 0:
            # The key is preceded by wLength, wValueLength, wType; the value starts on the next
            # four-byte boundary after it.
            value_length = struct.unpack_from("<H", data, at - 4)[0]
            start = (at + len(key) + 3) & ~3
            if 0 < value_length < 128:
                found[name] = data[start:start + 2 * value_length].decode("utf-16-le").rstrip("\0")
                break
            at = data.find(key, at + 1)
    return found


def check_version(path):
    strings = version_strings(path)
    check_equal((strings.get("ProductVersion"), strings.get("CompanyName")), (VERSION, "Velmora Software"),
                "version resource of %s" % os.path.basename(path))


def uninstall(s, prefix, uninstaller, *options):
    """Runs an uninstaller and waits for its work: it copies itself to a temporary folder, starts the
    copy (Un.exe) and ends at once."""
    check_equal(prefix.run(uninstaller, *options), 0, "exit code of %s %s" % (uninstaller, " ".join(options)))
    harness.wait_until(lambda: not s.processes("Un.exe"), 30, "the uninstaller's copy to end")


def check_cli_version(prefix, folder):
    code, output = prefix.wine(os.path.join(folder, "tarnwick-cli.exe"), "--version")
    print("tarnwick-cli --version in %s: %s" % (folder, output.strip()))
    check_equal((code, output), (0, "tarnwick-cli %s\n" % VERSION), "tarnwick-cli --version")


def open_and_close_window(s, program, name):
    """Starts the program, waits for its main window (class TarnwickMainWindow) and closes it."""
    started = s.start(program)
    main = s.wait_window(cls="TarnwickMainWindow", timeout=30)
    check(main.visible, "the main window is shown: %r" % (main,))
    # Running, not only created: its status bar reports the connection state.
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[:1] == ["Not connected to FTP site"], 20,
                       "the status bar of %s" % program)
    time.sleep(1)  # for the screenshot only: the panes finish painting
    s.screenshot(name)
    tarnwick_gui.close_with_alt_f4(s, started, main)


def install(prefix, setup, *options):
    check_equal(prefix.run(setup, "/S", *options), 0, "exit code of the silent installer %s" % " ".join(options))


def check_entry(prefix, root, folder, files):
    entry = prefix.values(root + "\\" + UNINSTALL_KEY)
    check(entry is not None, "the Apps & Features entry below %s" % root)
    uninstaller = folder + "\\uninstall.exe"
    for name, expected in (("DisplayName", "Tarnwick"), ("DisplayVersion", VERSION), ("Publisher", "Velmora Software"),
                           ("DisplayIcon", folder + "\\tarnwick.exe,0"), ("InstallLocation", folder),
                           ("UninstallString", '"%s"' % uninstaller),
                           ("QuietUninstallString", '"%s" /S' % uninstaller), ("NoModify", 1), ("NoRepair", 1)):
        check_equal(entry.get(name), expected, "%s of the Apps & Features entry" % name)
    size = sum(os.path.getsize(os.path.join(prefix.path(folder), f)) for f in files) / 1024
    check(abs(entry.get("EstimatedSize", -1) - size) <= len(files), "EstimatedSize %r KiB for %.0f KiB of files"
          % (entry.get("EstimatedSize"), size))
    return entry


def packages(s):
    """(installer, portable zip) of the build's version, made by scripts/package beside the build."""
    folder = os.path.join(os.path.dirname(s.build), "package")
    found = (os.path.join(folder, "tarnwick-setup-%s.exe" % VERSION),
             os.path.join(folder, "tarnwick-%s-portable.zip" % VERSION))
    for package in found:
        if not os.path.exists(package):
            raise harness.HarnessError("%s is missing: run scripts/package" % package)
    return found


def clear_leftovers(prefix, folders):
    """An earlier run that failed half-way may have left an installation behind."""
    for folder in folders:
        shutil.rmtree(folder, ignore_errors=True)
    for key in ("HKCU\\" + UNINSTALL_KEY, "HKLM\\" + UNINSTALL_KEY, "HKCU\\" + SETTINGS_KEY, "HKCU\\" + NEIGHBOUR_KEY):
        prefix.delete_key(key)


