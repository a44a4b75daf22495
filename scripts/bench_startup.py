#!/usr/bin/env python3
"""Start-up time and peak memory of petsim under a private Xvfb with a compositing manager.

usage: bench_startup.py PROGRAM [RUNS]

Each run starts the program on a fresh copy of the default data folder with
PETSIM_TRACE_STARTUP=1, reads the moment of the main window's first present from its trace line,
then closes it with its close button and takes its peak resident memory from the kernel's
accounting of the ended child (wait4: ru_maxrss). The first run only warms the disk cache.
"""

import os
import re
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402

GOAL_MS, GOAL_MB = 300.0, 80.0
TRACE = re.compile(rb"first present ([0-9.]+) ms after process start \(monotonic ([0-9.]+) s\)")
CLOSE = (875, 27)


def read_trace(process, timeout=30.0):
    deadline = time.monotonic() + timeout
    seen = b""
    while True:
        match = TRACE.search(seen)
        if match:
            return float(match.group(1)), float(match.group(2))
        left = deadline - time.monotonic()
        if left <= 0 or process.poll() is not None:
            raise RuntimeError("no start-up trace from petsim; it wrote: %r" % seen[-500:])
        ready, _, _ = select.select([process.stderr], [], [], left)
        if ready:
            seen += os.read(process.stderr.fileno(), 4096)


def one_run(session, program, source_data, work):
    data = os.path.join(work, "data")
    shutil.rmtree(data, ignore_errors=True)
    shutil.copytree(source_data, data)
    env = session.program_env(work, PETSIM_TRACE_STARTUP="1")
    spawned = time.monotonic()
    process = xsession.spawn([program, data], cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        own_ms, stamp = read_trace(process)
        main = session.wait_window_of(process.pid, (920, 620), "the main window")
        left, top, _, _ = session.geometry(main)
        session.xdotool("mousemove", left + CLOSE[0], top + CLOSE[1], "mousedown", 1, "mouseup", 1)
        deadline = time.monotonic() + 30
        while True:
            pid, status, usage = os.wait4(process.pid, os.WNOHANG)
            if pid:
                break
            if time.monotonic() > deadline:
                raise RuntimeError("petsim did not exit after its close button")
            time.sleep(0.01)
        process.returncode = os.waitstatus_to_exitcode(status)
        if process.returncode != 0:
            raise RuntimeError("petsim exited with status %d" % process.returncode)
        return own_ms, (stamp - spawned) * 1000.0, usage.ru_maxrss / 1024.0
    finally:
        xsession.stop(process)
        process.stderr.close()


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) == 3 else 10
    source_data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    xsession.end_cleanly_on_signals()
    work = tempfile.mkdtemp(prefix="petsim-bench-")
    try:
        with xsession.XSession(compositor=True, log_dir=work) as session:
            one_run(session, program, source_data, work)
            results = [one_run(session, program, source_data, work) for _ in range(runs)]
    except xsession.Missing as missing:
        print("bench-startup: %s is not installed" % missing, file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)

    def line(name, values, unit, goal):
        verdict = "within" if max(values) <= goal else "OVER"
        print("%-38s median %7.1f %s  min %7.1f  max %7.1f   goal %.0f %s: %s" %
              (name, statistics.median(values), unit, min(values), max(values), goal, unit, verdict))

    load = os.getloadavg()[0]
    print("petsim start-up, %d runs after one warm-up, Xvfb 1280x1024 + xcompmgr, load %.1f on %d cores" %
          (runs, load, os.cpu_count()))
    line("first present after process start", [r[0] for r in results], "ms", GOAL_MS)
    line("first present after spawn", [r[1] for r in results], "ms", GOAL_MS)
    line("peak resident memory", [r[2] for r in results], "MB", GOAL_MB)
    return 0


if __name__ == "__main__":
    sys.exit(main())
