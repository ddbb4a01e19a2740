# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The calculator's accessibility tree over AT-SPI, as tst_accessibility.sh starts it:
selects "Вариант 10", types P = 14 and S = 12, presses "Изчисли", reads the row back.
Then "Упражнение" (quadrelon --practice, "Вариант 2"): the problem is spoken, and after
a wrong answer and "Провери" the verdict and the hint."""
import os
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TITLE_END = " Математика - правоъгълник, страни, диагонал"
RESULTS = "a = 3.00; b = 4.00; d = 5.00; P = 14.00; S = 12.00"
# The result cells of "Вариант 10" after the calculation: name after the variant, text.
RESULT_CELLS = [("страна a", "3.00"), ("страна b", "4.00"), ("диагонал d", "5.00")]

failures = 0


def check(what, actual, expected):
    global failures
    if actual == expected:
        print(f"PASS: {what}")
    else:
        failures += 1
        print(f"FAIL: {what}: {actual!r}, expected {expected!r}")


def children(obj):
    return [obj.get_child_at_index(i) for i in range(obj.get_child_count())]


def child(parent, name):
    found = [c for c in children(parent) if c.get_name() == name]
    if not found:
        sys.exit(f"FAIL: no {name!r} in {parent.get_name()!r}")
    return found[0]


def descendant(parent, name):
    for c in children(parent):
        if c.get_name() == name:
            return c
        found = c.get_child_count() and descendant(c, name)
        if found:
            return found
    return None


def do(obj, action):
    # get_action_name is deprecated in favour of a get_name that the binding hides
    # behind Accessible.get_name.
    warnings.simplefilter("ignore", DeprecationWarning)
    names = [obj.get_action_name(i).lower() for i in range(obj.get_n_actions())]
    obj.do_action(names.index(action))


def wait_until(condition, seconds=10):
    deadline = time.monotonic() + seconds
    while not condition() and time.monotonic() < deadline:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.05)
    return condition()


def application():
    desktop = Atspi.get_desktop(0)
    apps = lambda: [a for a in children(desktop) if a and a.get_name() == "Quadrelon" and a.get_child_count()]
    if not wait_until(apps, 20):
        sys.exit("FAIL: the program did not show up on the accessibility bus")
    return apps()[0]


def start_display():
    # Xvfb picks a free display itself and says which; guessing one races other servers.
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "800x600x24", "-nolisten", "tcp"],
                              pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        return server, ":" + pipe.readline().strip()


def practice(env):
    """The practice window's announcements, on problems of "Вариант 2" (a and d given)."""
    with tempfile.TemporaryDirectory() as settings:
        os.makedirs(os.path.join(settings, "quadrelon.example"))
        with open(os.path.join(settings, "quadrelon.example", "Quadrelon.conf"), "w", encoding="utf-8") as conf:
            conf.write("[practice]\nlevel=1\nvariant=2\nunit=cm\nwithoutRectangle=false\n")
        shown = []
        listener = Atspi.EventListener.new(
            lambda e: shown.append(e.source.get_name()) if e.detail1 and e.source.get_role() == Atspi.Role.NOTIFICATION else None)
        listener.register("object:state-changed:showing")
        program = subprocess.Popen([sys.argv[1], "--practice"], env=dict(env, XDG_CONFIG_HOME=settings))
        try:
            window = application().get_child_at_index(0)
            check("practice: window role", window.get_role(), Atspi.Role.FRAME)
            check("practice: window name", window.get_name(), "Упражнение")
            wait_until(lambda: shown, 5)
            check("practice: problem announced", bool(shown) and shown[-1].startswith("Задача № ")
                  and shown[-1].endswith("Намерете b, P и S."), True)
            shown.clear()
            field = descendant(window, "b = см")
            if not field:
                sys.exit("FAIL: no field 'b = см' in 'Упражнение'")
            field.set_text_contents("0")
            do(child(window, "Провери"), "press")
            check("practice: verdict and hint announced", wait_until(lambda: shown) and shown[-1].startswith(
                "b: грешно. Подсказка: b\u00a0=\u00a0√(d²\u00a0−\u00a0a²) = √("), True)
        finally:
            program.terminate()
            program.wait()


def main():
    server, display = start_display()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    # In a sanitizer build: libxkbcommon-x11 passes strndup names without a final NUL,
    # past which ASan's own strndup check reads.
    env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "intercept_strndup=0"]))
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        window = application().get_child_at_index(0)
        check("window role", window.get_role(), Atspi.Role.FRAME)
        check("window name", window.get_name().endswith(TITLE_END), True)
        options = child(window, "Варианти")
        check("option container role", options.get_role(), Atspi.Role.PANEL)
        check("options in it", [o.get_name() for o in children(options)], [f"Вариант {r}" for r in range(1, 11)])

        # What a screen reader is told after the calculation: the notification shows up.
        shown = []
        listener = Atspi.EventListener.new(
            lambda e: shown.append(e.source.get_name()) if e.detail1 and e.source.get_role() == Atspi.Role.NOTIFICATION else None)
        listener.register("object:state-changed:showing")
        wait_until(lambda: False, 1)  # the program learns of the listener

        do(child(options, "Вариант 10"), "toggle")
        child(window, "Вариант 10, периметър P").set_text_contents("14")
        child(window, "Вариант 10, лице S").set_text_contents("12")
        do(child(window, "Изчисли"), "press")
        check("results announced", wait_until(lambda: shown) and shown[-1], RESULTS)

        for quantity, text in RESULT_CELLS:
            cell = child(window, f"Вариант 10, {quantity}, резултат")
            check(f"{quantity}: text", cell.get_text(0, -1), text)
            check(f"{quantity}: disabled", cell.get_state_set().contains(Atspi.StateType.SENSITIVE), False)
        program.terminate()
        program.wait()
        practice(env)
    finally:
        program.terminate()
        program.wait()
        server.terminate()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
