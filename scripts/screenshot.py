#!/usr/bin/env python3
"""A real screenshot of petsim on the default data folder, under a private Xvfb with a
compositing manager: the main window and the roster panel as the compositor shows them.

usage: screenshot.py PROGRAM OUTPUT.png
"""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from xsession import wait_until  # noqa: E402

MARGIN = 24
CLOSE = (875, 27)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    program, output = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    source_data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    xsession.end_cleanly_on_signals()
    work = tempfile.mkdtemp(prefix="petsim-shot-")
    process = None
    try:
        with xsession.XSession(compositor=True, log_dir=work) as s:
            data = os.path.join(work, "data")
            shutil.copytree(source_data, data)
            process = xsession.spawn([program, data], cwd=work, env=s.program_env(work), stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            main_window = s.wait_window_of(process.pid, (920, 620), "the main window")
            roster = s.wait_window_of(process.pid, (410, 200), "the roster panel")
            left, top, width, height = s.geometry(main_window)
            r_left, r_top, _, _ = s.geometry(roster)
            # Painted once the frame body and the panel's first head are on the screen.
            background = s.screenshot().pixel(s.WIDTH - 2, s.HEIGHT - 2)
            wait_until("the windows on the screen", lambda: s.screenshot().pixel(left + 460, top + 300) != background
                       and s.screenshot().pixel(r_left + 36, r_top + 36) != background)
            s.xdotool("mousemove", s.WIDTH - 1, s.HEIGHT - 1)
            x, y = max(0, left - MARGIN), max(0, top - MARGIN)
            s.save_screenshot(output, x, y, width + 2 * MARGIN, height + 2 * MARGIN)
            s.xdotool("mousemove", left + CLOSE[0], top + CLOSE[1], "mousedown", 1, "mouseup", 1)
            if process.wait(30) != 0:
                print("screenshot: petsim exited with status %d" % process.returncode, file=sys.stderr)
                return 1
    except xsession.Missing as missing:
        print("screenshot: %s is not installed" % missing, file=sys.stderr)
        return 1
    finally:
        xsession.stop(process)
        shutil.rmtree(work, ignore_errors=True)
    print("screenshot: wrote " + output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
