#!/usr/bin/env python3
"""What a screen reader finds in the real program, read through AT-SPI as it reads it.

The program is started on a page of the test's own HTTP server, on the display and the
session bus the test runs under (xvfb-run and dbus-run-session give it its own of both),
with the desktop's accessibility bus. Each view is chosen through the tab strip as a
screen reader chooses a tab; with each shown, every control a user can operate (a
button, a box to type in, a tab, a table, a list to choose from, a tick, a menu item)
must have a name to be called by. The code viewer must give its text, counted in
characters, and tell of its caret's moves; the Image List and the Keyboard Shortcuts
window must tell of their current line; and a page that cannot be opened must be said as
it is shown in the status bar.

Usage: accessibility_tree_test.py --program <quorvane>
"""

import argparse
import http.server
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

DEADLINE_SECONDS = 180

# Controls a user operates, which a screen reader must be able to call by a name.
INTERACTIVE_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM,
}

# The web documents inside the views are the pages' own, not the window's: the walk stops
# at them, and at whatever another process (the engine's) shows.
DOCUMENT_ROLES = {pyatspi.ROLE_DOCUMENT_WEB, pyatspi.ROLE_DOCUMENT_FRAME}

MARKER = "marker-accessible-page"
# Characters of two and three bytes before the marker: a screen reader counts characters
# where the code viewer counts bytes.
PAGE = (
    "<!DOCTYPE html><html><head><title>Accessible Page</title></head><body>\n"
    "<p>caf\u00e9 \u65e5\u672c</p>\n"
    f"<p>{MARKER}</p>\n<img src=\"one.png\" alt=\"one\"><img src=\"two.png\"></body></html>"
)
# A picture of one pixel.
PNG = bytes.fromhex(
    "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
    "1f15c4890000000d49444154789c6360f8cf00000301010018dd8db00000000049454e44ae426082"
)


class Pages(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        pages = {"/page.html": (PAGE.encode(), "text/html; charset=utf-8"),
                 "/one.png": (PNG, "image/png"), "/two.png": (PNG, "image/png")}
        if self.path not in pages:
            self.send_error(404)
            return
        body, kind = pages[self.path]
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *arguments):
        pass


class Fault(Exception):
    """A fault after which the checks cannot go on."""


def wait_for(what, done, shown=lambda: ""):
    """Runs the bus's events until done() gives a true value, which it returns; shown()
    says what there was instead."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + DEADLINE_SECONDS
    while time.monotonic() < deadline:
        try:
            found = done()
        except GLib.GError:
            found = None  # an object went while it was asked
        if found:
            return found
        while context.pending():
            context.iteration(False)
        time.sleep(0.1)
    raise Fault(f"waited {DEADLINE_SECONDS} s for {what} {shown()}")


def program_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is not None and application.get_process_id() == pid:
            return application
    return None


def window_of(application, named):
    windows = (application.getChildAtIndex(i) for i in range(application.childCount))
    return next((window for window in windows if window is not None and named(window.name)),
                None)


def descendants(accessible, pid):
    """Every accessible below accessible in the program's own process, the web documents
    left out."""
    for index in range(accessible.childCount):
        try:
            child = accessible.getChildAtIndex(index)
            if child is None or child.get_process_id() != pid:
                continue
            document = child.getRole() in DOCUMENT_ROLES
        except GLib.GError:
            continue  # it went while the walk asked
        yield child
        if not document:
            yield from descendants(child, pid)


def is_named(accessible, role, name):
    try:
        return accessible.getRole() == role and accessible.name == name
    except GLib.GError:
        return False  # it went while the walk asked


def find(root, pid, role, name):
    return next((found for found in descendants(root, pid) if is_named(found, role, name)), None)


def control(root, pid, role, name):
    """The control a check works with, which must be there."""
    found = find(root, pid, role, name)
    if found is None:
        raise Fault(f"no {pyatspi.Atspi.role_get_name(role)} named {name!r}")
    return found


def showing(accessible):
    return accessible is not None and accessible.getState().contains(pyatspi.STATE_SHOWING)


def path_of(accessible):
    steps = []
    while accessible is not None and accessible.getRole() != pyatspi.ROLE_APPLICATION:
        steps.append(f"{accessible.getRoleName()} '{accessible.name}'")
        accessible = accessible.parent
    return " < ".join(steps)


def unnamed(accessible):
    try:
        return accessible.getRole() in INTERACTIVE_ROLES and not accessible.name.strip()
    except GLib.GError:
        return False  # it went while the walk asked


def unnamed_controls(root, pid):
    return [path_of(accessible) for accessible in descendants(root, pid) if unnamed(accessible)]


def start_program(program, address, home):
    for folder in ("config", "data", "cache", "runtime"):
        os.makedirs(os.path.join(home, folder), exist_ok=True)
    os.chmod(os.path.join(home, "runtime"), 0o700)
    environment = dict(os.environ)
    # The display tests' switches that keep the accessibility bridge off.
    environment.pop("NO_AT_BRIDGE", None)
    environment.pop("GTK_A11Y", None)
    environment.update(
        HOME=home,
        XDG_CONFIG_HOME=os.path.join(home, "config"),
        XDG_DATA_HOME=os.path.join(home, "data"),
        XDG_CACHE_HOME=os.path.join(home, "cache"),
        XDG_RUNTIME_DIR=os.path.join(home, "runtime"),
        GSETTINGS_BACKEND="memory",
    )
    errors = open(os.path.join(home, "stderr.txt"), "w")
    return subprocess.Popen([program, address], env=environment, stderr=errors)


class Events:
    """What the program tells a screen reader of: the notices it has said, and where the
    caret of a text went. Like a screen reader, the test listens to the changes of names
    and descriptions too: the program tells of them only when asked to, and what the test
    has read of an object is kept until it hears of one."""

    def __init__(self, pid):
        self.pid = pid
        self.said = []
        self.carets = []
        pyatspi.Registry.registerEventListener(self.on_showing, "object:state-changed:showing")
        pyatspi.Registry.registerEventListener(self.on_caret, "object:text-caret-moved")
        pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change")

    def on_showing(self, event):
        """A screen reader says a notice's labels (the one of Debian 12 nothing else), and
        keeps a notice of the status bar as the window's status."""
        source = event.source
        if (event.detail1 and source.get_process_id() == self.pid
                and source.getRole() == pyatspi.ROLE_NOTIFICATION):
            labels = [child.name for child in source if child.getRole() == pyatspi.ROLE_LABEL
                      and child.getState().contains(pyatspi.STATE_SHOWING)]
            where = source.parent.getRoleName() if source.parent else "nothing"
            self.said.append(f"{' '.join(labels)} (of the {where})")

    def on_caret(self, event):
        if event.source.get_process_id() == self.pid:
            self.carets.append((event.source.name, event.detail1))


