#!/usr/bin/python3
"""Every site dialog at 150 % (LogPixels 144 for this run): each opens scaled, answers Esc with
Cancel and Enter with its default button. User Login follows a refused password on a real server,
the FTP Explorer browses it and the connection test runs on it; the port field's questions on the way.
A screenshot of each dialog."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import site_dialogs  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402
from site_dialogs import SITE_LIST  # noqa: E402

def width(window):
    return window.rect[2] - window.rect[0]


def escape_closes(s, window):
    s.key("Escape")
    s.wait_gone(hwnd=window.hwnd)


def test(s):
    server = s.server("pyftpdlib")
    os.makedirs(os.path.join(server.root, "site"))
    tarnwick_gui.save_site(s, "Scaled Site", "127.0.0.1:%d" % server.port, server.user, "wrong-password")
    with tarnwick_gui.screen_dpi(s, 144):  # the prefix is shared: only this program runs scaled
        program = s.start("tarnwick.exe")
        main = tarnwick_gui.wait_main_window(s)

    s.key("ctrl+m")
    manager = site_dialogs.window_with(s, "Site Manager", SITE_LIST)
    # 480 dialog units are about 720 pixels at 100 %.
    check(width(manager) > 1000, "the Site Manager is scaled: %d pixels wide" % width(manager))
    s.screenshot("site-manager-150")

    s.key("alt+p")
    sheet = site_dialogs.window_with(s, "Site Properties", 411)
    s.screenshot("site-properties-150")
    # Port 990 with standard FTP: one question when the field is left, and implicit TLS is chosen.
    s.key("Tab")
    s.type("990")
    s.key("Tab")
    site_dialogs.answer_prompt(s, "Confirm FTP Method")
    check_equal(s.combo_box(416, hwnd=sheet.hwnd).selected, 2, "implicit TLS chosen")
    check(not s.windows(title="Confirm Port"), "no second question")
    # Back to standard FTP: asked whether to use port 21; the second button keeps 990.
    s.key("alt+e", "Home")
    site_dialogs.answer_prompt(s, "Confirm Port", "Tab", "Return")
    check_equal((s.combo_box(416, hwnd=sheet.hwnd).selected, s.control(412, hwnd=sheet.hwnd).text), (0, "990"),
                "standard FTP with the port kept")
    s.click(*harness.centre(s.control(412, hwnd=sheet.hwnd).rect))
    s.key("ctrl+a")
    s.type(str(server.port))
    site_dialogs.open_advanced_page(s, sheet)
    s.key("alt+a", "alt+b")
    explorer = s.wait_window(title="FTP Explorer - 127.0.0.1:%d" % server.port)
    # The stored password is wrong: the explorer's log-in fails and it closes as cancelled.
    s.wait_gone(hwnd=explorer.hwnd, timeout=30)
    site_dialogs.click_tab(s, sheet, 15)
    harness.wait_until(lambda: s.control(414, hwnd=sheet.hwnd).visible or None, 10, "the first page")
    s.click(*harness.centre(s.control(414, hwnd=sheet.hwnd).rect))
    s.key("ctrl+a")
    s.type(server.password)
    site_dialogs.open_advanced_page(s, sheet)
    s.key("alt+b")
    explorer = site_dialogs.window_with(s, "FTP Explorer - 127.0.0.1:%d" % server.port, 482)
    harness.wait_until(lambda: [r.texts[0] for r in s.list_view(482, hwnd=explorer.hwnd).rows] == ["site"] or None,
                       20, "the server's folder in the explorer")
    s.screenshot("ftp-explorer-150")
    escape_closes(s, explorer)
    check_equal(s.control(424, hwnd=sheet.hwnd).text, "/", "Cancel leaves the remote path as it was")
    s.screenshot("advanced-properties-150")
    s.key("Return")
    result, steps, report, folder = site_dialogs.read_test_result(s)
    check_equal(len(steps), 7, "the step rows")
    s.screenshot("connection-test-150")
    site_dialogs.close_test_result(s, result)
    s.wait_gone(hwnd=sheet.hwnd)
    escape_closes(s, manager)

    button = [b for b in s.toolbar(210, hwnd=main.hwnd) if b.text == "Quick"][0]
    s.click(*harness.centre(button.rect))
    quick = site_dialogs.window_with(s, "Quick Connect", 441)
    s.screenshot("quick-connect-150")
    s.type("127.0.0.1")
    s.key("Tab")
    s.type(str(server.port))
    s.key("Tab")
    s.type(server.user)
    s.key("Tab")
    s.type("wrong-password")
    s.key("Return")
    site_dialogs.dismiss_message(s, "FTP Connect", "Unable to log onto server.")
    login = site_dialogs.window_with(s, "User Login", 463, timeout=30)
    s.screenshot("user-login-150")
    escape_closes(s, login)
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == "Not connected to FTP site", 20,
                       "not connected after cancelling User Login")
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-site-dialogs-150", timeout=110)
