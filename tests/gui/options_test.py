#!/usr/bin/python3
"""The options sheet as a user works it: Ctrl+O opens "Tarnwick Options";
"Replace spaces with underscores in uploaded filenames" ticked from the
keyboard renames the very next upload, without a restart. The "FTP Proxy"
page enables its fields by method, saves them even while disabled and
reopens empty and disabled under "None". Both pages are shot at 100% and
150%."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

SHEET = "Tarnwick Options"
RETRY, NO_SPACES, LOWER_CASE = 610, 611, 612
HOST, USER, PASSWORD = 631, 633, 635
HOST_LABEL, USER_LABEL, PASSWORD_LABEL = 630, 632, 634


def enabled(s, sheet, *ids):
    controls = {c.id: c for c in s.controls(hwnd=sheet.hwnd)}
    return tuple(controls[i].enabled for i in ids)


def proxy_fields(s, sheet):
    return enabled(s, sheet, HOST_LABEL, HOST, USER_LABEL, USER, PASSWORD_LABEL, PASSWORD)


def open_sheet(s, main):
    harness.wait_until(lambda: not tarnwick_gui.busy(s, main), 20, "no dialog before Ctrl+O")
    s.key("ctrl+o")
    return s.wait_window(title=SHEET)


def next_page(s, sheet):
    s.key("ctrl+Tab")
    harness.wait_until(lambda: any(c.id == HOST and c.visible for c in s.controls(hwnd=sheet.hwnd)), 10,
                       "the FTP Proxy page")


def upload(s, main, name):
    """Selects the local file by clicking its row and clicks Upload (103)."""
    local = harness.wait_until(lambda: [r for r in s.list_view(1, hwnd=main.hwnd).rows if r.texts[0] == name], 10,
                               "%s in the local pane" % name)
    s.click(*harness.centre(local[0].rect))
    harness.wait_until(lambda: s.control(103, hwnd=main.hwnd).enabled, 10, "Upload enabled")
    s.click_control(103, hwnd=main.hwnd)


def test(s):
    server = s.server("vsftpd")
    with open(os.path.join(s.work, "my notes.txt"), "wb") as f:
        f.write(b"spaced name")
    tarnwick_gui.save_site(s, "Options Site", "127.0.0.1:%d" % server.port, server.user, server.password)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    s.key("Down", "Return")
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0].startswith("Connected to"), 30, "the connection")
    s.click_control(106, hwnd=main.hwnd)
    s.key("ctrl+a")
    s.type(harness.windows_path(s.work))
    s.key("Return")

    upload(s, main, "my notes.txt")
    harness.wait_until(lambda: os.path.exists(os.path.join(server.root, "my notes.txt")), 20,
                       "the upload under its own name")

    sheet = open_sheet(s, main)
    texts = {c.id: c.text for c in s.controls(hwnd=sheet.hwnd)}
    check_equal([texts[i].replace("&", "") for i in (RETRY, NO_SPACES, LOWER_CASE)],
                ["Retry FTP connection up to 5 times on failure",
                 "Replace spaces with underscores in uploaded filenames", "Convert uploaded filenames to lower case"],
                "the General page's check boxes")
    check("&Apply" not in [c.text for c in s.controls(hwnd=sheet.hwnd) if c.visible], "no Apply button")
    s.screenshot("general-100")
    s.key("alt+r", "alt+s")
    s.key("Return")
    s.wait_gone(hwnd=sheet.hwnd)
    values = s.registry_values("Settings")
    check_equal([values.get(n) for n in ("FtpRetry", "FtpNoSpaces", "FtpLowerCase")], ["1", "1", "0"],
                "the options after OK")
    check("FtpProxyType" not in values and "ProxyHost" not in values, "the unopened proxy page saved nothing")

    # Without a restart, the next upload replaces the spaces.
    upload(s, main, "my notes.txt")
    harness.wait_until(lambda: os.path.exists(os.path.join(server.root, "my_notes.txt")), 20,
                       "the upload as my_notes.txt")

    sheet = open_sheet(s, main)
    next_page(s, sheet)
    check_equal(proxy_fields(s, sheet), (False,) * 6, "proxy fields under None")
    s.key("alt+w")  # User@Site (with proxy login)
    check_equal(proxy_fields(s, sheet), (True,) * 6, "proxy fields with proxy login")
    s.key("alt+h")
    s.type("proxy.example")
    s.key("alt+m")
    s.type("proxyuser")
    s.key("alt+p")
    s.type("proxypass")
    s.key("alt+o")  # OPEN: no proxy login
    check_equal(proxy_fields(s, sheet), (True, True, False, False, False, False), "proxy fields under OPEN")
    s.screenshot("proxy-open-100")
    s.key("alt+n")
    check_equal(proxy_fields(s, sheet), (False,) * 6, "proxy fields after None")
    s.key("Return")
    s.wait_gone(hwnd=sheet.hwnd)
    values = s.registry_values("Settings")
    check_equal((values.get("FtpProxyType"), values.get("ProxyHost"), values.get("ProxyUsername")),
                ("0", "proxy.example", "proxyuser"), "proxy settings saved from disabled fields")
    check("_ProxyPassword" in values and "ProxyPassword" not in values, "the proxy password is stored protected")

    # None stored: the page opens empty and disabled although a host is stored; Cancel writes nothing.
    sheet = open_sheet(s, main)
    next_page(s, sheet)
    check_equal([s.control(i, hwnd=sheet.hwnd).text for i in (HOST, USER)], ["", ""], "fields under a stored None")
    s.key("alt+s", "Escape")  # SITE chosen, then cancelled
    s.wait_gone(hwnd=sheet.hwnd)
    check_equal(s.registry_values("Settings").get("FtpProxyType"), "0", "FtpProxyType after Cancel")
    tarnwick_gui.close_with_alt_f4(s, program, main)

    # The same pages at 150%.
    with tarnwick_gui.screen_dpi(s, 144), tarnwick_gui.running(s) as main:
        sheet = open_sheet(s, main)
        tarnwick_gui.painted_screenshot(s, "general-150")
        next_page(s, sheet)
        s.key("alt+u")
        s.screenshot("proxy-user-at-site-150")
        s.key("Escape")
        s.wait_gone(hwnd=sheet.hwnd)

if __name__ == "__main__":
    harness.main(test, "tarnwick-options", timeout=90)