# Each view by its tab's caption, and the control that shows it: its text, its table, or
# the engine's view of its page.
VIEWS = [
    ("Browser", pyatspi.ROLE_SCROLL_PANE, "Browser"),
    ("Source Code", pyatspi.ROLE_SCROLL_PANE, "Source Code"),
    ("Images", pyatspi.ROLE_SCROLL_PANE, "Images"),
    ("Original Source", pyatspi.ROLE_TEXT, "Original Source"),
    ("Image List", pyatspi.ROLE_TABLE, "Image List"),
    ("Resources", pyatspi.ROLE_TABLE, "Resources"),
]


def focus_window_of(pid, keys=None):
    """The keyboard to the main window, as the user's window manager gives it (the Help
    window has it at start), and the keys typed there; a view chosen hands the keyboard on
    to its main part."""
    typed = ["key", "--delay", "150", keys] if keys else []
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid),
                    "--name", "^Quorvane by", "windowfocus", "--sync"] + typed,
                   check=True, timeout=DEADLINE_SECONDS, stdout=subprocess.DEVNULL)


def check_each_view(frame, application, pid):
    """Shows each view through the tab strip; the faults found with each shown."""
    tabs = wait_for("the tab strip", lambda: find(frame, pid, pyatspi.ROLE_PAGE_TAB_LIST, "Views"))
    faults = []
    for index, (caption, role, name) in enumerate(VIEWS):
        focus_window_of(pid)
        tabs.querySelection().selectChild(index)
        tab = tabs.getChildAtIndex(index)
        wait_for(f"the {caption} tab to be chosen",
                 lambda: tab.getState().contains(pyatspi.STATE_SELECTED))
        view = wait_for(f"the {caption} view to show", lambda: next(
            (found for found in descendants(frame, pid)
             if is_named(found, role, name) and showing(found)), None))
        print(f"{caption}: {path_of(view)}")
        for control in unnamed_controls(application, pid):
            faults.append(f"with {caption} shown, no name: {control}")
    return faults


def check_code_text(frame, pid, events):
    """The code viewer gives the page's source as a text, counted in characters, and tells
    where its caret goes as the user moves it."""
    viewer = control(frame, pid, pyatspi.ROLE_TEXT, "Original Source")
    text = viewer.queryText()
    source = wait_for("the source in the code viewer",
                      lambda: MARKER in text.getText(0, -1) and text.getText(0, -1))
    faults = []
    if text.characterCount != len(source):
        faults.append(f"the code viewer counts {text.characterCount} characters, "
                      f"not {len(source)}")
    start = source.index(MARKER)
    if text.getText(start, start + len(MARKER)) != MARKER:
        faults.append(f"the code viewer gives {text.getText(start, start + len(MARKER))!r} "
                      f"at the marker's place")
    line, line_start, _ = text.getTextAtOffset(start + 2, pyatspi.TEXT_BOUNDARY_LINE_START)
    if line != f"<p>{MARKER}</p>\n" or line_start != start - 3:
        faults.append(f"the code viewer gives the line {line!r} from {line_start}")
    text.setCaretOffset(start)
    if text.caretOffset != start:
        faults.append(f"the caret went to {text.caretOffset}, not {start}")
    # Chosen again, the view hands the keyboard to the viewer.
    focus_window_of(pid)
    control(frame, pid, pyatspi.ROLE_PAGE_TAB_LIST, "Views").querySelection().selectChild(3)
    wait_for("the code viewer to have the keyboard",
             lambda: viewer.getState().contains(pyatspi.STATE_FOCUSED))
    focus_window_of(pid, "ctrl+End")
    wait_for("the caret's move to the end of the text to be told",
             lambda: ("Original Source", len(source)) in events.carets,
             lambda: f"(told {events.carets})")
    return faults


