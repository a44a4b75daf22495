#!/usr/bin/env python3
"""Kills petsim at random instants while it merges, certifies and cancels certifications, starts
it again and checks that every operation is either wholly done or not done at all.

    kill-experiment.py PETSIM [--iterations N] [--seed S] [--work DIR]

Each round starts from the same small data folder: pets in slots 1..14 whose growth is their
slot number (no merge child can have such a growth), and in slot 15 a pet with the eight spells
71..78. The replay script first certifies and cancels on slot 15 (eight certifications, seven
cancellations), then merges 1+2, 3+4, .., 13+14. The program is killed with SIGKILL at a random
instant of its run, then started once more with no input (which settles what it left), and the
folder is checked:

  - nothing but Data.txt and rz.txt is left in a slot folder, and the restart exits with 0
    (a killed program's lock does not block it);
  - each merged pair is either both parents unchanged or the child in the first slot and the
    second slot empty;
  - in slot 15, bonus skills (11, 13) minus spells removed is 0 or 1, and it is 1 exactly when
    rz.txt exists, which then names the first skill.

Exit status 0 when every round held, 1 otherwise; the last line gives the counts.
"""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SLOTS = 15
PAIRS = [(a, a + 1) for a in range(1, 15, 2)]
SPELLS = list(range(71, 79))
CERTIFY_SLOT = 15
ORIGINAL_CERTIFY_PET = "9|960|768|3240|1344|768|1042|8|" + "|".join(map(str, SPELLS))


