#!/usr/bin/env python3
"""The viewer beside OpenSceneGraph's osgviewer on the same geometry, under a private Xvfb.

Both programs print frame lines to stderr: the viewer itself with NERIO_FRAME_STATS=1, osgviewer
through the preloaded swap probe (bench/swap_probe.c). For each program, in alternating rounds:
  start-up   launch to the first frame that shows the model
  frame      median time between frames once the model is shown (the viewer's 30 ms timer keeps it
             drawing continuously, as osgviewer does by itself)
  memory     peak resident memory of the process (wait4's ru_maxrss)
The viewer's window fills the screen; osgviewer gets a window of the size of the viewer's 3D view,
so both draw the same number of pixels. The .osgb is written from the .dazo through our reader
(dazo_to_osgb) when it is missing or older.

  bench/viewer_vs_osgviewer.py --build build/release [--rounds 3] [--frames 15]
      [--nerio-env NAME=VALUE ...] [--model file.dazo] [--before other/build/bin/Nerio3d]
With --before, another build of the viewer runs in the same rounds (an earlier commit, say), in a
column of its own. With --same-view, osgviewer is shown the model from where the viewer's camera
stood at its first model frame (a camera path through `-p`), instead of its own home position: the
software rasteriser's cost follows the pixels the model covers, and the two programs frame a model
differently.
"""
import argparse
import os
import selectors
import signal
import statistics
import subprocess
import sys
import tempfile
import time

SCREEN = (1280, 1024)
PREFIX = "nerio-frame-stats: "


def start_xvfb():
    for display in range(90, 140):
        if os.path.exists(f"/tmp/.X{display}-lock"):
            continue
        proc = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if os.path.exists(f"/tmp/.X11-unix/X{display}"):
                return proc, f":{display}"
            if proc.poll() is not None:
                break
            time.sleep(0.1)
        if proc.poll() is None:
            proc.terminate()
            proc.wait()
    sys.exit("no free display for Xvfb")


def run(cmd, env, frames, timeout):
    """Runs one program until it has shown `frames` frames after its first model frame."""
    launched = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, bufsize=1)
    sel = selectors.DefaultSelector()
    sel.register(proc.stderr, selectors.EVENT_READ)
    first_model = None
    model_set = None
    size = None
    camera = None
    dts = []
    seen_after = 0
    deadline = launched + timeout
    while time.monotonic() < deadline:
        if not sel.select(timeout=0.5):
            if proc.poll() is not None:
                break
            continue
        line = proc.stderr.readline()
        if not line:
            break
        if not line.startswith(PREFIX):
            continue
        words = line[len(PREFIX):].split()
        if words[0] == "model-set":
            model_set = float(words[2]) - launched
        elif words[0] == "first-model-frame":
            first_model = float(words[2]) - launched
            if "size" in words:
                size = tuple(int(v) for v in words[words.index("size") + 1].split("x"))
        elif words[0] == "camera":
            camera = [float(v) for v in words[2:5] + words[6:10]]
        elif words[0] == "frame" and first_model is not None:
            seen_after += 1
            if seen_after > 2:  # the first frames after the model compile its GL objects
                dts.append(float(words[5]))
            if len(dts) >= frames:
                break
    proc.send_signal(signal.SIGTERM)
    try:
        _, _, usage = os.wait4(proc.pid, 0)
    except ChildProcessError:
        usage = None
    proc.stderr.close()
    return {
        "startup": first_model,
        "model_set": model_set,
        "frame": statistics.median(dts) if dts else None,
        "rss": usage.ru_maxrss / 1024.0 if usage else None,
        "size": size,
        "camera": camera,
    }


