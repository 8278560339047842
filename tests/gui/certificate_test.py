#!/usr/bin/python3
"""The "Server Certificate" dialog against a real pyftpdlib server with a
self-signed certificate: it shows the certificate's facts, its fingerprint
and the reason, with Cancel the default. Enter cancels before anything is
sent after the handshake (no USER in the server's log). "Trust this
certificate for this server" connects and stores the fingerprint; the next
start of tarnwick.exe connects without asking. The server then restarts on
the same port with another certificate (expired): asked again, and told that
it changed. The dialog is shot at 100% and 150%."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import tarnwick_gui  # noqa: E402
from harness import check, check_equal  # noqa: E402

TITLE = "Server Certificate"
CHANGED, REASON, SUBJECT, ISSUER, VALID_FROM, VALID_TO, NAMES, FINGERPRINT, TRUST = range(701, 710)
SITE = "Cert Site"


def fingerprint(s, cert):
    with open(os.path.join(s.build, "testenv", "certs", cert + ".sha256")) as f:
        digits = f.read().strip()
    return ":".join(digits[i:i + 2] for i in range(0, len(digits), 2))


def save_localhost_site(s, server):
    """The site under the name the test certificates are issued for. The site dialogs and tarnwick-cli
    take only dotted names, so it goes into the registry as a site file of reg.exe."""
    key = "HKEY_CURRENT_USER\\%s\\FTPAccounts\\%s\\localhost:%d\\0" % (s.registry, SITE, server.port)
    values = {"Server": "localhost:%d" % server.port, "UserName": server.user, "Password": server.password,
              "RemP": "1", "UseExplicitSSL": "1", "UseImplicitSSL": "0", "Directory": "/", "UseRecentRemote": "0"}
    lines = ["Windows Registry Editor Version 5.00", "", "[%s]" % key]
    lines += ['"%s"="%s"' % item for item in values.items()]
    path = os.path.join(s.work, "site.reg")
    with open(path, "w", encoding="utf-16") as f:
        f.write("\r\n".join(lines) + "\r\n")
    subprocess.run(["wine", "reg", "import", harness.windows_path(path)], env=s.env, check=True, timeout=60,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def certificate_dialog(s):
    dialog = s.wait_window(title=TITLE, timeout=30)
    harness.wait_until(lambda: s.control(FINGERPRINT, hwnd=dialog.hwnd).text, 10, "the dialog filled")
    return dialog, {c.id: c for c in s.controls(hwnd=dialog.hwnd)}


def server_log(s, server):
    with open(s.ask("log %s" % server.id).split(" ", 1)[1], errors="replace") as f:
        return f.read()


def connect_from_menu(s):
    s.key("ctrl+t")
    s.wait_window(cls="#32768")
    s.key("Down", "Return")


def connected_text(server):
    return "Connected to %s (localhost:%d) as %s" % (SITE, server.port, server.user)


def test(s):
    server = s.server("pyftpdlib", "explicit", "selfsigned")
    save_localhost_site(s, server)
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)

    connect_from_menu(s)
    dialog, controls = certificate_dialog(s)
    check_equal(controls[FINGERPRINT].text.replace("\r\n", ":"), fingerprint(s, "selfsigned"), "the fingerprint")
    check("localhost" in controls[SUBJECT].text and "localhost" in controls[ISSUER].text, "subject and issuer")
    check_equal(controls[NAMES].text, "localhost", "the host names")
    check(controls[VALID_FROM].text.endswith(" UTC") and controls[VALID_TO].text.endswith(" UTC"), "validity")
    check("not issued by an authority" in controls[REASON].text, "the reason: %r" % controls[REASON].text)
    check(not controls[CHANGED].visible, "no changed note the first time")
    check_equal((controls[TRUST].text, controls[2].text, controls[9].text),
                ("&Trust this certificate for this server", "Cancel", "Help"), "the buttons")
    check_equal(s.focus(hwnd=dialog.hwnd)[1], 2, "Cancel has the focus")
    tarnwick_gui.painted_screenshot(s, "untrusted-100")
    s.key("Return")
    s.wait_gone(hwnd=dialog.hwnd)
    harness.wait_until(lambda: not tarnwick_gui.busy(s, main), 15, "the refused connection ended")
    check("USER" not in server_log(s, server), "nothing sent after the handshake when refused")
    slot = "FTPAccounts\\%s\\localhost:%d\\0" % (SITE, server.port)
    check("TrustedCertificate" not in s.registry_values(slot), "nothing stored when refused")

    connect_from_menu(s)
    dialog, _ = certificate_dialog(s)
    s.key("alt+t")
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == connected_text(server), 30, "connected")
    check("USER %s" % server.user in server_log(s, server), "the server's log shows the log-in once trusted")
    stored = s.registry_values(slot).get("TrustedCertificate", "")
    check_equal(stored, fingerprint(s, "selfsigned").replace(":", ""), "the stored fingerprint")
    tarnwick_gui.close_with_alt_f4(s, program, main)

    # A new start connects to the current site without asking.
    program = s.start("tarnwick.exe")
    main = tarnwick_gui.wait_main_window(s)
    harness.wait_until(lambda: s.status_parts(hwnd=main.hwnd)[0] == connected_text(server), 30,
                       "connected at start-up")
    check(not s.windows(title=TITLE), "no certificate question for the trusted certificate")
    tarnwick_gui.close_with_alt_f4(s, program, main)

    # Another certificate on the same server: asked again, and told so.
    check_equal(s.ask("recert %s expired" % server.id), "ok", "restarting the server with another certificate")
    for dpi, name in ((96, "changed-100"), (144, "changed-150")):
        with tarnwick_gui.screen_dpi(s, dpi), tarnwick_gui.running(s) as main:
            if dpi != 96:
                # The refused start-up connection forgot the current site: connect from the menu.
                connect_from_menu(s)
            dialog, controls = certificate_dialog(s)
            check(controls[CHANGED].visible and "has changed" in controls[CHANGED].text, "the changed note")
            check("expired" in controls[REASON].text, "the reason: %r" % controls[REASON].text)
            check_equal(controls[FINGERPRINT].text.replace("\r\n", ":"), fingerprint(s, "expired"),
                        "the new fingerprint")
            tarnwick_gui.painted_screenshot(s, name)
            s.key("Escape")
            s.wait_gone(hwnd=dialog.hwnd)
            harness.wait_until(lambda: not tarnwick_gui.busy(s, main), 15, "the refused connection ended")
    check_equal(s.registry_values(slot).get("TrustedCertificate"), stored, "the trusted fingerprint is kept")


if __name__ == "__main__":
    harness.main(test, "tarnwick-certificate", timeout=120)
