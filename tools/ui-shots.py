#!/usr/bin/env python3
"""Screenshots that a change of the program's inside must leave as they were: the sample model's home
view, a section made from the ribbon, and a centre explosion dragged in the view, each made as a user
makes it (ribbon buttons pressed through the accessibility bus, real mouse and keys).

    /usr/bin/python3 tools/ui-shots.py shoot <Nerio3d> <model.dazo> <folder>
    /usr/bin/python3 tools/ui-shots.py compare <folder A> <folder B>

compare prints, per picture, how many pixels differ and by how much at most, and exits 1 when any does.
Needs the packages of ../shared/tools/atspi_ui.py (or its copy beside this file) and imagemagick.
"""
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
for where in (HERE, os.path.join(HERE, "..", "..", "shared", "tools")):
    if os.path.exists(os.path.join(where, "atspi_ui.py")):
        sys.path.insert(0, where)
        break
import atspi_ui  # noqa: E402

SHOTS = ("home", "section", "explosion")


def settle(session, path, timeout=20.0):
    """Screenshots until two in a row are the same: the view has stopped drawing (fades, loading)."""
    previous = None
    for _ in range(int(timeout / 0.5)):
        session.screenshot(path)
        with open(path, "rb") as f:
            data = f.read()
        if data == previous:
            return
        previous = data
        time.sleep(0.5)
    raise RuntimeError("the screen never settled for " + path)


def shoot(program, model, folder):
    os.makedirs(folder, exist_ok=True)
    settings = tempfile.mkdtemp(prefix="nerio-shots-")
    env = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "LP_NUM_THREADS": "1",
           "XDG_CONFIG_HOME": settings, "HOME": settings}
    name = os.path.splitext(os.path.basename(model))[0]
    with atspi_ui.Desktop() as desktop:
        # Home view, then a section made from the ribbon.
        with desktop.launch(program, [model], env) as s:
            view = opened(s, name)
            settle(s, os.path.join(folder, "home.png"))
            s.press(s.find_one(role="page tab", name="剖切", timeout=10))
            s.click(s.find_one(name="创建剖面", timeout=10))
            # The key goes to the GL widget inside the view.
            atspi_ui.focus(view.children()[0])
            atspi_ui.key("Return")
            settle(s, os.path.join(folder, "section.png"))

        # A centre explosion, in a program started anew.
        with desktop.launch(program, [model], env) as s:
            opened(s, name)
            s.press(s.find_one(role="page tab", name="变换", timeout=10))
            s.click(s.find_one(name="中心爆炸", timeout=10))
            # The explosion's dragger is the only green on the screen: grab its green arrow.
            cx, cy = green_spot(s, os.path.join(folder, "dragger.png"))
            # A user's drag: over the arrow, press, move in steps the view draws one by one, release.
            move = atspi_ui.Atspi.generate_mouse_event
            move(cx, cy, "abs")
            time.sleep(0.5)
            move(cx, cy, "b1p")
            time.sleep(0.3)
            for step in range(1, 11):
                move(cx + 4 * step, cy - 4 * step, "abs")
                time.sleep(0.1)
            move(cx + 40, cy - 40, "b1r")
            settle(s, os.path.join(folder, "explosion.png"))


def opened(s, name):
    """The window on the whole screen (there is no window manager to do it) with the model loaded."""
    xenv = dict(os.environ, DISPLAY=s.display)
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(s.proc.pid)],
                            env=xenv, capture_output=True, text=True, timeout=30).stdout.split()[0]
    subprocess.run(["xdotool", "windowmove", window, "0", "0"], env=xenv, timeout=30)
    subprocess.run(["xdotool", "windowsize", window, "1600", "1000"], env=xenv, timeout=30)
    view = s.find_one(role="filler", name_re="^(3D view|三维视图)$", timeout=30)
    atspi_ui.wait_for(lambda: s.find(role="table cell", name=name), timeout=60, what="the model in the tree")
    return view


def green_spot(session, path):
    settle(session, path)
    out = subprocess.run(["convert", path, "-fx", "g>0.6 && r<0.3 && b<0.3 ? 1 : 0", "-format", "%@", "info:"],
                         capture_output=True, text=True, check=True).stdout
    # %@ is the bounding box of the marked pixels: WxH+X+Y.
    size, x, y = out.split("+")[0], int(out.split("+")[1]), int(out.split("+")[2])
    w, h = (int(v) for v in size.split("x"))
    return x + w // 2, y + h // 2


def compare(a, b):
    worst = 0
    for name in SHOTS:
        pa, pb = os.path.join(a, name + ".png"), os.path.join(b, name + ".png")
        out = subprocess.run(["compare", "-metric", "AE", pa, pb, "null:"],
                             capture_output=True, text=True)
        differing = out.stderr.strip()
        peak = subprocess.run(["compare", "-metric", "PAE", pa, pb, "null:"],
                              capture_output=True, text=True).stderr.strip()
        print("%-10s pixels differing: %s, largest difference: %s" % (name, differing, peak))
        try:
            worst = max(worst, float(differing.split()[0]))
        except ValueError:
            worst = max(worst, 1)
    return 1 if worst else 0


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "shoot":
        shoot(os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3]), sys.argv[4])
    elif len(sys.argv) == 4 and sys.argv[1] == "compare":
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    else:
        sys.exit(__doc__)
