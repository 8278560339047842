"""What the GUI tests of tarnwick.exe share: finding its main window, saved
sites, closing, and the session log files it writes."""
import contextlib
import getpass
import glob
import os
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


def focused(s, main):
    """The id of the main window's control with the keyboard focus; a combo box's for the edit field
    inside it."""
    hwnd, control_id = s.focus(hwnd=main.hwnd)
    controls = s.controls(hwnd=main.hwnd)
    parent = [c.parent for c in controls if c.hwnd == hwnd]
    boxes = [c.id for c in controls if parent and c.hwnd == parent[0] and c.cls == "ComboBox"]
    return boxes[0] if boxes else control_id


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
    """Closes the main window from the keyboard once no command runs; the program must end with code 0."""
    harness.wait_until(lambda: not busy(s, main), 15, "the last command finished")
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


def connect_from_site_menu(s, main, site, server, rows):
    """Ctrl+T, the saved site from the site menu; waits for the remote list to show `rows` entries."""
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    s.key("Down", "Return")
    connected = "Connected to %s (127.0.0.1:%d) as %s" % (site, server.port, server.user)
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == connected, 30, "the status text %r" % connected)
    return wait_rows(s, main, REMOTE_LIST, rows, "the server's entries in the remote list")


def wait_rows(s, main, list_id, count, what, timeout=20):
    """The list view once it holds `count` rows."""
    return harness.wait_until(lambda: (lambda l: l if l.count == count else None)(
        s.list_view(list_id, hwnd=main.hwnd)), timeout, what)


def go_local(s, main, folder):
    """Types a folder into the local path box, as a user does, and waits for the pane to follow."""
    s.click_control(106, hwnd=main.hwnd)
    s.key("ctrl+a")
    s.type(harness.windows_path(folder))
    s.key("Return")
    harness.wait_until(lambda: s.control(106, hwnd=main.hwnd).text == harness.windows_path(folder), 10,
                       "the local path box on %s" % folder)


def click_row(s, main, list_id, name, double=False):
    """Clicks (or double-clicks) the row whose first column is `name`."""
    rows = harness.wait_until(lambda: [r for r in s.list_view(list_id, hwnd=main.hwnd).rows if r.texts[0] == name],
                              10, "a row %r in list %d" % (name, list_id))
    if double:
        s.double_click(*harness.centre(rows[0].rect))  # it may open the row: no selection to wait for
        return
    s.click(*harness.centre(rows[0].rect))
    harness.wait_until(lambda: any(r.texts[0] == name and r.selected
                                   for r in s.list_view(list_id, hwnd=main.hwnd).rows), 5, "%r selected" % name)


def answer(s, caption, button, timeout=20):
    """Waits for the question captioned `caption` and clicks its button `button`; the text asked."""
    window = s.wait_window(title=caption, timeout=timeout)
    controls = s.controls(hwnd=window.hwnd)
    buttons = [c for c in controls if c.text.replace("&", "") == button and c.visible]
    harness.check(buttons, "a button %r in %r: %r" % (button, caption, [c.text for c in controls]))
    text = "\n".join(c.text for c in controls if c.cls == "Static" or c.cls == "DirectUIHWND")
    s.click(*harness.centre(buttons[0].rect))
    s.wait_gone(hwnd=window.hwnd)
    return text


def type_answer(s, caption, text):
    """Types `text` into the text question captioned `caption` and confirms it with Return."""
    window = s.wait_window(title=caption)
    s.key("ctrl+a")
    s.type(text)
    s.key("Return")
    s.wait_gone(hwnd=window.hwnd)


def toolbar_button(s, main, toolbar_id, text):
    return [b for b in s.toolbar(toolbar_id, hwnd=main.hwnd) if b.text == text][0]


def click_toolbar(s, main, toolbar_id, text):
    button = harness.wait_until(lambda: (lambda b: b if b.enabled else None)(toolbar_button(s, main, toolbar_id, text)),
                                10, "%r enabled" % text)
    s.click(*harness.centre(button.rect))
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
    s.set_dpi(dpi)
    try:
        yield
    finally:
        s.reset_dpi()