def fmt(v, unit):
    return "-" if v is None else f"{v:.0f} {unit}" if unit != "s" else f"{v:.2f} s"


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build/release")
    ap.add_argument("--model")
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--frames", type=int, default=15)
    ap.add_argument("--timeout", type=float, default=120.0)
    ap.add_argument("--nerio-env", action="append", default=[], metavar="NAME=VALUE")
    ap.add_argument("--before", metavar="NERIO3D", help="another build of the viewer to run beside")
    ap.add_argument("--same-view", action="store_true", help="osgviewer looks from the viewer's first camera")
    args = ap.parse_args()

    build = os.path.abspath(args.build)
    model = os.path.abspath(args.model or os.path.join(build, "bench-data", "LargeAssembly.dazo"))
    osgb = os.path.splitext(model)[0] + ".osgb"
    if not os.path.exists(model):
        sys.exit(f"{model} is missing: cmake --build {args.build} --target dazo_large_sample")
    if not os.path.exists(osgb) or os.path.getmtime(osgb) < os.path.getmtime(model):
        subprocess.run([os.path.join(build, "bench", "dazo_to_osgb"), model, osgb], check=True)
    for path in (model, osgb):  # both read from the page cache
        with open(path, "rb") as f:
            while f.read(1 << 22):
                pass

    xvfb, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="nerio-bench-")
    base = dict(os.environ, DISPLAY=display, LANG="C.UTF-8", LC_ALL="C.UTF-8")
    base.pop("WAYLAND_DISPLAY", None)
    nerio_env = dict(base, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"), NERIO_FRAME_STATS="1",
                     QT_QPA_PLATFORM="xcb")
    for item in args.nerio_env:
        name, _, value = item.partition("=")
        nerio_env[name] = value
    osg_env = dict(base, LD_PRELOAD=os.path.join(build, "bench", "nerio_swap_probe.so"))
    geometry = ["-qwindowgeometry", f"{SCREEN[0]}x{SCREEN[1]}+0+0", model]
    programs = {"Nerio3d": [os.path.join(build, "bin", "Nerio3d")] + geometry}
    if args.before:
        programs["before"] = [os.path.abspath(args.before)] + geometry
    programs["osgviewer"] = None  # its window takes the size of the viewer's 3D view

    results = {name: [] for name in programs}
    size = None
    path_file = os.path.join(home, "camera.path")
    camera = None
    names = list(programs)
    try:
        for r in range(args.rounds):
            # The first run of the viewer tells the size of its 3D view; after that the order rotates.
            order = names if size is None else names[r % len(names):] + names[:r % len(names)]
            for name in order:
                if programs[name] is not None:
                    res = run(programs[name], nerio_env, args.frames, args.timeout)
                    size = size or res["size"]
                    if camera is None and res["camera"]:
                        camera = res["camera"]
                        # Two equal points: the path stands still.
                        with open(path_file, "w") as f:
                            for t in (0.0, 1000.0):
                                f.write(f"{t} " + " ".join(repr(v) for v in camera) + "\n")
                else:
                    w, h = size or SCREEN
                    view = ["-p", path_file] if args.same_view and camera else []
                    res = run(["osgviewer", "--window", "0", "0", str(w), str(h)] + view + [osgb], osg_env,
                              args.frames, args.timeout)
                results[name].append(res)
                read = f" (model read and set at {res['model_set']:.2f} s)" if res["model_set"] is not None else ""
                print(f"round {r + 1} {name:10s} start-up {fmt(res['startup'], 's')}{read}, frame {fmt(res['frame'], 'ms')}, "
                      f"peak memory {fmt(res['rss'], 'MB')}", flush=True)
    finally:
        xvfb.terminate()
        xvfb.wait()

    def med(name, key):
        vals = [r[key] for r in results[name] if r[key] is not None]
        return statistics.median(vals) if vals else None

    print()
    print(f"model {model}, 3D view {size[0]}x{size[1]} pixels for each" if size else f"model {model}")
    if args.same_view:
        print("osgviewer shown the viewer's first view" if camera else "the viewer printed no camera: osgviewer used its own view")
    header = f"{'median of ' + str(args.rounds):14s}" + "".join(f"{n:>12s}" for n in names)
    header += "".join(f"{n + '/osg':>14s}" for n in names if n != "osgviewer") + f"{'target':>9s}"
    print(header)
    for key, label, unit, target in (("frame", "frame time", "ms", 1.0), ("startup", "start-up", "s", 1.2),
                                     ("rss", "peak memory", "MB", 1.2)):
        values = {n: med(n, key) for n in names}
        shown = lambda v: "-" if v is None else (f"{v:.2f} s" if unit == "s" else f"{v:.0f} {unit}")
        line = f"{label:14s}" + "".join(f"{shown(values[n]):>12s}" for n in names)
        base = values["osgviewer"]
        for n in names:
            if n != "osgviewer":
                ratio = values[n] / base if values[n] is not None and base else None
                line += f"{('-' if ratio is None else f'{ratio:.2f}x'):>14s}"
        print(line + f"{'<= ' + str(target) + 'x':>9s}")


if __name__ == "__main__":
    main()
