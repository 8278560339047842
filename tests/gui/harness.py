"""Drives real Windows programs under Xvfb for the GUI tests.

A Session starts (or reuses) an X display, a Wine virtual desktop on it and a
ui-probe server on that desktop, then runs programs there. Tests act as a
user: keys, typing and mouse input go through xdotool's XTEST events to the
desktop, which hands them to the active Windows window. What the windows show
is read back through ui-probe (control texts, list rows, status bar parts,
menus); screenshots are taken at every checkpoint. Everything the session
started is killed when it ends, also after a failure or a time-out.

    with harness.Session(build_dir, "notepad") as s:
        notepad = s.start("notepad")
        s.wait_window(title="Untitled - Notepad")
        s.type("hello")
        s.screenshot("typed")

Text beyond ASCII is typed only after add_keys() has given its characters keys
of their own, before the program starts (see xkeymap.py).

Environment: TARNWICK_GUI_DISPLAY=:N reuses a running X server instead of
starting Xvfb (to watch a test, for instance through a VNC viewer).
"""
import os
import re
import shutil
import signal
import socket
import subprocess
import time
from collections import namedtuple

import xkeymap

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.normpath(os.path.join(HERE, "..", ".."))

Control = namedtuple("Control", "hwnd parent id cls text visible enabled rect")
Column = namedtuple("Column", "index width text")
Row = namedtuple("Row", "index selected focused rect texts")
ListView = namedtuple("ListView", "hwnd count selected focused columns rows")
TreeItem = namedtuple("TreeItem", "depth selected expanded rect text")
ComboBox = namedtuple("ComboBox", "hwnd selected text entries")
ToolButton = namedtuple("ToolButton", "index command enabled checked hidden separator rect text")
MenuEntry = namedtuple("MenuEntry", "path id flags text")
Window = namedtuple("Window", "hwnd pid cls title visible rect state")
Server = namedtuple("Server", "id port root user password")


class HarnessError(Exception):
    """The harness could not do what the test asked (not a finding about the program)."""


class TestTimeout(Exception):
    pass


class TestFailure(AssertionError):
    pass


def check(condition, message):
    """Fails the test with message unless condition holds."""
    if not condition:
        raise TestFailure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise TestFailure("%s: expected %r, got %r" % (what, expected, actual))


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def windows_path(path):
    """A Linux path as Wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def _unescape(field):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(m.group(1), m.group(1)), field)


def wait_until(condition, timeout, what, interval=0.1):
    """Polls condition until it returns something true and returns that; fails naming what after timeout s."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TestFailure("timed out after %g s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Program:
    """A Windows program the session started on its desktop."""

    def __init__(self, popen, name):
        self.popen = popen
        self.name = name

    def running(self):
        return self.popen.poll() is None

    def wait(self, timeout):
        """The program's exit code; fails the test when it is still running after timeout s."""
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure("%s still runs after %g s" % (self.name, timeout)) from None


