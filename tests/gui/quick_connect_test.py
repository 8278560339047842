#!/usr/bin/python3
"""Quick Connect against a real server: saved with a wrong password, the server refuses it and the
"User Login" dialog asks for the password; the right one connects and the connection is stored as
"Quick Site 1". Then an unsaved quick connection: the field checks show their balloons, the
connection is "Quick Connection" and the store gains nothing."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import site_dialogs  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

QUICK_SERVER, QUICK_PORT, QUICK_USER, QUICK_PASSWORD = 441, 442, 443, 444
SAVE_PASSWORD, SAVE_CONNECTION, SECURITY = 445, 446, 447


def open_quick_connect(s, main):
    button = [b for b in s.toolbar(210, hwnd=main.hwnd) if b.text == "Quick"][0]
    s.click(*harness.centre(button.rect))
    return site_dialogs.window_with(s, "Quick Connect", QUICK_SERVER)


def fill(s, server, port, user, password):
    s.type(server)
    for text in (port, user, password):
        s.key("Tab")
        if text:
            s.type(text)


def wait_status(s, main, text):
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == text, 30, "the status %r" % text)


def test(s):
    server = s.server("pyftpdlib")
    tarnwick_gui.save_idle_site(s)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)

    quick = open_quick_connect(s, main)
    controls = {c.id: c for c in s.controls(hwnd=quick.hwnd)}
    check_equal(controls[1].text, "Connect", "the OK button")
    check(not controls[SAVE_PASSWORD].enabled, "Save Password waits for Save Connection")
    check_equal(s.combo_box(SECURITY, hwnd=quick.hwnd).entries,
                ["Use standard FTP", "Use explict SSL/TLS FTP", "Use implicit SSL/TLS FTP"], "the security list")
    fill(s, "127.0.0.1", str(server.port), server.user, "wrong-password")
    s.key("alt+c")
    harness.wait_until(lambda: s.control(SAVE_PASSWORD, hwnd=quick.hwnd).enabled or None, 10, "Save Password enabled")
    s.screenshot("quick-connect")
    s.key("Return")

    # The refused password is reported, then User Login asks, filled in, the focus on the password.
    site_dialogs.dismiss_message(s, "FTP Connect", "Unable to log onto server.")
    login = site_dialogs.window_with(s, "User Login", 463, timeout=30)
    fields = {c.id: c.text for c in s.controls(hwnd=login.hwnd)}
    check_equal(fields[461], "127.0.0.1:%d" % server.port, "User Login's server")
    check_equal(fields[462], server.user, "User Login's user name")
    check_equal(s.focus(hwnd=login.hwnd)[1], 463, "the focus is on the password")
    s.screenshot("user-login")
    s.type(server.password)
    s.key("Return")
    wait_status(s, main, "Connected to Quick Site 1 (127.0.0.1:%d) as %s" % (server.port, server.user))
    stored = s.registry_values("FTPAccounts\\Quick Site 1\\127.0.0.1:%d\\0" % server.port)
    check_equal((stored.get("Server"), stored.get("UserName")), ("127.0.0.1:%d" % server.port, server.user),
                "the saved quick site")
    check_equal(stored.get("UseExplicitSSL"), "0", "the saved security")

    # Unsaved: a server without a dot, then a remembered password left empty, are refused.
    quick = open_quick_connect(s, main)
    s.type("localhost")
    s.key("Return")
    text = site_dialogs.balloon(s)
    check(text.startswith("Please enter the ftp server. "), "the invalid-server balloon: %r" % text)
    check_equal(s.focus(hwnd=quick.hwnd)[1], QUICK_SERVER, "the focus is on the server")
    s.screenshot("invalid-server-balloon")
    s.key("ctrl+a")
    fill(s, "127.0.0.1", str(server.port), server.user, "")
    s.key("alt+c", "alt+p", "Return")
    text = site_dialogs.balloon(s)
    check(text.startswith("You have selected to remember your password but have not provided one."),
          "the password balloon: %r" % text)
    check_equal(s.focus(hwnd=quick.hwnd)[1], QUICK_PASSWORD, "the focus is on the password")
    s.type(server.password)
    s.key("alt+c")  # no saving after all
    harness.wait_until(lambda: not s.control(SAVE_PASSWORD, hwnd=quick.hwnd).enabled or None, 10,
                       "Save Password disabled again")
    s.key("Return")
    site_dialogs.answer_prompt(s, "Disconnect Confirm")
    wait_status(s, main, "Connected to Quick Connection (127.0.0.1:%d) as %s" % (server.port, server.user))
    code, output = s.cli("sites")
    check(code == 0 and "Quick Site 1" in output and "Quick Site 2" not in output and "Quick Connection" not in output,
          "only the saved quick site is stored: %r" % output)
    tarnwick_gui.close_with_alt_f4(s, program, main)


if __name__ == "__main__":
    harness.main(test, "tarnwick-quick-connect", timeout=90)
