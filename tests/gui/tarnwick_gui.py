"""What the GUI tests of tarnwick.exe share: finding its main window."""
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


def save_site(s, label, server):
    """A saved site for the server, through tarnwick-cli on the session's scratch key."""
    code, output = s.cli("site-add", label, "127.0.0.1:%d" % server.port, server.user, server.password,
                         "--remote", "/")
    harness.check_equal(code, 0, "tarnwick-cli site-add (%s)" % output.strip())
