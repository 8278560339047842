"""What the GUI tests of the site dialogs share: finding the dialogs, their balloons and the
connection-test result."""
import harness

STEPS = 521       # the connection test's step table
REPORT = 524      # its report
FOLDER = 522      # its working folder
LISTING = 523     # its listing
SITE_LIST = 401   # the Site Manager's list


def _controls_of(s, window):
    """The window's controls; none when it went away meanwhile (a progress dialog closing)."""
    try:
        return s.controls(hwnd=window.hwnd)
    except harness.TestFailure:
        return []


def window_with(s, title, control_id, timeout=20):
    """The visible top-level window of that title that holds the control (progress dialogs share titles)."""
    def found():
        for window in s.windows(title=title):
            if window.visible and any(c.id == control_id for c in _controls_of(s, window)):
                return window
        return None
    return harness.wait_until(found, timeout, "the window %r" % title, interval=0.2)


def balloon(s, timeout=10):
    """The text of the visible balloon tip."""
    def shown():
        tips = [w for w in s.windows(cls="tooltips_class32") if w.visible and w.title]
        return tips[0].title if tips else None
    return harness.wait_until(shown, timeout, "a balloon tip", interval=0.2)


def dismiss_message(s, title, text, timeout=30):
    """Presses Enter on the message box of that title that says text (progress dialogs share titles)."""
    def found():
        for window in s.windows(title=title):
            if window.visible and any(c.text == text for c in _controls_of(s, window)):
                return window
        return None
    box = harness.wait_until(found, timeout, "the message %r" % text, interval=0.2)
    s.key("Return")
    s.wait_gone(hwnd=box.hwnd)


def answer_prompt(s, caption, *keys):
    """Answers the message box of that caption with keys (by default Return: its first button)."""
    prompt = s.wait_window(title=caption)
    s.key(*(keys or ("Return",)))
    s.wait_gone(hwnd=prompt.hwnd)


def read_test_result(s):
    """The connection test's result window: (window, step rows, report, working folder, listing)."""
    result = window_with(s, "FTP Connection Test", STEPS, timeout=40)
    steps = [r.texts[0] for r in s.list_view(STEPS, hwnd=result.hwnd).rows]
    controls = {c.id: c for c in s.controls(hwnd=result.hwnd)}
    return result, steps, controls[REPORT].text.replace("\r\n", "\n"), controls[FOLDER].text


def close_test_result(s, result):
    s.key("Return")
    s.wait_gone(hwnd=result.hwnd)


def site_rows(s, manager):
    return [r.texts for r in s.list_view(SITE_LIST, hwnd=manager.hwnd).rows]


def click_tab(s, sheet, share):
    """Clicks the sheet's tab row share percent across (the first tab near 15, the second near 45)."""
    tabs = [c for c in s.controls(hwnd=sheet.hwnd) if c.cls == "SysTabControl32"][0]
    left, top, right, _ = tabs.rect
    s.click(left + (right - left) * share // 100, top + 8)


def open_advanced_page(s, sheet):
    """Clicks the sheet's second tab, "Advanced Properties", and moves on to its label field."""
    click_tab(s, sheet, 45)
    harness.wait_until(lambda: s.control(421, hwnd=sheet.hwnd).visible or None, 10, "the Advanced page")
    s.key("Tab")  # from the tab to the first field
    harness.wait_until(lambda: s.focus(hwnd=sheet.hwnd)[1] == 421 or None, 10, "the label field of Advanced")
