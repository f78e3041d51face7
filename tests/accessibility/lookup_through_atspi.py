#!/usr/bin/env python3
"""A lookup as a screen reader follows it, through the real AT-SPI bus.

Starts the real program over a private home with a small dictionary built
here, types a word into the lookup box as a keyboard does (xdotool, through
the X server), and reads back what an assistive tool reads: the lookup box's
description, the entries' text, and where F6 puts the focus and the caret.

    lookup_through_atspi.py LIRABO MAKREL

Run it inside an X server and a session bus of its own (CMake runs it under
xvfb-run and dbus-run-session). Every wait is bounded: the whole run fails
after kDeadlineSeconds rather than hang.
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

kDeadlineSeconds = 55
kWord = "banana"
kDefinition = "an elongated yellow fruit"
# The entry's first line as the lookup box describes it: headword, a
# space, the body up to its first hard break.
kEntryLine = kWord + " " + kDefinition
kEntriesName = "Dictionary entries"  # the name the English language file gives the view
kEntries = [
    ("apple", "a round fruit\\nof trees"),
    (kWord, kDefinition + "\\ngrown in the tropics"),
    ("cherry", "a small red fruit"),
    ("grape", "a vine fruit"),
]


class Failure(Exception):
    pass


def on_deadline(_signum, _frame):
    raise Failure("no answer within %d s" % kDeadlineSeconds)


def wait_for(what, probe, seconds=10.0):
    """probe() until it gives something true; Failure naming what after seconds."""
    end = time.monotonic() + seconds
    last_error = None
    while time.monotonic() < end:
        try:
            found = probe()
            if found:
                return found
        except Failure:
            raise
        except Exception as error:  # a proxy that went away: ask again
            last_error = error
        time.sleep(0.1)
    raise Failure("timed out waiting for %s%s" % (what, " (%s)" % last_error if last_error else ""))


def keys(*arguments):
    """Keys through the X server to the focused window. Not the registry's
    own generateKeyboardEvent: its X11 device crashes the client now and then."""
    subprocess.run(["xdotool"] + list(arguments), check=True, timeout=10)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for index in range(node.childCount):
        yield from walk(node.getChildAtIndex(index), depth + 1)


def has_state(node, state):
    return node.getState().contains(state)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def make_dictionary(folder, makrel):
    source = os.path.join(folder, "words.tsv")
    with open(source, "w", encoding="utf-8") as out:
        for headword, body in kEntries:
            out.write("%s\t%s\n" % (headword, body))
    target = os.path.join(folder, "fruit.ldi")
    subprocess.run([makrel, "build", "--name", "Fruit", source, target], check=True, timeout=20,
                   stdout=subprocess.DEVNULL)
    return target


def private_environment(folder):
    environment = dict(os.environ)
    for name in ("home", "config", "data", "cache", "runtime"):
        os.makedirs(os.path.join(folder, name), mode=0o700, exist_ok=True)
    environment.update({
        "HOME": os.path.join(folder, "home"),
        "XDG_CONFIG_HOME": os.path.join(folder, "config"),
        "XDG_DATA_HOME": os.path.join(folder, "data"),
        "XDG_CACHE_HOME": os.path.join(folder, "cache"),
        "XDG_RUNTIME_DIR": os.path.join(folder, "runtime"),
        # The bus launcher aborts without its settings schema, which lies
        # in the system's data folders.
        "XDG_DATA_DIRS": "/usr/local/share:/usr/share",
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_ACCESSIBILITY": "1",
        "QT_QPA_PLATFORM": "xcb",
    })
    # The session bus of this run holds the accessibility bus, not a
    # desktop around it.
    for name in ("WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
        environment.pop(name, None)
    return environment


def find_application(program):
    desktop = pyatspi.Registry.getDesktop(0)

    def probe():
        if program.poll() is not None:
            raise Failure("the program ended at start with %d" % program.returncode)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == "Lirabo":
                return application
        return None

    return wait_for("the program on the accessibility bus", probe, 25.0)


def find_lookup_box(application):
    """The editable combo box and the line edit inside it."""

    def probe():
        for node in walk(application):
            if node.getRole() != pyatspi.ROLE_COMBO_BOX:
                continue
            for child in node:
                if child is not None and child.getRole() == pyatspi.ROLE_TEXT and \
                        has_state(child, pyatspi.STATE_EDITABLE):
                    return node, child
        return None

    return wait_for("the lookup box", probe)


def find_entries(application):
    """The view of the Dictionary tab: read-only text, named for what it shows."""

    def probe():
        for node in walk(application):
            if node.getRole() == pyatspi.ROLE_TEXT and node.name == kEntriesName and \
                    not has_state(node, pyatspi.STATE_EDITABLE) and has_state(node, pyatspi.STATE_SHOWING) and \
                    kWord in text_of(node):
                return node
        return None

    return wait_for("the entries' text with %r" % kWord, probe)


def focused(application):
    for node in walk(application):
        if has_state(node, pyatspi.STATE_FOCUSED):
            return node
    return None


def entries_focused(application):
    node = focused(application)
    if node is not None and node.getRole() == pyatspi.ROLE_TEXT and not has_state(node, pyatspi.STATE_EDITABLE):
        return node
    return None


def check(application):
    combo, line = find_lookup_box(application)
    wait_for("the keyboard in the lookup box", lambda: has_state(line, pyatspi.STATE_FOCUSED))

    keys("type", "--delay", "20", kWord)
    wait_for("the typed word in the lookup box", lambda: text_of(line) == kWord)

    # Typing pauses: the box says what it found.
    wait_for("the lookup box's description %r" % kEntryLine,
             lambda: line.description == kEntryLine and combo.description == kEntryLine)

    entries = find_entries(application)
    shown = text_of(entries)
    if kDefinition not in shown:
        raise Failure("the entries' text lacks the definition: %r" % shown[:200])

    keys("key", "F6")
    view = wait_for("the entries to take the keyboard", lambda: entries_focused(application))
    caret = view.queryText().caretOffset
    whole = text_of(view)
    if not whole[caret:].startswith(kWord):
        raise Failure("the caret is not at the start of the entry: offset %d, %r" % (caret, whole[caret:caret + 40]))

    # And back: the lookup box has the keyboard again.
    keys("key", "F6")
    wait_for("the keyboard back in the lookup box", lambda: has_state(line, pyatspi.STATE_FOCUSED))


def run(lirabo, makrel, folder):
    """Raises Failure, and prints the program's own messages then."""
    dictionary = make_dictionary(folder, makrel)
    program = subprocess.Popen([lirabo, dictionary], env=private_environment(folder),
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        check(find_application(program))
    except Failure:
        end(program)
        said = program.stderr.read().decode(errors="replace")
        if said.strip():
            sys.stderr.write("lirabo said:\n" + said)
        raise
    end(program)


def end(program):
    """Ends the program this run started, by its own id."""
    if program.poll() is not None:
        return
    program.terminate()
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: lookup_through_atspi.py LIRABO MAKREL\n")
        return 2
    signal.signal(signal.SIGALRM, on_deadline)
    signal.alarm(kDeadlineSeconds)
    with tempfile.TemporaryDirectory(prefix="lirabo-atspi-") as folder:
        try:
            run(argv[1], argv[2], folder)
        except Failure as failure:
            print("lookup through AT-SPI FAILED: %s" % failure, flush=True)
            return 1
    print("lookup through AT-SPI: passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
