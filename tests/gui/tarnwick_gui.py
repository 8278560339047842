"""What the GUI tests of tarnwick.exe share: finding its main window, saved
sites, closing, and the session log files it writes."""
import contextlib
import getpass
import glob
import os
import subprocess
import time

import harness

MAIN_TITLE = "Tarnwick File Transfer Software"
REMOTE_LIST = 102


def main_windows(s):
    """The program's main windows: its title, and the remote list among the controls (message
    boxes carry the same title)."""
    found = []
    for window in s.windows(title=MAIN_TITLE):
        if any(c.id == REMOTE_LIST for c in s.controls(hwnd=window.hwnd)):
            found.append(window)
    return found


def wait_main_window(s, timeout=30):
    return harness.wait_until(lambda: (main_windows(s) or [None])[0], timeout, "Tarnwick's main window", interval=0.2)


def save_site(s, label, address, user, password):
    """A saved site, through tarnwick-cli on the session's scratch key."""
    code, output = s.cli("site-add", label, address, user, password, "--remote", "/")
    harness.check_equal(code, 0, "tarnwick-cli site-add (%s)" % output.strip())


def save_idle_site(s):
    """A saved site that is not the current one: the program starts without connecting and without
    the new-site dialogs (an address of TEST-NET-1, never contacted)."""
    save_site(s, "Smoke Site", "192.0.2.10:21", "nobody", "secret")


@contextlib.contextmanager
def running(s):
    """tarnwick.exe started with its main window found; closed with Alt+F4 after the block."""
    program = s.start("tarnwick.exe")
    main = wait_main_window(s)
    yield main
    close_with_alt_f4(s, program, main)


def painted_screenshot(s, name):
    """A screenshot once a window that just opened has painted itself."""
    time.sleep(0.7)
    return s.screenshot(name)


def close_with_alt_f4(s, program, main):
    """Closes the main window from the keyboard; the program must end with code 0."""
    s.key("alt+F4")
    s.wait_gone(hwnd=main.hwnd)
    harness.check_equal(program.wait(15), 0, "tarnwick.exe's exit code")


def _log_files(s):
    folder = os.path.join(s.build, "wineprefix", "drive_c", "users", getpass.getuser(), "AppData", "Roaming",
                          "Velmora Software", "Tarnwick", "Logs")
    return glob.glob(os.path.join(folder, "*.txt"))


def log_mark(s):
    """Where the daily log files end now (they are shared with every earlier run in the prefix)."""
    return {path: os.path.getsize(path) for path in _log_files(s)}


def log_since(s, mark):
    """The text the program appended to its log files since the mark."""
    text = ""
    for path in sorted(_log_files(s)):
        with open(path, "rb") as f:
            f.seek(mark.get(path, 0))
            text += f.read().decode("utf-8", "replace").replace("\r\n", "\n")
    return text


def message_box(s, text):
    """The program's message box that shows text, or None."""
    for window in s.windows(cls="#32770"):
        if any(c.text == text for c in s.controls(hwnd=window.hwnd)):
            return window
    return None


def busy(s, main):
    """Whether a dialog other than the main window is open (a progress dialog or a question)."""
    return any(w.hwnd != main.hwnd and w.visible for w in s.windows(cls="#32770"))


@contextlib.contextmanager
def screen_dpi(s, dpi):
    """Programs started inside the block see the screen at dpi (96 is 100%); 96 again afterwards."""
    def run_reg(*arguments):
        subprocess.run(["wine", "reg"] + list(arguments), env=s.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
    key = "HKCU\\Control Panel\\Desktop"
    run_reg("add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    try:
        yield
    finally:
        run_reg("delete", key, "/v", "LogPixels", "/f")  # absent: 96
