#!/usr/bin/python3
"""Writes every picture of petsim: the stored pictures (assets/*.png, the program icon) and the
default data folder (data/: pet pictures, heads, skill icons, digit glyphs, slot folders and a
few starting pets). Deterministic: the same inputs give the same files.

Usage: tools/generate.py [--assets-only | --data-only]"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import creatures  # noqa: E402
import icons  # noqa: E402
import ui_art  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")
DATA = os.path.join(ROOT, "data")

# Starting pets: slot -> record (species|attack|defence|stamina|magic|speed|growth|n|skills...).
# Values lie within each species' ranges and the skills are its default skills; slots 2 and 3
# hold attack spells (72, 71), so certification can be tried at once.
STARTING_PETS = {
    1: "12|1300|950|3000|1700|1000|1085|3|19|20|5",
    2: "5|790|1012|3350|1844|967|1018|3|72|26|20",
    3: "17|902|1105|4620|2581|1077|1136|4|61|71|31|32",
    4: "1|1255|1088|4190|1772|1034|991|2|53|17",
    6: "30|1421|1210|4705|2640|1310|1254|3|77|22|58",
}


def write_png(surface, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    surface.write_to_png(path)


def write_text(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content.encode("utf-8"))


def generate_assets():
    for name, surface in ui_art.pictures().items():
        write_png(surface, os.path.join(ASSETS, name + ".png"))
    write_png(ui_art.program_icon(), os.path.join(ASSETS, "petsim-icon.png"))


def generate_data():
    pets = os.path.join(DATA, "召唤兽")
    for n in range(1, 36):
        write_png(creatures.pet_picture(n), os.path.join(pets, "图形", "召唤兽%d.png" % n))
        write_png(creatures.head_picture(n), os.path.join(pets, "头像", "召唤兽%d.png" % n))
    for n in range(1, 80):
        write_png(icons.skill_icon(n), os.path.join(pets, "技能", "技能%d.png" % n))
    for i in range(1, 12):
        write_png(icons.digit_glyph(i), os.path.join(DATA, "UI", "text%d.png" % i))
    for slot in range(1, 16):
        folder = os.path.join(pets, "数据", str(slot))
        keep = os.path.join(folder, ".keep")
        record = os.path.join(folder, "Data.txt")
        if slot in STARTING_PETS:
            write_text(record, STARTING_PETS[slot])
            if os.path.exists(keep):
                os.remove(keep)
        else:
            # Git keeps no empty folder; a slot without Data.txt is free whatever else it holds.
            write_text(keep, "")
            if os.path.exists(record):
                os.remove(record)
        marker = os.path.join(folder, "rz.txt")
        if os.path.exists(marker):
            os.remove(marker)


def main(argv):
    if "--data-only" not in argv:
        generate_assets()
    if "--assets-only" not in argv:
        generate_data()


if __name__ == "__main__":
    main(sys.argv[1:])