class Session:
    def __init__(self, build, test, timeout=60, size=(1280, 800)):
        self.build = os.path.abspath(build)
        self.test = test
        self.timeout = timeout
        self.size = size
        self.bin = os.path.join(self.build, "bin")
        self.marker = "tarnwick-gui-%d" % os.getpid()
        self.desktop = self.marker  # no character that is special in xdotool's regular expressions
        self.registry = "Software\\Velmora Software\\Tarnwick Tests\\gui-%d" % os.getpid()
        self.shots = os.path.join(self.build, "gui-shots", test)
        # A fresh folder of the test's own for local files (windows_path() names it for Wine).
        self.work = os.path.join(self.build, "gui-work", test)
        self.shot_count = 0
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=os.path.join(self.build, "wineprefix"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", WINEARCH="win64", TARNWICK_GUI_SESSION=self.marker,
                        TARNWICK_REGISTRY=self.registry)
        self.xvfb = None
        self.desktop_process = None
        self.probe_process = None
        self.started = []
        self.servers = []
        self.extra_keys = set()
        self.dpi_changed = False

    # --- life cycle -----------------------------------------------------------------------------

    def __enter__(self):
        signal.signal(signal.SIGALRM, self._on_alarm)
        signal.signal(signal.SIGTERM, self._on_terminate)
        signal.alarm(self.timeout)
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, value, traceback):
        if kind is not None and self.desktop_process is not None:
            try:
                self.screenshot("failure")
            except Exception:  # the failure itself matters more
                pass
        signal.alarm(0)
        self.close()
        return False

    def _on_alarm(self, *_):
        raise TestTimeout("the test did not finish within %d s" % self.timeout)

    def _on_terminate(self, *_):
        raise TestTimeout("the test was stopped")  # cleans up on the way out, like a time-out

    def _start(self):
        for program in ("ui-probe.exe", "ui-probe-agent.dll"):
            if not os.path.exists(os.path.join(self.bin, program)):
                raise HarnessError("%s is missing: build the target ui-probe in %s" % (program, self.build))
        for folder in (self.shots, self.work):
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        # The prefix's wineserver and services outlive the session and are shared with other tests:
        # they start here, before the session's marker is in the environment.
        shared = {k: v for k, v in self.env.items() if k not in ("TARNWICK_GUI_SESSION", "DISPLAY")}
        subprocess.run(["bash", "-c", '. "$0/scripts/wine-env" "$1" && ensure_wine_prefix', TOP, self.build],
                       check=True, env=shared)
        # A wineserver kept alive spares every Wine process a start-up wait; this one lingers for
        # the next test and then goes (one already running, as under scripts/test, stays as it is
        # and answers 2). A new one starts the prefix's services at once.
        if subprocess.run(["wineserver", "-p10"], env=shared, stderr=subprocess.DEVNULL).returncode == 0:
            subprocess.run(["wine", "cmd", "/c", "exit"], env=shared, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        self._start_display()
        self.desktop_process = self._spawn(["wine", "explorer", "/desktop=%s,%dx%d" % ((self.desktop,) + self.size)])
        desktop_x = wait_until(lambda: self.x_windows("^%s - Wine desktop$" % self.desktop), 30,
                               "the Wine desktop window")[0]
        geometry = self._xdotool("getwindowgeometry", "--shell", desktop_x)
        # Windows screen coordinates are X coordinates only while the desktop sits at the origin.
        if "X=0\n" not in geometry or "Y=0\n" not in geometry:
            raise HarnessError("the Wine desktop is not at the screen origin: " + geometry)
        # With the desktop holding the X input focus, XTEST input reaches the active Windows window.
        self._xdotool("windowfocus", "--sync", desktop_x)
        self.probe_process = self._spawn(["wine", os.path.join(self.bin, "ui-probe.exe"), "--desktop", self.desktop,
                                          "serve"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.probe("windows")  # answers once the probe runs

    def _start_display(self):
        given = os.environ.get("TARNWICK_GUI_DISPLAY")
        if given:
            self.env["DISPLAY"] = given
            return
        # Xvfb -displayfd may pick a number whose socket a killed server left behind and then
        # exit: try numbers without a lock file until a server stays up and answers.
        for number in range(20, 200):
            if os.path.exists("/tmp/.X%d-lock" % number):
                continue
            xvfb = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "%dx%dx24" % self.size, "-nolisten",
                                     "tcp", "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    start_new_session=True)
            display = dict(self.env, DISPLAY=":%d" % number)
            deadline = time.monotonic() + 10
            while xvfb.poll() is None and time.monotonic() < deadline:
                if subprocess.run(["xdotool", "getdisplaygeometry"], env=display, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL).returncode == 0:
                    self.xvfb = xvfb
                    self.env["DISPLAY"] = display["DISPLAY"]
                    return
                time.sleep(0.05)
            xvfb.kill()
            xvfb.wait()
        raise HarnessError("Xvfb did not start")

    def _spawn(self, command, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        return subprocess.Popen(command, env=self.env, start_new_session=True, **kwargs)

    def close(self):
        """Stops everything the session started: programs, probe, desktop, servers, display, scratch key."""
        for server in self.servers:
            try:
                self.ask("stop %s" % server.id)
            except (OSError, HarnessError):
                pass  # the manager went first: it stops its servers itself
        self.servers = []
        if self.dpi_changed:
            self.reset_dpi()
        if self.registry:
            self._forget_scratch_key()
            self.registry = None
        # Wine starts a program's process in a session of its own: find them all by the marker
        # in their environment.
        for pid in self._marked_processes():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        for process in [self.probe_process, self.desktop_process] + [p.popen for p in self.started]:
            if process is not None:
                process.kill()
                process.wait()
        self.probe_process = self.desktop_process = None
        self.started = []
        if self.xvfb is not None:
            self.xvfb.terminate()  # lets it remove its socket and lock file
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
            self.xvfb = None

    def _registry_tool(self, *arguments):
        subprocess.run(["wine", "reg"] + list(arguments), env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    def set_dpi(self, dpi):
        """The display scaling of programs started from now on (96 is 100%, 144 is 150%); the session
        puts the prefix back to 100% when it ends."""
        self._registry_tool("add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                            str(dpi), "/f")
        self.dpi_changed = True

    def reset_dpi(self):
        """Programs started from now on see the screen at 100% again."""
        self._registry_tool("delete", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/f")
        self.dpi_changed = False

    def _forget_scratch_key(self):
        try:
            self.probe("forget-key", self.registry)
        except (HarnessError, TestFailure, OSError):  # the probe is gone: ask reg.exe, which is slower
            self._registry_tool("delete", "HKCU\\" + self.registry, "/f")

    # Wine's own processes of the prefix, shared with other tests even when a session started them.
    SHARED_PROGRAMS = ("wineserver", "services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe", "rpcss.exe",
                       "explorer.exe")

    def _marked_processes(self):
        found = []
        needle = ("TARNWICK_GUI_SESSION=%s\0" % self.marker).encode()
        for name in os.listdir("/proc"):
            if not name.isdigit() or int(name) == os.getpid():
                continue
            try:
                with open("/proc/%s/environ" % name, "rb") as f:
                    marked = needle in f.read()
                with open("/proc/%s/cmdline" % name, "rb") as f:
                    command = f.read().decode("utf-8", "replace").replace("\0", " ")
            except OSError:
                continue
            program = re.split(r"[\\/]", command.split(" ")[0])[-1].lower()
            ours = "/desktop=%s," % self.desktop in command
            if marked and (ours or program not in self.SHARED_PROGRAMS):
                found.append(int(name))
        return found

    # --- programs ---------------------------------------------------------------------------------

    def start(self, program, *arguments):
        """Starts a Windows program on the session's desktop: a path (of the build's bin folder when it
        has no folder; a Windows path, with backslashes, as it is) or a command such as "notepad"."""
        if program.endswith(".exe") and os.sep not in program and "\\" not in program:
            program = os.path.join(self.bin, program)
        if os.sep in program:
            program = windows_path(program)
        popen = self._spawn(["wine", os.path.join(self.bin, "ui-probe.exe"), "--desktop", self.desktop, "run",
                             program] + list(arguments))
        started = Program(popen, os.path.basename(program))
        self.started.append(started)
        return started

    def cli(self, *arguments):
        """Runs tarnwick-cli.exe on the session's scratch registry key: (exit code, output)."""
        run = subprocess.run(["wine", os.path.join(self.bin, "tarnwick-cli.exe"), "--registry", self.registry] +
                             list(arguments), env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, timeout=60)
        return run.returncode, run.stdout.decode("utf-8", "replace").replace("\r\n", "\n")

    def registry_values(self, subkey):
        """{name: data} of the values below the session's scratch key's subkey (REG_SZ data as text,
        other data as hexadecimal bytes); {} when the key does not exist."""
        return {r[1]: r[3] for r in self.probe("registry", "%s\\%s" % (self.registry, subkey))}

    # --- the test servers (tests/support/testenv) -------------------------------------------------

    def ask(self, request):
        """One request to the test environment's server manager; its answer line."""
        port_file = os.path.join(self.build, "testenv", "manager.port")
        if not os.path.exists(port_file):
            raise HarnessError("the test servers are not running (tests/support/testenv setup)")
        with socket.create_connection(("127.0.0.1", int(open(port_file).read()))) as s:
            s.sendall((request + "\n").encode())
            return s.makefile().readline().strip()

    def server(self, kind="vsftpd", tls="none", cert="good"):
        """A real FTP server for this test, stopped when the session ends."""
        answer = self.ask("start %s %s %s" % (kind, tls, cert)).split()
        if answer[:1] != ["ok"]:
            raise HarnessError("could not start %s: %s" % (kind, " ".join(answer)))
        server = Server(answer[1], int(answer[2]), answer[3], answer[4], answer[5])
        self.servers.append(server)
        return server

    # --- reading windows through the probe --------------------------------------------------------

    def probe(self, *request, allow_failure=False):
        """Sends one request to the probe; its records as lists of fields. A request the probe
        cannot answer fails the test, unless allow_failure (then None)."""
        if self.probe_process is None or self.probe_process.poll() is not None:
            raise HarnessError("the probe is not running")
        line = "\t".join(str(x) for x in request) + "\n"
        self.probe_process.stdin.write(line.encode())
        self.probe_process.stdin.flush()
        records, errors = [], []
        out = self.probe_process.stdout
        while True:
            raw = out.readline()
            if not raw:
                raise HarnessError("the probe ended")
            fields = [_unescape(f) for f in raw.decode("utf-8", "replace").rstrip("\r\n").split("\t")]
            if fields[0] == "end":
                break
            (errors if fields[0] == "error" else records).append(fields)
        if errors or fields[1] != "0":
            if allow_failure:
                return None
            raise TestFailure("ui-probe %s: %s" % (" ".join(map(str, request)), "; ".join(e[1] for e in errors)))
        return records

    @staticmethod
    def _query(title=None, title_part=None, cls=None, hwnd=None, hidden=False):
        query = []
        if hwnd is not None:
            query += ["--hwnd", hwnd]
        if title is not None:
            query += ["--title", title]
        if title_part is not None:
            query += ["--title-part", title_part]
        if cls is not None:
            query += ["--class", cls]
        if hidden:
            query.append("--hidden")
        return query

    @staticmethod
    def _window(fields):
        return Window(fields[1], int(fields[2]), fields[3], fields[4], fields[5] == "visible",
                      tuple(int(x) for x in fields[6:10]), fields[10])

    def windows(self, **query):
        """The desktop's top-level windows that match (title=, title_part=, cls=, hwnd=, hidden=)."""
        return [self._window(r) for r in self.probe(*self._query(**query), "windows")]

    def foreground(self):
        """The window in the foreground, or None."""
        records = self.probe("foreground")
        return self._window(records[0]) if records else None

    def wait_window(self, timeout=20, **query):
        records = self.probe(*self._query(**query), "--timeout", int(timeout * 1000), "wait")
        return self._window(records[0])

    def wait_gone(self, timeout=20, **query):
        self.probe(*self._query(**query), "--timeout", int(timeout * 1000), "gone")

    def controls(self, **query):
        controls = []
        for r in self.probe(*self._query(**query), "controls"):
            if r[0] == "control":
                controls.append(Control(r[1], r[2], int(r[3]), r[4], r[5], r[6] == "visible", r[7] == "enabled",
                                        tuple(int(x) for x in r[8:12])))
        return controls

    def control(self, control_id, **query):
        """The first descendant with the id; fails the test when there is none."""
        for c in self.controls(**query):
            if c.id == control_id:
                return c
        raise TestFailure("no control with id %d in the window %r" % (control_id, query))

    def focus(self, **query):
        """(HWND, control id) of the keyboard focus in the window's thread."""
        records = self.probe(*self._query(**query), "controls")
        focus = [r for r in records if r[0] == "focus"][0]
        return focus[1], int(focus[2])

    def list_view(self, control_id, visible_only=False, **query):
        """The list view's columns and rows (only the rows on screen with visible_only)."""
        columns, rows, head = [], [], None
        request = ["list", control_id] + (["visible"] if visible_only else [])
        for r in self.probe(*self._query(**query), *request):
            if r[0] == "list":
                head = r
            elif r[0] == "column":
                columns.append(Column(int(r[1]), int(r[2]), r[3]))
            elif r[0] == "row":
                flags = r[2].split(",")
                rows.append(Row(int(r[1]), "selected" in flags, "focused" in flags, tuple(int(x) for x in r[3:7]),
                                r[7:]))
        return ListView(head[1], int(head[2]), int(head[3]), int(head[4]), columns, rows)

    def tree_view(self, control_id, **query):
        items = []
        for r in self.probe(*self._query(**query), "tree", control_id):
            if r[0] == "item":
                flags = r[2].split(",")
                items.append(TreeItem(int(r[1]), "selected" in flags, "expanded" in flags,
                                      tuple(int(x) for x in r[3:7]), r[7]))
        return items

    def status_parts(self, control_id=None, **query):
        request = ["status"] + ([control_id] if control_id is not None else [])
        return [r[2] for r in self.probe(*self._query(**query), *request) if r[0] == "part"]

    def combo_box(self, control_id, **query):
        records = self.probe(*self._query(**query), "combo", control_id)
        head = records[0]
        return ComboBox(head[1], int(head[3]), head[4], [r[2] for r in records[1:]])

    def toolbar(self, control_id, **query):
        buttons = []
        for r in self.probe(*self._query(**query), "toolbar", control_id):
            flags = r[3].split(",")
            buttons.append(ToolButton(int(r[1]), int(r[2]), "enabled" in flags, "checked" in flags, "hidden" in flags,
                                      "separator" in flags, tuple(int(x) for x in r[4:8]), r[8]))
        return buttons

    def menu(self, **query):
        return [MenuEntry(r[1], int(r[2]), r[3].split(","), r[4]) for r in self.probe(*self._query(**query), "menu")]

    def send_command(self, command_id, **query):
        """Posts WM_COMMAND with the id to the window: only for commands no key or click reaches."""
        self.probe(*self._query(**query), "command", command_id)

    def processes(self, image=None):
        """(pid, program) of the prefix's Windows processes, of the given program name only when given."""
        found = [(int(r[1]), r[3]) for r in self.probe("processes")]
        return [p for p in found if image is None or p[1].lower() == image.lower()]

    # --- acting as a user (xdotool) -----------------------------------------------------------------

    def _xdotool(self, *arguments):
        run = subprocess.run(["xdotool"] + [str(a) for a in arguments], env=self.env, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, timeout=30)
        if run.returncode != 0:
            raise HarnessError("xdotool %s: %s" % (" ".join(map(str, arguments)), run.stderr.decode().strip()))
        return run.stdout.decode()

    def x_windows(self, name_pattern):
        """X window ids whose name matches the regular expression."""
        run = subprocess.run(["xdotool", "search", "--name", name_pattern], env=self.env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, timeout=30)
        return run.stdout.decode().split()

    def key(self, *keys):
        """Presses keys as xdotool names them ("ctrl+t", "Return", "alt+F4"), one after the other."""
        self._xdotool("key", "--delay", 60, *keys)

    def add_keys(self, characters):
        """Gives characters beyond ASCII keys of their own, for type(); call it before starting the
        program that is to receive them (see xkeymap)."""
        new = sorted(set(c for c in characters if ord(c) > 0x7e) - self.extra_keys)
        if new and self.started:
            raise HarnessError("add_keys() after a program started: it would lose keystrokes")
        if new and not xkeymap.add_keys(self.env["DISPLAY"], new):
            raise HarnessError("no free keys on the display for %r" % "".join(new))
        self.extra_keys.update(new)

    def type(self, text):
        missing = set(c for c in text if ord(c) > 0x7e) - self.extra_keys
        if missing:
            raise HarnessError("type(): %r needs add_keys() before the program starts" % "".join(sorted(missing)))
        self._xdotool("type", "--delay", 30, text)

    # No "mousemove --sync": it waits for ever when the pointer is already there, and XTEST
    # events arrive in order anyway.
    def click(self, x, y, button=1):
        self._xdotool("mousemove", x, y, "click", button)

    def double_click(self, x, y):
        self._xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, 1)

    def click_control(self, control_id, button=1, **query):
        """Clicks the centre of the window's control with the id."""
        self.click(*centre(self.control(control_id, **query).rect), button=button)

    def drag(self, start, end, steps=8, hold=0.0):
        """Presses the left button at start, moves to end in steps, and lets go there. With hold, the
        hand rests that many seconds after the first steps, the button still down (a drag whose
        source first fetches what it drags)."""
        self._xdotool("mousemove", *start, "mousedown", 1)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            time.sleep(0.05)  # spaced like a hand's movement, so that the drag is recognised
            self._xdotool("mousemove", x, y)
            if i == 2 and hold:
                time.sleep(hold)
        self._xdotool("mouseup", 1)

    # --- evidence ------------------------------------------------------------------------------------

    def screenshot(self, name):
        """The whole screen as build/windows/gui-shots/<test>/<nn>-<name>.png; its path."""
        self.shot_count += 1
        path = os.path.join(self.shots, "%02d-%s.png" % (self.shot_count, name))
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, timeout=30)
        return path


def main(test, name, timeout=60):
    """Runs test(session) in a fresh session; the build folder is the first argument. Exit code 0 on
    success, 1 on a failure."""
    import sys
    import traceback
    if len(sys.argv) != 2:
        print("usage: %s BUILD_WINDOWS_DIR" % sys.argv[0], file=sys.stderr)
        sys.exit(2)
    try:
        with Session(sys.argv[1], name, timeout=timeout) as session:
            test(session)
    except (TestFailure, TestTimeout, HarnessError, subprocess.SubprocessError, OSError):
        traceback.print_exc()
        print("FAILED (screenshots in %s)" % os.path.join(os.path.abspath(sys.argv[1]), "gui-shots", name))
        sys.exit(1)
    print("passed")