def original(slot):
    # Species 12; growth = slot number; one skill of its own and one shared with its partner.
    return "12|1300|950|3000|1700|1000|%d|2|%d|%d" % (slot, 20 + slot, 50 + (slot + 1) // 2)


def skills_of(record):
    return [int(f) for f in record.split("|")[8:]]


def script():
    lines = []
    # The roster head of slot 15: press, move by a pixel, release.
    x, y = 84 * ((CERTIFY_SLOT - 1) % 5) + 36, 83 * ((CERTIFY_SLOT - 1) // 5) + 20
    lines += ["press roster %d %d" % (x, y), "move roster %d %d" % (x + 1, y + 1),
              "release roster %d %d" % (x + 1, y + 1)]
    lines.append("click main 700 80")  # book tab
    for cycle in range(8):
        lines += ["click main 789 560", "click certify 58 59"]  # certify the first candidate
        if cycle < 7:
            lines += ["answer ok", "click main 789 560"]  # and cancel it
    lines.append("click main 470 80")  # merge tab
    for a, b in PAIRS:
        for side, slot in ((1, a), (2, b)):
            lines.append("click main %s" % ("98 177" if side == 1 else "568 177"))
            k = slot - 1
            lines.append("click mergepicker %d %d" % (84 * (k % 5) + 16 + 35, 83 * (k // 5) + 19 + 35))
        lines += ["click main 457 349", "click detail 814 25"]
    return "\n".join(lines) + "\n"


def make_folder(path):
    for slot in range(1, SLOTS + 1):
        os.makedirs(os.path.join(path, "召唤兽", "数据", str(slot)))
    for slot in range(1, 15):
        write(record_path(path, slot), original(slot))
    write(record_path(path, CERTIFY_SLOT), ORIGINAL_CERTIFY_PET)


def record_path(folder, slot):
    return os.path.join(folder, "召唤兽", "数据", str(slot), "Data.txt")


def marker_path(folder, slot):
    return os.path.join(folder, "召唤兽", "数据", str(slot), "rz.txt")


def write(path, text):
    with open(path, "w", encoding="ascii") as f:
        f.write(text)


def read(path):
    try:
        with open(path, encoding="ascii") as f:
            return f.read()
    except FileNotFoundError:
        return None


def check(folder):
    """Returns (problems, merges done, certification steps done)."""
    problems = []
    for slot in range(1, SLOTS + 1):
        extra = sorted(set(os.listdir(os.path.join(folder, "召唤兽", "数据", str(slot)))) - {"Data.txt", "rz.txt"})
        if extra:
            problems.append("slot %d holds %s" % (slot, extra))
    merges = 0
    for a, b in PAIRS:
        first, second = read(record_path(folder, a)), read(record_path(folder, b))
        if first == original(a) and second == original(b):
            continue
        if first is not None and second is None:
            fields = first.split("|")
            inherited = set(skills_of(original(a)) + skills_of(original(b)))
            child_ok = (len(fields) >= 9 and int(fields[7]) == len(fields) - 8 and int(fields[6]) >= 100
                        and set(skills_of(first)) <= inherited)
            if child_ok:
                merges += 1
                continue
        problems.append("merge %d+%d left %r and %r" % (a, b, first, second))
    record = read(record_path(folder, CERTIFY_SLOT))
    marker = read(marker_path(folder, CERTIFY_SLOT))
    steps = 0
    if record is None:
        problems.append("slot 15 lost its pet")
    else:
        skills = skills_of(record)
        bonuses = sum(1 for s in skills if s in (11, 13))
        removed = len(SPELLS) - sum(1 for s in skills if s in SPELLS)
        steps = bonuses + removed
        balance = bonuses - removed
        if int(record.split("|")[7]) != len(skills) or balance not in (0, 1) or (balance == 1) != (marker is not None):
            problems.append("slot 15: record %r with marker %r" % (record, marker))
        elif marker is not None and marker != str(skills[0]):
            problems.append("slot 15: marker %r for record %r" % (marker, record))
    return problems, merges, steps


def run(petsim, folder, script_path, clock, kill_after):
    """Runs one replay; kills it after kill_after seconds. True when it was killed while running."""
    process = subprocess.Popen([petsim, "--headless", "--replay", script_path, "--clock", str(clock), folder],
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if kill_after is None:
        _, err = process.communicate(timeout=120)
        if process.returncode != 0:
            raise SystemExit("petsim failed without a kill (%d): %s" % (process.returncode, err.decode()))
        return False
    try:
        process.wait(timeout=kill_after)
        return False
    except subprocess.TimeoutExpired:
        process.send_signal(signal.SIGKILL)
        process.wait()
        return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("petsim")
    parser.add_argument("--iterations", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work")
    options = parser.parse_args()
    rng = random.Random(options.seed)
    work = options.work or tempfile.mkdtemp(prefix="petsim-kill-")
    os.makedirs(work, exist_ok=True)
    # A copy of the program: a rebuild during a long run must not change it under the run.
    petsim = os.path.join(work, "petsim")
    shutil.copy2(options.petsim, petsim)
    options.petsim = petsim
    script_path = os.path.join(work, "script.txt")
    write(script_path, script())
    empty_path = os.path.join(work, "empty.txt")
    write(empty_path, "")

    # One whole run: its length sets the range of kill instants, its result the final state.
    folder = os.path.join(work, "whole")
    make_folder(folder)
    started = time.monotonic()
    run(options.petsim, folder, script_path, 7, None)
    duration = time.monotonic() - started
    problems, merges, steps = check(folder)
    if problems or merges != len(PAIRS) or steps != 15:
        raise SystemExit("the uninterrupted run did not finish everything: %s, %d merges, %d steps"
                         % (problems, merges, steps))
    shutil.rmtree(folder)

    killed = failures = 0
    seen_states = set()
    for iteration in range(options.iterations):
        folder = os.path.join(work, "round")
        make_folder(folder)
        clock = rng.randrange(1, 1 << 30)
        if run(options.petsim, folder, script_path, clock, rng.uniform(0.0, duration)):
            killed += 1
        restart = subprocess.run([options.petsim, "--headless", "--replay", empty_path, folder],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=120)
        problems, merges, steps = check(folder)
        if restart.returncode != 0:
            problems.append("restart exited with %d: %s" % (restart.returncode, restart.stderr.decode()))
        seen_states.add((steps, merges))
        if problems:
            failures += 1
            print("round %d (clock %d): %s" % (iteration, clock, "; ".join(problems)), file=sys.stderr)
            shutil.copytree(folder, os.path.join(work, "failed-%d" % iteration))
        shutil.rmtree(folder)
    if not options.work:
        shutil.rmtree(work, ignore_errors=True)
    print("%d rounds, %d killed while running, %d broken; %d distinct states reached; one whole run %.2f s"
          % (options.iterations, killed, failures, len(seen_states), duration))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
