#!/usr/bin/python3
"""Composes the three main-window tabs and the pop-up windows from the generated pictures,
with each picture stretched into the place the program draws it, so that one can check by eye
that cells, boxes and frames line up. Reads assets/ and data/, writes PNGs to a folder.

Usage: tools/preview.py [OUTPUT_FOLDER]   (default: build-preview/ in the repository)"""

import os
import sys

import cairo

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")
PETS = os.path.join(ROOT, "data", "召唤兽")
UI = os.path.join(ROOT, "data", "UI")

_cache = {}


def load(path):
    if path not in _cache:
        _cache[path] = cairo.ImageSurface.create_from_png(path) if os.path.exists(path) else None
    return _cache[path]


def asset(name):
    return load(os.path.join(ASSETS, name + ".png"))


def pet(n):
    return load(os.path.join(PETS, "图形", "召唤兽%d.png" % n))


def head(n):
    return load(os.path.join(PETS, "头像", "召唤兽%d.png" % n))


def icon(n):
    return load(os.path.join(PETS, "技能", "技能%d.png" % n))


def glyph(i):
    return load(os.path.join(UI, "text%d.png" % i))


def draw(c, img, x, y, w, h):
    """A picture stretched into a rectangle, as the program's DrawImage does."""
    if img is None or w <= 0 or h <= 0:
        return
    c.save()
    c.rectangle(x, y, w, h)
    c.clip()
    c.translate(x, y)
    c.scale(w / img.get_width(), h / img.get_height())
    c.set_source_surface(img, 0, 0)
    c.get_source().set_filter(cairo.FILTER_GOOD)
    c.paint()
    c.restore()


def draw_number(c, value, x, y):
    """Glyph boxes of 14x17, one per character, left to right."""
    txt = ("%.13g" % value) if value != int(value) else str(int(value))
    for ch in txt:
        draw(c, glyph(11 if ch == "." else int(ch) + 1), x, y, 14, 17)
        x += 14


def frame(c, tab_state):
    draw(c, asset("main_background"), 0, 0, 920, 620)
    draw(c, asset("close_button"), 850, 2, 50, 50)
    draw(c, asset("minimize_button"), 795, 2, 50, 50)


def tab_row(c, tab_state):
    names = ["wash", "merge", "book"]
    for k in (1, 2, 3):
        look = "bright" if k == tab_state else "dull"
        draw(c, asset("tab_%s_%s" % (names[k - 1], look)), 228 * k - 83, 58, 198, 51)


