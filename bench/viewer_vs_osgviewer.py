#!/usr/bin/env python3
"""The viewer beside OpenSceneGraph's osgviewer on the same geometry, under a private Xvfb; prints one
table of every figure beside its goal.

Both programs print frame lines to stderr: the viewer itself with NERIO_FRAME_STATS, osgviewer through
the preloaded swap probe (bench/swap_probe.c). osgviewer reads the same geometry written as ".osgb"
through our reader (dazo_to_osgb --cull-back-faces, made when missing or older): back faces culled, as
its `b` key does, which is what the viewer does to closed bodies. Each round runs, in rotating order:
  idle       the viewer with the small sample: CPU time over --idle-seconds once the model is shown
             and 2 s have passed, in per cent of one core; and the frames it drew meanwhile
  small      each program with the small sample: start-up (launch to the first frame that shows the
             model) and peak memory (wait4's ru_maxrss)
  cpu        each program with the small sample, ending itself at its first model frame
             (NERIO_FRAME_STATS=exit): CPU time of all its threads and peak memory up to then
  large      each program with the large model: start-up, peak memory, and frame time (median time
             between frames once the model shows). The viewer draws frame after frame here
             (NERIO_FRAME_STATS=continuous, as osgviewer always does); osgviewer looks from where the
             viewer's camera stood at its first model frame (a still camera path, `-p`), with its
             vertical field of view (through OSG_SCREEN_HEIGHT and OSG_SCREEN_DISTANCE), in a window
             of the size of the viewer's 3D view: the same pixels.

  bench/viewer_vs_osgviewer.py --build build/release [--rounds 3] [--frames 15]
      [--nerio-env NAME=VALUE ...] [--before other/build/bin/Nerio3d] [--no-edges] [--raster-threads N]
      [--default-allocator] [--only idle,small,cpu,large]
With --before, another build of the viewer runs in the same rounds (an earlier commit, say), in a
column of its own. With --no-edges the viewer also draws the large model without its edge lines
(NERIO_FRAME_STATS_EDGES=off), in a column of its own: what the edges shown by default cost a frame.
--raster-threads N gives every program the software rasteriser's LP_NUM_THREADS=N.
osgviewer runs with the allocator settings the viewer makes for itself (GLIBC_TUNABLES, see
SAME_ALLOCATOR); --default-allocator leaves it glibc's, under which it draws most large-model rounds
two to four times slower.
"""
import argparse
import math
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
SETTLE = 2.0  # seconds after the first model frame before idle CPU is counted
# The allocator settings the viewer makes for itself before it reads a model (the mallopt calls in
# platform/vantor/dazoreader/DazoHeap.cpp), given to osgviewer as well. With glibc's defaults the
# rasteriser's large per-frame buffers go back to the system after each frame and return as fresh
# pages, and osgviewer draws the large model two to four times slower in most runs.
SAME_ALLOCATOR = ("glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=67108864:"
                  "glibc.malloc.top_pad=33554432")


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


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def run(cmd, env, timeout, frames=0, linger=0.0, idle=0.0):
    """Runs one program until its first model frame, then: `frames` more frames (their median time
    between), or `linger` seconds, or SETTLE plus `idle` seconds of counted CPU time. With
    NERIO_FRAME_STATS=exit in `env` the program ends itself at its first model frame, and the CPU time
    of all its threads until then is kept."""
    exit_at_model = env.get("NERIO_FRAME_STATS") == "exit"
    launched = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, bufsize=1)
    sel = selectors.DefaultSelector()
    sel.register(proc.stderr, selectors.EVENT_READ)
    first_model = model_set = size = camera = fovy = until = None
    idle_from = idle_cpu = None
    idle_frames = 0
    dts = []
    seen_after = 0
    deadline = launched + timeout
    while time.monotonic() < deadline:
        now = time.monotonic()
        if until is not None and now >= until:
            if idle and idle_from is None:  # settled: the counted stretch begins
                idle_from = (now, cpu_seconds(proc.pid))
                idle_frames = 0
                until = now + idle
                continue
            break
        wait = 0.5 if until is None else max(0.0, min(0.5, until - now))
        if not sel.select(timeout=wait):
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
            if linger or idle:
                until = time.monotonic() + (linger or SETTLE)
        elif words[0] == "camera":
            camera = [float(v) for v in words[2:5] + words[6:10]]
            if "fovy" in words:
                fovy = float(words[words.index("fovy") + 1])
        elif words[0] == "frame" and first_model is not None:
            idle_frames += 1
            seen_after += 1
            if frames and seen_after > 2:  # the first frames after the model compile its GL objects
                dts.append(float(words[5]))
                if len(dts) >= frames:
                    break
    if idle_from is not None and proc.poll() is None:
        idle_cpu = 100.0 * (cpu_seconds(proc.pid) - idle_from[1]) / (time.monotonic() - idle_from[0])
    usage = None
    if exit_at_model and first_model is not None:  # it ends itself right after the first model frame
        while usage is None and time.monotonic() < deadline:
            pid, _, ru = os.wait4(proc.pid, os.WNOHANG)
            if pid:
                usage = ru
                proc.returncode = 0  # reaped here
            else:
                time.sleep(0.02)
    exited = usage is not None
    if usage is None:
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
        "cpu": usage.ru_utime + usage.ru_stime if usage and exited else None,
        "size": size,
        "camera": camera,
        "fovy": fovy,
        "idle_cpu": idle_cpu,
        "idle_frames": idle_frames if idle_cpu is not None else None,
    }


