#!/usr/bin/python3
"""Reads what a screen reader reads of the running game, through the accessibility bus.

    a11y.py showing       one line per control on the screen: role, name and text, tab-separated
    a11y.py focused       the control with the keyboard focus: role and name, tab-separated
    a11y.py press TITLE   does the press action of the window with that title, as a screen
                          reader does when its user activates the window; prints its description
    a11y.py hear SECONDS  prints "listening" once it listens, then the first notification that
                          the game shows (what a screen reader says unasked), within SECONDS
    a11y.py type NAME TEXT  puts TEXT into the text box on the screen named NAME
    a11y.py click NAME [WINDOW]  does the press action of the button on the screen named NAME
                          (in the window with the title WINDOW)
"""
import sys
import threading
import time

import pyatspi


def game():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "vorlan-cup":
                return app
        time.sleep(0.1)
    sys.exit("the game is not on the accessibility bus")


def role_of(node):
    # AT-SPI names this role "push button" up to Debian 12 and "button" after it.
    if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
        return "push button"
    return node.getRoleName()


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def showing(node, out):
    if node is None:
        return
    if pyatspi.STATE_SHOWING not in node.getState().getStates():
        return
    out.append("\t".join([role_of(node), node.name or "", text_of(node)]))
    for child in node:
        showing(child, out)


def focused(node):
    if node is None:
        return None
    states = node.getState().getStates()
    if pyatspi.STATE_SHOWING not in states:
        return None
    if pyatspi.STATE_FOCUSED in states:
        return node
    for child in node:
        found = focused(child)
        if found is not None:
            return found
    return None


def press(title):
    for _ in range(100):
        for window in game():
            if window is not None and window.name == title:
                actions = window.queryAction()
                for i in range(actions.nActions):
                    if actions.getName(i).lower() == "press":
                        print(window.description)
                        actions.doAction(i)
                        return
                sys.exit("the window %r offers no press action" % title)
        time.sleep(0.1)
    sys.exit("no window %r on the accessibility bus" % title)


def find_showing(node, role, name):
    if node is None or pyatspi.STATE_SHOWING not in node.getState().getStates():
        return None
    if role_of(node) == role and node.name == name:
        return node
    for child in node:
        found = find_showing(child, role, name)
        if found is not None:
            return found
    return None


def control(role, name, title=None):
    for _ in range(100):
        for window in game():
            if title is not None and (window is None or window.name != title):
                continue
            found = find_showing(window, role, name)
            if found is not None:
                return found
        time.sleep(0.1)
    sys.exit("no %s %r on the screen" % (role, name))


def type_into(name, text):
    control("text", name).queryEditableText().setTextContents(text)


def click(name, title=None):
    actions = control("push button", name, title).queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() in ("press", "click"):
            actions.doAction(i)
            return
    sys.exit("the button %r offers no press action" % name)


def hear(seconds):
    def shown(event):
        source = event.source
        if (event.detail1 == 1 and source is not None
                and source.getRoleName() == "notification"
                and source.getApplication().name == "vorlan-cup"):
            print(source.name, flush=True)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(shown, "object:state-changed:showing")
    threading.Timer(seconds, pyatspi.Registry.stop).start()
    threading.Timer(0, lambda: print("listening", flush=True)).start()
    pyatspi.Registry.start()


def main():
    if sys.argv[1:] == ["showing"]:
        lines = []
        for window in game():
            showing(window, lines)
        print("\n".join(lines))
    elif sys.argv[1:] == ["focused"]:
        for window in game():
            node = focused(window)
            if node is not None:
                print("\t".join([role_of(node), node.name or ""]))
    elif len(sys.argv) == 3 and sys.argv[1] == "press":
        press(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "hear":
        hear(float(sys.argv[2]))
    elif len(sys.argv) == 4 and sys.argv[1] == "type":
        type_into(sys.argv[2], sys.argv[3])
    elif len(sys.argv) in (3, 4) and sys.argv[1] == "click":
        click(*sys.argv[2:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