def check_current_lines(frame, pid, addresses):
    """The Image List says its current line: the first as the view is shown, the next
    after the user's Down."""
    tabs = find(frame, pid, pyatspi.ROLE_PAGE_TAB_LIST, "Views")
    place = [caption for caption, _, _ in VIEWS].index("Image List")
    focus_window_of(pid)
    tabs.querySelection().selectChild(place)
    wait_for("the Image List tab to be chosen",
             lambda: tabs.getChildAtIndex(place).getState().contains(pyatspi.STATE_SELECTED))
    table = control(frame, pid, pyatspi.ROLE_TABLE, "Image List")
    for address, keys in zip(addresses, [None, "Down"]):
        if keys:
            focus_window_of(pid, keys)
        wait_for(f"the Image List to describe the line of {address}",
                 lambda: table.description.startswith(f"Address: {address}; Found as: "),
                 lambda: f"(it says {table.description!r})")
    return []


def check_notice(frame, pid, events):
    """A page that cannot be opened, asked for through the address box, is said."""
    refused = "http://127.0.0.1:9/"
    box = control(frame, pid, pyatspi.ROLE_TEXT, "URL")
    box.queryEditableText().setTextContents(refused)
    go = control(frame, pid, pyatspi.ROLE_PUSH_BUTTON, "Go")
    go.queryAction().doAction(0)
    said = wait_for(f"the failure to open {refused} to be said",
                    lambda: next((text for text in events.said if refused in text), None),
                    lambda: f"(said {events.said})")
    text = said.removesuffix(" (of the status bar)")
    if text == said:
        return [f"a notice not of the status bar said {said!r}"]
    status = find(frame, pid, pyatspi.ROLE_STATUS_BAR, text)
    return [] if status is not None else [f"the status bar does not say {text!r}"]


def check_shortcuts_window(frame, application, pid):
    """Help > Keyboard Shortcuts, chosen as a screen reader chooses a menu item: the menu
    opened first, then its item."""
    menu = control(frame, pid, pyatspi.ROLE_MENU, "Help")
    menu.queryAction().doAction(0)
    item = control(menu, pid, pyatspi.ROLE_MENU_ITEM, "Keyboard Shortcuts")
    wait_for("the Help menu to open", lambda: showing(item))
    item.queryAction().doAction(0)
    window = wait_for("the Keyboard Shortcuts window",
                      lambda: window_of(application, lambda name: name == "Keyboard Shortcuts"))
    faults = [f"in Keyboard Shortcuts, no name: {control}"
              for control in unnamed_controls(window, pid)]
    # The search box has the keyboard; the list, given it, says its first line.
    table = wait_for("the list of shortcuts",
                     lambda: find(window, pid, pyatspi.ROLE_TABLE, "Keyboard Shortcuts"))
    table.queryComponent().grabFocus()
    wait_for("the first line of the shortcuts to be said",
             lambda: table.description.startswith("Command: File; Keys: "),
             lambda: f"(it says {table.description!r})")
    return faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    arguments = parser.parse_args()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Pages)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    root = f"http://127.0.0.1:{server.server_address[1]}/"
    home = tempfile.mkdtemp(prefix="quorvane-accessibility-")
    program = start_program(arguments.program, root + "page.html", home)
    faults = []
    try:
        application = wait_for("the program on the accessibility bus",
                               lambda: program_application(program.pid))
        events = Events(program.pid)
        frame = wait_for("the main window", lambda: window_of(
            application, lambda name: name.startswith("Quorvane by")))
        faults += check_each_view(frame, application, program.pid)
        faults += check_current_lines(frame, program.pid, [root + "one.png", root + "two.png"])
        faults += check_code_text(frame, program.pid, events)
        faults += check_notice(frame, program.pid, events)
        faults += check_shortcuts_window(frame, application, program.pid)
    except Fault as fault:
        faults.append(str(fault))
    finally:
        program.send_signal(signal.SIGTERM)
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
        server.shutdown()
        with open(os.path.join(home, "stderr.txt")) as errors:
            sys.stderr.write(errors.read())
        shutil.rmtree(home, ignore_errors=True)
    print("\n".join("FAULT: " + fault for fault in faults) if faults else "No faults.")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