def osgb_for(build, model):
    osgb = os.path.splitext(model)[0] + "-culled.osgb"
    if not os.path.exists(osgb) or os.path.getmtime(osgb) < os.path.getmtime(model):
        subprocess.run([os.path.join(build, "bench", "dazo_to_osgb"), "--cull-back-faces", model, osgb], check=True)
    for path in (model, osgb):  # both read from the page cache
        with open(path, "rb") as f:
            while f.read(1 << 22):
                pass
    return osgb


def write_still_path(path, camera):
    with open(path, "w") as f:  # two equal points: the camera stands still
        for t in (0.0, 1000.0):
            f.write(f"{t} " + " ".join(repr(v) for v in camera) + "\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build/release")
    ap.add_argument("--model", help="the large model (default: bench-data/LargeAssembly.dazo)")
    ap.add_argument("--small", help="the small sample (default: bin/Samples/BoltedBracket.dazo)")
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--frames", type=int, default=15)
    ap.add_argument("--idle-seconds", type=float, default=10.0)
    ap.add_argument("--timeout", type=float, default=120.0)
    ap.add_argument("--only", default="idle,small,cpu,large", help="comma-separated parts to run")
    ap.add_argument("--nerio-env", action="append", default=[], metavar="NAME=VALUE")
    ap.add_argument("--before", metavar="NERIO3D", help="another build of the viewer to run beside")
    ap.add_argument("--no-edges", action="store_true",
                    help="with the large model, also run the viewer without edge lines (column 'no-edges')")
    ap.add_argument("--raster-threads", type=int, metavar="N",
                    help="LP_NUM_THREADS for every program (default: the driver's, a thread per core)")
    ap.add_argument("--default-allocator", action="store_true",
                    help="osgviewer with glibc's default allocator settings instead of the viewer's")
    args = ap.parse_args()
    parts = [p for p in args.only.split(",") if p]

    build = os.path.abspath(args.build)
    large = os.path.abspath(args.model or os.path.join(build, "bench-data", "LargeAssembly.dazo"))
    small = os.path.abspath(args.small or os.path.join(build, "bin", "Samples", "BoltedBracket.dazo"))
    if "large" in parts and not os.path.exists(large):
        sys.exit(f"{large} is missing: cmake --build {args.build} --target dazo_large_sample")
    osgb = {}
    if "large" in parts:
        osgb["large"] = osgb_for(build, large)
    if "small" in parts or "cpu" in parts:
        osgb["small"] = osgb_for(build, small)

    xvfb, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="nerio-bench-")
    base = dict(os.environ, DISPLAY=display, LANG="C.UTF-8", LC_ALL="C.UTF-8")
    base.pop("WAYLAND_DISPLAY", None)
    if args.raster_threads:
        base["LP_NUM_THREADS"] = str(args.raster_threads)
    nerio_env = dict(base, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"), NERIO_FRAME_STATS="1",
                     QT_QPA_PLATFORM="xcb")
    for item in args.nerio_env:
        name, _, value = item.partition("=")
        nerio_env[name] = value
    osg_env = dict(base, LD_PRELOAD=os.path.join(build, "bench", "nerio_swap_probe.so"))
    if not args.default_allocator:
        osg_env["GLIBC_TUNABLES"] = SAME_ALLOCATOR
    geometry = ["-qwindowgeometry", f"{SCREEN[0]}x{SCREEN[1]}+0+0"]
    viewers = {"Nerio3d": os.path.join(build, "bin", "Nerio3d")}
    if args.before:
        viewers["before"] = os.path.abspath(args.before)
    if args.no_edges:
        viewers["no-edges"] = viewers["Nerio3d"]
    names = list(viewers) + ["osgviewer"]

    results = {}  # (part, program) -> list of runs
    sizes = {}
    cameras = {}
    fovys = {}

    def record(part, name, res):
        results.setdefault((part, name), []).append(res)
        bits = []
        if res["idle_cpu"] is not None:
            bits.append(f"idle CPU {res['idle_cpu']:.1f} % ({res['idle_frames']} frames)")
        if res["startup"] is not None:
            bits.append(f"start-up {res['startup']:.2f} s")
        if res["frame"] is not None:
            bits.append(f"frame {res['frame']:.0f} ms")
        if res["cpu"] is not None:
            bits.append(f"CPU {res['cpu']:.2f} s")
        if res["rss"] is not None:
            bits.append(f"peak memory {res['rss']:.0f} MB")
        print(f"  {part:5s} {name:10s} " + ", ".join(bits), flush=True)

    def osgviewer(part, frames=0, linger=0.0, env=None):
        w, h = sizes.get(part) or SCREEN
        cmd = ["osgviewer", "--window", "0", "0", str(w), str(h)]
        if cameras.get(part):
            path = os.path.join(home, f"{part}.path")
            write_still_path(path, cameras[part])
            cmd += ["-p", path]
        env = dict(osg_env, **(env or {}))
        if fovys.get(part):
            # osgviewer's vertical field of view comes from the screen it assumes (height over
            # distance); without this it is 29.15 degrees, so it would show a slightly larger model.
            env["OSG_SCREEN_DISTANCE"] = "0.5"
            env["OSG_SCREEN_HEIGHT"] = repr(2 * 0.5 * math.tan(math.radians(fovys[part]) / 2))
        return run(cmd + [osgb[part]], env, args.timeout, frames=frames, linger=linger)

    try:
        for r in range(args.rounds):
            print(f"round {r + 1}", flush=True)
            for part in parts:
                # The viewer first in the first round: it tells the size of its 3D view and its camera.
                order = names if r == 0 else names[r % len(names):] + names[:r % len(names)]
                for name in order:
                    if name == "no-edges" and part != "large":
                        continue
                    if part == "idle":
                        if name == "osgviewer":
                            continue
                        res = run([viewers[name]] + geometry + [small], nerio_env, args.timeout,
                                  idle=args.idle_seconds)
                    elif part == "cpu":
                        exiting = {"NERIO_FRAME_STATS": "exit"}
                        res = (osgviewer("small", env=exiting) if name == "osgviewer" else
                               run([viewers[name]] + geometry + [small], dict(nerio_env, **exiting), args.timeout))
                    elif part == "small":
                        res = (osgviewer(part, linger=1.0) if name == "osgviewer" else
                               run([viewers[name]] + geometry + [small], nerio_env, args.timeout, linger=1.0))
                    else:
                        if name == "osgviewer":
                            res = osgviewer(part, frames=args.frames)
                        else:
                            env = dict(nerio_env, NERIO_FRAME_STATS="continuous")
                            if name == "no-edges":
                                env["NERIO_FRAME_STATS_EDGES"] = "off"
                            res = run([viewers[name]] + geometry + [large], env, args.timeout, frames=args.frames)
                    if name == "Nerio3d":
                        sizes.setdefault(part, res["size"])
                        cameras.setdefault(part, res["camera"])
                        if res["fovy"]:
                            fovys.setdefault(part, res["fovy"])
                    record(part, name, res)
    finally:
        xvfb.terminate()
        xvfb.wait()

    def med(part, name, key):
        vals = [x[key] for x in results.get((part, name), []) if x[key] is not None]
        return statistics.median(vals) if vals else None

    print()
    print(f"small sample {small}")
    print(f"large model  {large}" + (f", 3D view {sizes['large'][0]}x{sizes['large'][1]} pixels for each"
                                     if sizes.get("large") else ""))
    print(f"raster threads {base.get('LP_NUM_THREADS', 'the driver default (one per core)')}, {os.cpu_count()} cores")
    print("osgviewer's allocator settings: " + ("glibc's defaults" if args.default_allocator else
                                                 f"the viewer's (GLIBC_TUNABLES={SAME_ALLOCATOR})"))
    viewers_only = [n for n in names if n != "osgviewer"]
    header = f"{'median of ' + str(args.rounds):36s}" + "".join(f"{n:>11s}" for n in names)
    header += "".join(f"{n + '/osg':>14s}" for n in viewers_only) + "   goal"
    print(header)
    rows = [
        ("idle", "idle_cpu", "idle CPU, small sample, % of a core", "%", "< 2 % of a core"),
        ("large", "frame", "frame, large model, like for like", "ms", "<= 1.0x"),
        ("small", "startup", "start-up, small sample", "s", "<= 1.5x"),
        ("small", "rss", "peak memory, small sample", "MB", "<= 1.5x"),
        ("cpu", "cpu", "start-up CPU time, small sample", "s", "(all threads)"),
        ("cpu", "rss", "memory at first frame, small sample", "MB", "<= 1.5x"),
        ("large", "startup", "start-up, large model", "s", "<= 1.2x"),
        ("large", "rss", "peak memory, large model", "MB", "<= 1.2x"),
    ]
    for part, key, label, unit, goal in rows:
        if part not in parts:
            continue
        values = {n: med(part, n, key) for n in names}
        shown = lambda v: "-" if v is None else (f"{v:.2f} s" if unit == "s" else f"{v:.1f} %" if unit == "%"
                                                 else f"{v:.0f} {unit}")
        line = f"{label:36s}" + "".join(f"{shown(values[n]):>11s}" for n in names)
        osg = values["osgviewer"]
        for n in viewers_only:
            ratio = values[n] / osg if values[n] is not None and osg else None
            line += f"{('-' if ratio is None else f'{ratio:.2f}x'):>14s}"
        print(line + "   " + goal)


if __name__ == "__main__":
    main()
