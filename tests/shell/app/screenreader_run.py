#!/usr/bin/env python3
"""The real program driven as a screen reader drives it, through the desktop
accessibility bus (AT-SPI): the visual placement started from the menu and
ended with the wait panel's "Annuler", then the preview's status values read
after "Afficher l'image".

Run inside a private X display and session bus, for instance:
  xvfb-run -a dbus-run-session -- python3 screenreader_run.py \
      --program build/shell/gallorim --cli build/cli/gallorim-cli \
      --regsvr build/placement/glrplace-regsvr --module build/placement/libglrplace.so
Every wait is on a condition with a generous limit: a loaded machine is slow,
never wrong.
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

LIMIT = 90.0  # seconds for any one condition


def fail(message):
    print("ÉCHEC : " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, condition, limit=LIMIT):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        try:
            found = condition()
        except Exception:  # the tree changes under our feet while windows come and go
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail("toujours pas après %d s : %s" % (limit, what))


def write_png(path, width, height, rgb):
    row = b"\x00" + bytes(rgb) * width
    raw = zlib.compress(row * height)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", raw) + chunk(b"IEND", b""))


def start_session_services(env):
    """Window manager and accessibility bus of the private session."""
    started = []
    if shutil.which("openbox"):
        started.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    launcher = next((p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                     if os.path.exists(p)), None)
    if not launcher:
        fail("at-spi-bus-launcher introuvable (paquet at-spi2-core)")
    started.append(subprocess.Popen([launcher, "--launch-immediately"], env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
           "org.a11y.Bus.GetAddress"]
    wait_for("le bus d'accessibilité", lambda: subprocess.run(
        ask, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0)
    return started


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def find(root, predicate):
    for node in walk(root):
        try:
            if predicate(node):
                return node
        except Exception:
            continue
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    index = next((i for i, n in enumerate(names) if n in ("press", "click", "activate")), 0)
    if action.nActions == 0:
        fail("« %s » n'a aucune action" % node.name)
    action.doAction(index)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--program", "--cli", "--regsvr", "--module"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="gallorim-screenreader-")
    env = dict(os.environ)
    env.update({
        "XDG_CONFIG_HOME": os.path.join(work, "config"),
        "GALLORIM_CLASS_STORE": os.path.join(work, "classes.ini"),
        "QT_QPA_PLATFORM": "xcb",
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_ACCESSIBILITY": "1",
        "NO_AT_BRIDGE": "0",
    })
    services = start_session_services(env)
    program = None
    try:
        photos = []
        for name, (w, h) in (("alpha.png", (160, 120)), ("beta.png", (120, 160)), ("gamma.png", (100, 100))):
            photos.append(os.path.join(work, name))
            write_png(photos[-1], w, h, (40, 90, 160))
        project = os.path.join(work, "galerie.glr")
        subprocess.run([args.cli, "build", "-q", "--save", project, "-o", os.path.join(work, "index.html")] + photos,
                       env=env, check=False, stdout=subprocess.DEVNULL)
        if not os.path.exists(project):
            fail("le projet n'a pas été écrit par gallorim-cli")
        subprocess.run([args.regsvr, "-s", args.module], env=env, check=True)

        import pyatspi  # after the bus is up: the registry connects on import

        program = subprocess.Popen([args.program, project], env=env)
        desktop = pyatspi.Registry.getDesktop(0)

        def application():
            for app in desktop:
                if app is not None and app.get_process_id() == program.pid:
                    return app
            return None

        app = wait_for("le programme sur le bus d'accessibilité", application)

        def named(role, pattern, showing=False):
            def test(node):
                if node.getRoleName() != role or not re.match(pattern, node.name or ""):
                    return False
                return not showing or node.getState().contains(pyatspi.STATE_SHOWING)
            return test

        # The add worker must be done before "Placement Visuel..." is enabled.
        item = wait_for("« Placement Visuel... » actif", lambda: find(app, lambda n: named(
            "menu item", r"Placement Visuel\.\.\.")(n) and n.getState().contains(pyatspi.STATE_ENABLED)))
        press(item)
        placement = r"Placement visuel : galerie\.glr"
        wait_for("la fenêtre de placement", lambda: find(app, lambda n: re.match(placement, n.name or "")))
        cancel = wait_for("« Annuler » du panneau d'attente",
                          lambda: find(app, named("push button", r"Annuler$", showing=True)))
        press(cancel)
        wait_for("la fenêtre de placement fermée",
                 lambda: find(app, lambda n: re.match(placement, n.name or "")) is None)
        print("placement : ouvert depuis le menu, fermé par « Annuler »")

        table = wait_for("la liste des images", lambda: find(app, lambda n: n.name == "Liste des images"))
        table.queryTable().addRowSelection(0)
        show = wait_for("« Afficher l'image » actif", lambda: find(app, lambda n: named(
            "menu item", r"Afficher l'image")(n) and n.getState().contains(pyatspi.STATE_ENABLED)))
        press(show)
        preview = wait_for("la fenêtre « Prévisualisation »",
                           lambda: find(app, lambda n: n.name == "Prévisualisation" and n.getRoleName() == "frame"))

        def pane(caption, value_pattern):
            node = find(preview, named("label", re.escape(caption) + " : " + value_pattern))
            if node is None:
                return None
            text = node.queryText()
            return node.name, text.getText(0, -1)

        expected = (("Nom du fichier", r"alpha\.png$"), ("Taille du fichier", r"[0-9]+\.[0-9] (Octets|Ko)$"),
                    ("Dimensions", r"160x120$"))
        for caption, pattern in expected:
            name, value = wait_for("« %s » lu dans l'aperçu" % caption, lambda: pane(caption, pattern))
            if not re.match(pattern, value.strip()):
                fail("la valeur de « %s » est « %s »" % (caption, value))
            print("aperçu : " + name)
    finally:
        if program is not None:
            program.kill()
            program.wait()
        for service in reversed(services):
            service.terminate()
            try:
                service.wait(10)
            except subprocess.TimeoutExpired:
                service.kill()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