def skill_icons(c, skills, x0, y0, dx, dy, size):
    for k, s in enumerate(skills[:15]):
        draw(c, icon(s), x0 + dx * (k % 4), y0 + dy * (k // 4), size, size)


def roster_panel(c, occupied, current, strip_y=0):
    """The roster panel window (410x200) over main-window pixels (43, 385)."""
    c.save()
    c.translate(43, 385)
    c.rectangle(0, 0, 410, 200)
    c.clip()
    draw(c, asset("roster_grid"), 0, strip_y, 408, 238)
    for slot, species in occupied.items():
        k = slot - 1
        draw(c, head(species), 84 * (k % 5) + 1, 83 * (k // 5) + strip_y + 1, 70, 70)
    k = current - 1
    draw(c, asset("highlight_frame"), 84 * (k % 5), 83 * (k // 5) + strip_y, 74, 74)
    c.restore()


ROSTER = {1: 12, 2: 5, 3: 17, 4: 1, 6: 30, 7: 26, 12: 33}
PET = dict(species=12, aptitudes=[1300, 950, 3000, 1700, 1000, 1.085],
           skills=[71, 19, 20, 5, 66, 11, 24, 33, 47, 52, 60, 3, 13, 8])


def wash_tab():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 920, 620)
    c = cairo.Context(s)
    frame(c, 1)
    draw(c, pet(PET["species"]), 128, 119, 234, 242)
    draw(c, asset("wash_button"), 732, 525, 147, 55)
    draw(c, asset("release_button"), 480, 525, 147, 55)
    draw(c, asset("plain_panel"), 35, 375, 424, 221)
    draw(c, asset("wash_panel"), 470, 110, 423, 475)
    draw(c, asset("skill_grid"), 528, 277, 303, 192)
    tab_row(c, 1)
    for j, v in enumerate(PET["aptitudes"]):
        draw_number(c, v, 598 + 200 * (j % 2), 138 + 43 * (j // 2))
    skill_icons(c, PET["skills"][:12], 527, 276, 82, 68, 59)
    draw(c, asset("cert_badge"), 526, 275, 37, 37)
    roster_panel(c, ROSTER, 1)
    return s


def merge_tab():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 920, 620)
    c = cairo.Context(s)
    frame(c, 2)
    tab_row(c, 2)
    draw(c, asset("merge_panel"), 36, 120, 846, 468)
    draw(c, asset("merge_button"), 404, 296, 107, 105)
    draw(c, head(17), 54, 135, 88, 86)
    sides = [([902, 1105, 4620, 2581, 1077, 1.136], [61, 71, 31, 32, 5, 8, 9, 10, 11, 12, 14, 15]),
             ([1421, 1210, 4705, 2640, 1310, 1.254], [])]
    draw(c, None, 525, 135, 89, 86)
    for side, (x0, (apt, skills)) in enumerate(zip((140, 610), sides)):
        for j, v in enumerate(apt if side == 0 else [0] * 6):
            draw_number(c, v, x0 + 200 * (j % 2), 234 + 43 * (j // 2))
    skill_icons(c, sides[0][1], 68, 376, 82, 68, 59)
    return s


def book_tab():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 920, 620)
    c = cairo.Context(s)
    frame(c, 3)
    tab_row(c, 3)
    draw(c, asset("plain_panel"), 35, 375, 424, 221)
    draw(c, pet(PET["species"]), 128, 119, 234, 242)
    draw(c, asset("book_panel"), 474, 130, 409, 464)
    draw(c, asset("learn_button"), 735, 145, 99, 53)
    skill_icons(c, PET["skills"][:12], 495, 291, 98, 83, 70)
    draw(c, icon(47), 485, 141, 66, 66)
    draw(c, asset("cancel_certify_button"), 705, 535, 168, 51)
    draw(c, asset("cert_badge"), 494, 289, 46, 46)
    roster_panel(c, ROSTER, 7, strip_y=-45)
    return s


def species_picker():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 658, 415)
    c = cairo.Context(s)
    draw(c, asset("species_picker_background"), 0, 0, 658, 415)
    for k in range(35):
        draw(c, head(k + 1), 88 * (k % 7) + 32, 78 * (k // 7) + 18, 66, 66)
    k = 9
    draw(c, asset("highlight_frame"), 88 * (k % 7) + 29, 78 * (k // 7) + 15, 72, 72)
    return s


def merge_picker():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 439, 272)
    c = cairo.Context(s)
    draw(c, asset("merge_picker_background"), 0, 0, 439, 272)
    for slot, species in ROSTER.items():
        k = slot - 1
        draw(c, head(species), 84 * (k % 5) + 16, 83 * (k // 5) + 19, 70, 70)
    k = 5
    draw(c, asset("highlight_frame"), 84 * (k % 5) + 14, 83 * (k // 5) + 17, 74, 74)
    return s


def book_picker():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 680, 550)
    c = cairo.Context(s)
    draw(c, asset("book_picker_background"), 0, 0, 680, 550)
    for n in range(1, 80):
        k = n - 1
        draw(c, icon(n), 64 * (k % 10) + 22, 64 * (k // 10) + 22, 60, 60)
    k = 46
    draw(c, asset("highlight_frame"), 64 * (k % 10) + 20, 64 * (k // 10) + 20, 64, 64)
    return s


def certify_picker():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 335, 190)
    c = cairo.Context(s)
    draw(c, asset("certify_picker_background"), 0, 0, 335, 190)
    candidates = [73, 71, 75, 78, 72]
    for i, n in enumerate(candidates):
        draw(c, icon(n), 26 + 74 * (i % 4), 27 + 74 * (i // 4), 64, 64)
    i = 1
    draw(c, asset("highlight_frame"), 24 + 74 * (i % 4), 25 + 74 * (i // 4), 68, 68)
    return s


def detail_view():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 840, 544)
    c = cairo.Context(s)
    draw(c, asset("detail_background"), 0, 0, 840, 544)
    draw(c, asset("detail_close_button"), 789, 0, 50, 50)
    draw(c, pet(26), 73, 148, 234, 242)
    for k, v in enumerate([1100, 1200, 3000, 1300, 1150, 1125]):
        draw_number(c, v, 215 * (k % 2) + 493, 39 * (k // 2) + 90)
    for k, n in enumerate([5, 17, 20, 52, 71, 39, 41, 11, 13, 28, 66, 1]):
        draw(c, icon(n), 98 * (k % 4) + 403, 83 * (k // 4) + 269, 70, 70)
    return s


def on_desk(s):
    """The window over a neutral desktop, so its transparent corners show."""
    out = cairo.ImageSurface(cairo.FORMAT_ARGB32, s.get_width() + 40, s.get_height() + 40)
    c = cairo.Context(out)
    c.set_source_rgb(0.32, 0.40, 0.48)
    c.paint()
    c.set_source_surface(s, 20, 20)
    c.paint()
    return out


def main(argv):
    out = argv[0] if argv else os.path.join(ROOT, "build-preview")
    os.makedirs(out, exist_ok=True)
    for name, fn in [("wash_tab", wash_tab), ("merge_tab", merge_tab), ("book_tab", book_tab),
                     ("species_picker", species_picker), ("merge_picker", merge_picker),
                     ("book_picker", book_picker), ("certify_picker", certify_picker),
                     ("detail_view", detail_view)]:
        path = os.path.join(out, name + ".png")
        on_desk(fn()).write_to_png(path)
        print(path)


if __name__ == "__main__":
    main(sys.argv[1:])
