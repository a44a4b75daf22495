"""The pictures stored inside the program: frame, panels, buttons, tabs, badge, pickers.

Every cell, box and frame is placed where the windows draw into it; the coordinates below are
the pictures' own (the window places are noted where they explain a number)."""

import math
import random

import cairo

from artlib import (BEIGE, BEIGE_DARK, BEIGE_LIGHT, BEIGE_MID, BROWN, BROWN_DARK, BROWN_LIGHT,
                    CREAM, GOLD, GOLD_DARK, GOLD_LIGHT, GREEN, GREEN_DARK, ORANGE, ORANGE_DARK,
                    ORANGE_LIGHT, RED, TEXT_BROWN, beige_panel, brown_cell, button, corner_ornament,
                    darken, diamond, gold_face, inner_shadow, lighten, linear, mix, paper_texture,
                    plus_sign, radial, rgba, rounded_rect, soft_shadow, surface, text)

LABEL_OUTLINE = (1.0, 0.97, 0.88, 0.9)


def label(c, s, x, y, size=19, align="right", col=TEXT_BROWN):
    text(c, s, x, y, size, col, align=align, outline=LABEL_OUTLINE, outline_width=3)


def value_box(c, x, y, w, h):
    """A sunken dark value box for the glyph numbers."""
    rounded_rect(c, x - 0.5, y - 0.5, w + 1.5, h + 1.5, 6)
    rgba(c, (1, 1, 1), 0.8)
    c.fill()
    rounded_rect(c, x - 0.5, y - 0.5, w + 1, h + 1, 6)
    rgba(c, BROWN_DARK)
    c.fill()
    rounded_rect(c, x + 1, y + 1, w - 2, h - 2, 5)
    c.set_source(linear(0, y, 0, y + h, [(0, (0.33, 0.19, 0.08)), (1, (0.50, 0.31, 0.14))]))
    c.fill()
    inner_shadow(c, x + 1, y + 1, w - 2, h - 2, 5, depth=4, alpha=0.7)


def plaque(c, cx, cy, w, h, s, size=16):
    """A small gold heading plate with pointed ends."""
    x0, x1 = cx - w / 2, cx + w / 2
    def path(g):
        c.new_path()
        c.move_to(x0 - g, cy)
        c.line_to(x0 + h / 2 - g * 0.3, cy - h / 2 - g)
        c.line_to(x1 - h / 2 + g * 0.3, cy - h / 2 - g)
        c.line_to(x1 + g, cy)
        c.line_to(x1 - h / 2 + g * 0.3, cy + h / 2 + g)
        c.line_to(x0 + h / 2 - g * 0.3, cy + h / 2 + g)
        c.close_path()
    c.save()
    c.translate(0, 1.5)
    path(1.5)
    rgba(c, (0.3, 0.15, 0.02), 0.3)
    c.fill()
    c.restore()
    path(1.5)
    rgba(c, BROWN_DARK)
    c.fill()
    path(0)
    c.set_source(linear(0, cy - h / 2, 0, cy + h / 2, [(0, lighten(GOLD_LIGHT, 0.3)), (0.5, GOLD), (1, GOLD_DARK)]))
    c.fill()
    text(c, s, cx, cy, size, CREAM, outline=(0.45, 0.2, 0.02), outline_width=3, spacing=2)


def divider(c, x0, x1, y, col=BROWN_LIGHT):
    c.set_source(linear(x0, 0, x1, 0, [(0, col, 0.0), (0.2, col, 0.8), (0.8, col, 0.8), (1, col, 0.0)]))
    c.set_line_width(1.5)
    c.move_to(x0, y)
    c.line_to(x1, y)
    c.stroke()
    c.set_source(linear(x0, 0, x1, 0, [(0, (1, 1, 1), 0.0), (0.2, (1, 1, 1), 0.8), (0.8, (1, 1, 1), 0.8),
                                       (1, (1, 1, 1), 0.0)]))
    c.set_line_width(1)
    c.move_to(x0, y + 1.5)
    c.line_to(x1, y + 1.5)
    c.stroke()
    diamond(c, (x0 + x1) / 2, y, 5, 4)
    rgba(c, col)
    c.fill()


def recess(c, x, y, w, h, r=10):
    """A slightly darker beige well that groups cells."""
    rounded_rect(c, x - 0.5, y - 0.5, w + 1.5, h + 1.5, r)
    rgba(c, (1, 1, 1), 0.7)
    c.fill()
    rounded_rect(c, x, y, w, h, r)
    c.set_source(linear(0, y, 0, y + h, [(0, darken(BEIGE_MID, 0.04)), (1, BEIGE_MID)]))
    c.fill()
    inner_shadow(c, x, y, w, h, r, depth=5, alpha=0.35)
    rounded_rect(c, x + 0.5, y + 0.5, w - 1, h - 1, r)
    rgba(c, BEIGE_DARK, 0.8)
    c.set_line_width(1)
    c.stroke()


def ornamented_corners(c, w, h, inset=9, size=22, col=BROWN_LIGHT):
    corner_ornament(c, inset, inset, 1, 1, size, col)
    corner_ornament(c, w - inset, inset, -1, 1, size, col)
    corner_ornament(c, inset, h - inset, 1, -1, size, col)
    corner_ornament(c, w - inset, h - inset, -1, -1, size, col)


def popup_panel(w, h, seed, border=BEIGE_DARK, ornament=22):
    """Light beige pop-up background: darker beige border, inner line, corner ornaments."""
    s, c = surface(w, h)
    rnd = random.Random(seed)
    rounded_rect(c, 0.5, 0.5, w - 1, h - 1, 16)
    rgba(c, darken(border, 0.35))
    c.fill()
    rounded_rect(c, 2, 2, w - 4, h - 4, 14.5)
    c.set_source(linear(0, 0, 0, h, [(0, lighten(border, 0.15)), (1, darken(border, 0.05))]))
    c.fill()
    rounded_rect(c, 6, 6, w - 12, h - 12, 11)
    c.set_source(radial(w / 2, h * 0.4, 10, max(w, h) * 0.7, [(0, BEIGE_LIGHT), (1, lighten(BEIGE, 0.25))]))
    c.fill()
    paper_texture(c, 6, 6, w - 12, h - 12, rnd, int(w * h / 200),
                  clip=lambda: rounded_rect(c, 6, 6, w - 12, h - 12, 11))
    rounded_rect(c, 6.5, 6.5, w - 13, h - 13, 11)
    rgba(c, darken(border, 0.2), 0.9)
    c.set_line_width(1)
    c.stroke()
    rounded_rect(c, 8.5, 8.5, w - 17, h - 17, 9)
    rgba(c, (1, 1, 1), 0.7)
    c.stroke()
    ornamented_corners(c, w, h, inset=9 if ornament > 16 else 7, size=ornament)
    return s, c


# ---------------------------------------------------------------- main window

def cloud_scroll(c, x, y, direction, col=(1.0, 0.93, 0.75), alpha=0.28):
    """A small auspicious-cloud curl: a spiral ending in a tail."""
    c.save()
    c.translate(x, y)
    c.scale(direction, 1)
    c.new_path()
    steps = 40
    for i in range(steps + 1):
        a = i / steps * 1.6 * 2 * math.pi
        r = 1.5 + i / steps * 9
        (c.move_to if i == 0 else c.line_to)(math.cos(a) * r, math.sin(a) * r * 0.8)
    c.curve_to(14, 4, 22, 8, 32, 6)
    rgba(c, col, alpha)
    c.set_line_width(2)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    c.stroke()
    c.restore()


def main_background():
    w, h = 920, 620
    s, c = surface(w, h)
    rnd = random.Random(1)
    outer = lambda: rounded_rect(c, 0.5, 0.5, w - 1, h - 1, 18)
    outer()
    rgba(c, BROWN_DARK)
    c.fill()
    # Body: beige with a light border.
    rounded_rect(c, 2, 2, w - 4, h - 4, 16.5)
    c.set_source(linear(0, 0, 0, h, [(0, BEIGE_LIGHT), (1, BEIGE_DARK)]))
    c.fill()
    rounded_rect(c, 6, 56, w - 12, h - 62, 12)
    c.set_source(linear(0, 56, 0, h, [(0, lighten(BEIGE, 0.35)), (0.6, BEIGE), (1, darken(BEIGE, 0.04))]))
    c.fill()
    paper_texture(c, 6, 56, w - 12, h - 62, rnd, 3200, clip=lambda: rounded_rect(c, 6, 56, w - 12, h - 62, 12))
    # Soft light where the pet stands.
    c.set_source(radial(245, 235, 10, 190, [(0, (1, 1, 0.97), 0.75), (1, (1, 1, 0.97), 0.0)]))
    c.rectangle(6, 56, 480, 400)
    c.fill()
    # A round stage under the pet.
    c.save()
    c.translate(245, 350)
    c.scale(1, 0.22)
    c.set_source(radial(0, 0, 20, 130, [(0, BEIGE_MID, 0.0), (0.75, BEIGE_DARK, 0.35), (0.9, BROWN_LIGHT, 0.45),
                                        (1, BROWN_LIGHT, 0.0)]))
    c.arc(0, 0, 130, 0, 2 * math.pi)
    c.fill()
    c.restore()
    rounded_rect(c, 6.5, 56.5, w - 13, h - 63, 12)
    rgba(c, BROWN_LIGHT, 0.8)
    c.set_line_width(1)
    c.stroke()
    rounded_rect(c, 8.5, 58.5, w - 17, h - 67, 10)
    rgba(c, (1, 1, 1), 0.85)
    c.set_line_width(1.5)
    c.stroke()
    # Title bar.
    c.save()
    outer()
    c.clip()
    c.rectangle(0, 0, w, 54)
    c.set_source(linear(0, 0, 0, 54, [(0, ORANGE_LIGHT), (0.5, ORANGE), (1, ORANGE_DARK)]))
    c.fill()
    c.rectangle(0, 0, w, 24)
    c.set_source(linear(0, 0, 0, 24, [(0, (1, 1, 1), 0.35), (1, (1, 1, 1), 0.05)]))
    c.fill()
    # Faint cloud scrolls across the bar, left and right of the banner.
    for x in list(range(40, 300, 74)) + list(range(660, 800, 74)):
        cloud_scroll(c, x, 31, 1 if (x // 74) % 2 else -1)
    c.restore()
    c.rectangle(2, 54, w - 4, 2)
    rgba(c, BROWN_DARK)
    c.fill()
    c.rectangle(2, 56, w - 4, 1.5)
    rgba(c, GOLD, 0.9)
    c.fill()
    # Central title banner.
    cx, top, bw, bh = w / 2, 5, 300, 42
    for side in (-1, 1):
        # Folded ribbon tails.
        c.new_path()
        x = cx + side * bw / 2
        c.move_to(x - side * 8, top + 10)
        c.line_to(x + side * 34, top + 10)
        c.line_to(x + side * 22, top + 26)
        c.line_to(x + side * 34, top + 42)
        c.line_to(x - side * 8, top + 42)
        c.close_path()
        c.set_source(linear(0, top + 10, 0, top + 42, [(0, GOLD), (1, darken(GOLD_DARK, 0.15))]))
        c.fill_preserve()
        rgba(c, BROWN_DARK)
        c.set_line_width(1.5)
        c.stroke()
    soft_shadow(c, cx - bw / 2, top, bw, bh, 8, spread=5, alpha=0.5, dy=2)
    rounded_rect(c, cx - bw / 2, top, bw, bh, 8)
    rgba(c, BROWN_DARK)
    c.fill()
    rounded_rect(c, cx - bw / 2 + 2, top + 2, bw - 4, bh - 4, 6.5)
    c.set_source(linear(0, top, 0, top + bh, [(0, lighten(GOLD_LIGHT, 0.4)), (0.5, GOLD), (1, GOLD_DARK)]))
    c.fill()
    rounded_rect(c, cx - bw / 2 + 5.5, top + 5.5, bw - 11, bh - 11, 4)
    rgba(c, BROWN, 0.6)
    c.set_line_width(1)
    c.stroke()
    for side in (-1, 1):
        diamond(c, cx + side * (bw / 2 - 16), top + bh / 2, 5, 6)
        rgba(c, BROWN)
        c.fill()
    text(c, "召唤兽模拟器", cx, top + bh / 2, 25, CREAM, outline=(0.42, 0.16, 0.0), outline_width=4, spacing=4,
         shadow=((0.3, 0.1, 0.0), 0.5, 0, 2))
    # Separator under the tab row.
    divider(c, 30, w - 30, 112)
    return s


def square_button(mark):
    w = h = 50
    s, c = surface(w, h)
    gold_face(c, 1, 1, w - 2, h - 2, 9, face=(BEIGE_LIGHT, BEIGE, BEIGE_DARK), rim=BROWN)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    strokes = [((16, 16), (34, 34)), ((34, 16), (16, 34))] if mark == "cross" else [((15, 26), (35, 26))]
    for width, col, dy in ((9, (0.35, 0.05, 0.02), 1), (6.5, RED, 0), (2.2, (1, 0.55, 0.45), -1.2)):
        c.set_line_width(width)
        rgba(c, col, 0.9 if width < 3 else 1)
        for (a, b) in strokes:
            c.move_to(a[0], a[1] + dy)
            c.line_to(b[0], b[1] + dy)
            c.stroke()
    return s


def plain_panel():
    w, h = 424, 221
    s, c = surface(w, h)
    rnd = random.Random(2)
    beige_panel(c, 2, 2, w - 4, h - 5, 14, rnd)
    # The roster panel window lies over (8..418, 10..210) of this picture.
    recess(c, 7, 9, 411, 202, 10)
    return s


WASH_LABELS = ["攻击资质", "防御资质", "体力资质", "法力资质", "速度资质", "成长"]
WASH_BOX_X = (105, 304)
WASH_BOX_Y = (21, 64, 108)


def wash_panel():
    w, h = 423, 475
    s, c = surface(w, h)
    rnd = random.Random(3)
    beige_panel(c, 5, 6, 407, 375, 16, rnd)
    for j, name in enumerate(WASH_LABELS):
        bx, by = WASH_BOX_X[j % 2], WASH_BOX_Y[j // 2]
        label(c, name, bx - 6, by + 14, 19)
        value_box(c, bx, by, 96, 28)
    divider(c, 24, 395, 146)
    plaque(c, 209.5, 147, 110, 22, "召唤兽技能", 15)
    # The skill grid picture is drawn at (58, 167) of this panel.
    recess(c, 46, 161, 327, 210, 12)
    return s


def skill_grid():
    w, h = 303, 192
    s, c = surface(w, h)
    for n in range(3):
        for m in range(4):
            brown_cell(c, 1 + 82 * m, 1 + 68 * n, 55, 54, 9)
    return s


def tab(w, h, bright, name):
    s, c = surface(w, h)
    face = (GOLD_LIGHT, GOLD, GOLD_DARK) if bright else (BEIGE_LIGHT, BEIGE, BEIGE_DARK)
    # Tab shape: rounded top, nearly square bottom.
    def shape(x, y, ww, hh, r):
        c.new_path()
        c.move_to(x, y + hh)
        c.line_to(x, y + r)
        c.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
        c.line_to(x + ww - r, y)
        c.arc(x + ww - r, y + r, r, 1.5 * math.pi, 2 * math.pi)
        c.line_to(x + ww, y + hh)
        c.close_path()
    shape(1, 1, w - 2, h - 3, 14)
    rgba(c, BROWN_DARK)
    c.fill()
    shape(3, 3, w - 6, h - 6, 12)
    c.set_source(linear(0, 3, 0, h - 3, [(0, lighten(face[0], 0.3)), (0.45, face[0]), (0.55, face[1]), (1, face[2])]))
    c.fill()
    shape(5, 4.5, w - 10, (h - 8) * 0.45, 10)
    c.set_source(linear(0, 4, 0, h * 0.5, [(0, (1, 1, 1), 0.5), (1, (1, 1, 1), 0.05)]))
    c.fill()
    shape(3.5, 3.5, w - 7, h - 7, 11.5)
    rgba(c, (1, 1, 1), 0.6)
    c.set_line_width(1)
    c.stroke()
    c.rectangle(1, h - 3, w - 2, 2)
    rgba(c, BROWN_DARK, 0.9)
    c.fill()
    for side in (-1, 1):
        diamond(c, w / 2 + side * 70, h / 2, 4, 5)
        rgba(c, BROWN if bright else BROWN_LIGHT, 0.8)
        c.fill()
    if bright:
        text(c, name, w / 2, h / 2 - 1, 24, CREAM, outline=(0.45, 0.18, 0.0), outline_width=4, spacing=5,
             shadow=((0.3, 0.1, 0), 0.45, 0, 1.5))
    else:
        text(c, name, w / 2, h / 2 - 1, 23, (0.55, 0.36, 0.18), outline=LABEL_OUTLINE, outline_width=3, spacing=5)
    return s


def cert_badge():
    w, h = 50, 43
    s, c = surface(w, h)
    # Drawn in a 50x50 square and squeezed to 50x43: the windows stretch it back to a square.
    c.scale(1, h / 50.0)
    a, b = 13, 45   # the band lies between x + y = a and x + y = b
    # Ends of the ribbon folded behind the corner.
    for pts in (((0, a), (0, b + 6), (6, b)), ((a, 0), (b + 6, 0), (b, 6))):
        c.new_path()
        c.move_to(*pts[0])
        c.line_to(*pts[1])
        c.line_to(*pts[2])
        c.close_path()
        rgba(c, (0.05, 0.25, 0.05))
        c.fill()
    c.new_path()
    c.move_to(0, a)
    c.line_to(a, 0)
    c.line_to(b, 0)
    c.line_to(0, b)
    c.close_path()
    c.set_source(linear(0, 0, b / 2, b / 2, [(0, lighten(GREEN, 0.35)), (0.5, GREEN), (1, GREEN_DARK)]))
    c.fill()
    # Stitched edges.
    for off in (a + 2.5, b - 2.5):
        c.new_path()
        c.move_to(0, off)
        c.line_to(off, 0)
        c.set_dash([2.5, 2])
        c.set_line_width(1)
        rgba(c, (0.85, 1.0, 0.8), 0.9)
        c.stroke()
    c.set_dash([])
    c.new_path()
    c.move_to(0, b)
    c.line_to(b, 0)
    rgba(c, (0.05, 0.25, 0.05))
    c.set_line_width(1.2)
    c.stroke()
    c.save()
    mid = (a + b) / 4.0
    c.translate(mid, mid)
    c.rotate(-math.pi / 4)
    text(c, "认证", 0, 0.5, 18, (1, 1, 0.92), outline=(0.04, 0.28, 0.04), outline_width=3, spacing=1)
    c.restore()
    return s


MERGE_LABELS = ["攻击资质", "防御资质", "体力资质", "法力资质", "速度资质", "宠物成长"]


def merge_card(c, rnd, x, w, dx, title):
    """One merge card; dx moves the contents (469 / 470 / 471 apart between the two cards)."""
    beige_panel(c, x, 3, w, 459, 16, rnd)
    head_x = 18 + dx + (1 if dx else 0)
    brown_cell(c, head_x + 1, 16, 86, 84, 11)
    plus_sign(c, head_x + 44, 58, 22, 14)
    plaque(c, head_x + 178, 40, 120, 26, title, 17)
    text(c, "点击加号选择宠物", head_x + 178, 80, 14, (0.55, 0.36, 0.18), bold=False)
    for j, name in enumerate(MERGE_LABELS):
        vx = 104 + dx + (1 if dx else 0) + 200 * (j % 2)
        vy = 114 + 43 * (j // 2)
        label(c, name, vx - 8, vy + 8.5, 17)
        # A light inlay under the value.
        rounded_rect(c, vx - 4, vy - 5, 74, 27, 6)
        rgba(c, BEIGE_MID, 0.8)
        c.fill()
        inner_shadow(c, vx - 4, vy - 5, 74, 27, 6, depth=3, alpha=0.35)
    plaque(c, 184.5 + dx, 231, 90, 22, "技能", 15)
    recess(c, 24 + dx, 248, 321, 208, 12)
    for n in range(3):
        for m in range(4):
            brown_cell(c, 34 + dx + 82 * m, 258 + 68 * n, 55, 54, 9)


def merge_panel():
    w, h = 846, 468
    s, c = surface(w, h)
    rnd = random.Random(4)
    merge_card(c, rnd, 3, 376, 0, "宠物一")
    merge_card(c, rnd, 470, 374, 469, "宠物二")
    # Medallion between the cards; the merge button (107x105) is drawn at (368, 176).
    cx, cy = 421.5, 228.5
    for side in (-1, 1):
        # Bars that join the cards to the medallion.
        y = cy - 9
        x0 = cx + side * 50
        x1 = cx + side * 75
        c.rectangle(min(x0, x1), y, abs(x1 - x0), 18)
        c.set_source(linear(0, y, 0, y + 18, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]))
        c.fill_preserve()
        rgba(c, BROWN_DARK)
        c.set_line_width(1.5)
        c.stroke()
    c.new_path()
    c.arc(cx, cy + 2, 66, 0, 2 * math.pi)
    rgba(c, (0.3, 0.15, 0.02), 0.35)
    c.fill()
    c.arc(cx, cy, 64, 0, 2 * math.pi)
    rgba(c, BROWN_DARK)
    c.fill()
    c.arc(cx, cy, 62, 0, 2 * math.pi)
    c.set_source(linear(cx - 62, cy - 62, cx + 62, cy + 62, [(0, lighten(GOLD_LIGHT, 0.4)), (0.5, GOLD), (1, GOLD_DARK)]))
    c.fill()
    for k in range(24):
        a = k * math.pi / 12
        c.new_path()
        c.arc(cx + math.cos(a) * 58, cy + math.sin(a) * 58, 1.8, 0, 2 * math.pi)
        rgba(c, BROWN, 0.8)
        c.fill()
    c.new_path()
    c.arc(cx, cy, 55, 0, 2 * math.pi)
    c.set_source(radial(cx, cy, 10, 55, [(0, (0.55, 0.33, 0.12)), (1, (0.30, 0.16, 0.05))]))
    c.fill()
    return s


def merge_button():
    w, h = 107, 105
    s, c = surface(w, h)
    cx, cy, rx, ry = w / 2, h / 2, w / 2 - 1, h / 2 - 1
    def ell(grow, dy=0):
        c.new_path()
        c.save()
        c.translate(cx, cy + dy)
        c.scale(rx + grow, ry + grow)
        c.arc(0, 0, 1, 0, 2 * math.pi)
        c.restore()
    ell(0)
    rgba(c, BROWN_DARK)
    c.fill()
    ell(-2.5)
    c.set_source(radial(cx - 15, cy - 20, 5, 60, [(0, lighten(GOLD_LIGHT, 0.5)), (0.5, GOLD), (1, GOLD_DARK)]))
    c.fill()
    ell(-8)
    rgba(c, BROWN, 0.7)
    c.set_line_width(1.5)
    c.stroke()
    ell(-10)
    c.set_source(radial(cx, cy - 10, 5, 50, [(0, lighten(GOLD, 0.3)), (1, darken(GOLD, 0.1))]))
    c.fill()
    # Gloss.
    c.new_path()
    c.save()
    c.translate(cx, cy - 22)
    c.scale(34, 20)
    c.arc(0, 0, 1, 0, 2 * math.pi)
    c.restore()
    c.set_source(linear(0, cy - 42, 0, cy - 2, [(0, (1, 1, 1), 0.7), (1, (1, 1, 1), 0.0)]))
    c.fill()
    text(c, "合成", cx, cy + 1, 30, CREAM, outline=(0.45, 0.18, 0.0), outline_width=4.5, spacing=3,
         shadow=((0.3, 0.1, 0), 0.5, 0, 2))
    return s


def book_panel():
    w, h = 409, 464
    s, c = surface(w, h)
    rnd = random.Random(5)
    beige_panel(c, 2, 2, w - 4, h - 5, 16, rnd)
    # The book slot: an 88x88 cell at the top left; the book's icon goes to (11, 11), 66x66.
    brown_cell(c, 4, 4, 80, 80, 12)
    plus_sign(c, 44, 44, 22, 14)
    text(c, "请放入兽决", 100, 40, 22, TEXT_BROWN, align="left", outline=LABEL_OUTLINE, outline_width=3, spacing=2)
    text(c, "学习技能有可能覆盖原技能", w / 2, 110, 17, (0.62, 0.18, 0.06), outline=LABEL_OUTLINE,
         outline_width=3, spacing=1)
    divider(c, 20, w - 20, 134)
    recess(c, 10, 150, 389, 256, 12)
    for n in range(3):
        for m in range(4):
            brown_cell(c, 21 + 98 * m, 161 + 83 * n, 70, 70, 11)
    # The certify button is drawn at (231, 405); a hint goes left of it.
    text(c, "认证后学习不会覆盖首个技能", 118, 431, 12.5, (0.55, 0.36, 0.18), bold=False)
    return s


def certify_picker_background():
    w, h = 335, 190
    s, c = popup_panel(w, h, 6, ornament=13)
    # Icons are drawn at (26 + 74c, 27 + 74r) 64x64; the highlight at (24 + 74c, 25 + 74r) 68x68.
    for r in range(2):
        for col in range(4):
            brown_cell(c, 23 + 74 * col, 24 + 74 * r, 70, 70, 10)
    text(c, "选择要认证的法术  ·  右键关闭", w / 2, 180, 12, (0.55, 0.36, 0.18), bold=False)
    return s


def highlight_frame():
    w = h = 74
    s, c = surface(w, h)
    # Glow fading inward to a transparent centre.
    for i in range(12):
        t = 1 - i / 12
        rounded_rect(c, 3 + i, 3 + i, w - 6 - 2 * i, h - 6 - 2 * i, max(2, 12 - i))
        rgba(c, (1.0, 0.68, 0.18), 0.62 * t * t)
        c.set_line_width(2)
        c.stroke()
    rounded_rect(c, 1, 1, w - 2, h - 2, 13)
    rgba(c, (0.62, 0.25, 0.0))
    c.set_line_width(2)
    c.stroke()
    rounded_rect(c, 3, 3, w - 6, h - 6, 11)
    c.set_source(linear(0, 0, 0, h, [(0, (1.0, 0.9, 0.45)), (0.5, (1.0, 0.55, 0.1)), (1, (0.95, 0.42, 0.05))]))
    c.set_line_width(3)
    c.stroke()
    rounded_rect(c, 5, 5, w - 10, h - 10, 9)
    rgba(c, (1, 0.95, 0.7), 0.8)
    c.set_line_width(1)
    c.stroke()
    return s


def roster_grid():
    w, h = 408, 238
    s, c = surface(w, h)
    rgba(c, BEIGE_LIGHT, 0.04)
    c.paint()
    for k in range(15):
        col, row = k % 5, k // 5
        x, y = 84 * col + 1, 83 * row + 1
        # Semi-transparent inside, opaque brown rim.
        rounded_rect(c, x + 1, y + 1, 68, 68, 11)
        c.set_source(linear(0, y, 0, y + 70, [(0, (0.36, 0.22, 0.10), 0.45), (1, (0.50, 0.32, 0.15), 0.30)]))
        c.fill()
        inner_shadow(c, x + 1, y + 1, 68, 68, 11, depth=4, alpha=0.45)
        rounded_rect(c, x + 1.5, y + 1.5, 67, 67, 11)
        rgba(c, BROWN)
        c.set_line_width(3)
        c.stroke()
        rounded_rect(c, x + 3.5, y + 3.5, 63, 63, 9)
        rgba(c, (1, 0.9, 0.75), 0.4)
        c.set_line_width(1)
        c.stroke()
    return s


def species_picker_background():
    s, c = popup_panel(658, 415, 7)
    return s


def merge_picker_background():
    w, h = 439, 272
    s, c = popup_panel(w, h, 8, ornament=12)
    for k in range(15):
        col, row = k % 5, k // 5
        brown_cell(c, 84 * col + 16, 83 * row + 19, 70, 70, 11)
    return s


def book_picker_background():
    s, c = popup_panel(680, 550, 9)
    return s


DETAIL_LABELS = ["攻击资质", "防御资质", "体力资质", "法力资质", "速度资质", "成长"]


def detail_background():
    w, h = 840, 544
    s, c = surface(w, h)
    rnd = random.Random(10)
    outer = lambda: rounded_rect(c, 0.5, 0.5, w - 1, h - 1, 18)
    outer()
    rgba(c, BROWN_DARK)
    c.fill()
    rounded_rect(c, 2, 2, w - 4, h - 4, 16.5)
    c.set_source(linear(0, 0, 0, h, [(0, BEIGE_LIGHT), (1, BEIGE_DARK)]))
    c.fill()
    rounded_rect(c, 6, 50, w - 12, h - 56, 12)
    c.set_source(linear(0, 50, 0, h, [(0, lighten(BEIGE, 0.35)), (1, BEIGE)]))
    c.fill()
    paper_texture(c, 6, 50, w - 12, h - 56, rnd, 2400, clip=lambda: rounded_rect(c, 6, 50, w - 12, h - 56, 12))
    rounded_rect(c, 8.5, 52.5, w - 17, h - 61, 10)
    rgba(c, (1, 1, 1), 0.85)
    c.set_line_width(1.5)
    c.stroke()
    # Title bar; the close button is drawn at (789, 0).
    c.save()
    outer()
    c.clip()
    c.rectangle(0, 0, w, 48)
    c.set_source(linear(0, 0, 0, 48, [(0, ORANGE_LIGHT), (0.5, ORANGE), (1, ORANGE_DARK)]))
    c.fill()
    c.rectangle(0, 0, w, 22)
    c.set_source(linear(0, 0, 0, 22, [(0, (1, 1, 1), 0.35), (1, (1, 1, 1), 0.05)]))
    c.fill()
    c.restore()
    c.rectangle(2, 48, w - 4, 2)
    rgba(c, BROWN_DARK)
    c.fill()
    c.rectangle(2, 50, w - 4, 1.5)
    rgba(c, GOLD, 0.9)
    c.fill()
    plaque(c, w / 2, 25, 200, 34, "合宠结果", 22)
    # Pet panel; the pet is drawn at (73, 148), 234x242.
    beige_panel(c, 34, 66, 312, 448, 14, rnd, fill=(BEIGE_LIGHT, lighten(BEIGE, 0.2)))
    plaque(c, 190, 96, 140, 26, "召唤兽", 17)
    c.set_source(radial(190, 270, 10, 150, [(0, (1, 1, 1), 0.8), (1, (1, 1, 1), 0.0)]))
    c.arc(190, 270, 150, 0, 2 * math.pi)
    c.fill()
    c.save()
    c.translate(190, 380)
    c.scale(1, 0.22)
    c.set_source(radial(0, 0, 20, 120, [(0, BEIGE_MID, 0.0), (0.75, BEIGE_DARK, 0.4), (0.9, BROWN_LIGHT, 0.5),
                                        (1, BROWN_LIGHT, 0.0)]))
    c.arc(0, 0, 120, 0, 2 * math.pi)
    c.fill()
    c.restore()
    for x, sx in ((43, 1), (337, -1)):
        corner_ornament(c, x, 505, sx, -1, 20)
        corner_ornament(c, x, 75, sx, 1, 20)
    # Aptitude panel: values are drawn at (493 + 215k, 90 + 39r).
    beige_panel(c, 366, 66, 444, 146, 14, rnd)
    plaque(c, 588, 66, 110, 24, "资质", 16)
    for j, name in enumerate(DETAIL_LABELS):
        vx = 493 + 215 * (j % 2)
        vy = 90 + 39 * (j // 2)
        label(c, name, vx - 10, vy + 8.5, 18)
        value_box(c, vx - 5, vy - 6, 80, 29)
    # Skill panel: frames 70x70 at (403 + 98c, 269 + 83r).
    beige_panel(c, 366, 232, 444, 286, 14, rnd)
    plaque(c, 588, 232, 110, 24, "技能", 16)
    for r in range(3):
        for col in range(4):
            brown_cell(c, 403 + 98 * col, 269 + 83 * r, 70, 70, 11)
    return s


def pictures():
    """File name (without .png) -> surface, for every stored picture."""
    return {
        "main_background": main_background(),
        "close_button": square_button("cross"),
        "minimize_button": square_button("bar"),
        "wash_button": button((147, 55), "洗炼", 27, spacing=8),
        "release_button": button((147, 55), "放生", 27, spacing=8),
        "plain_panel": plain_panel(),
        "wash_panel": wash_panel(),
        "skill_grid": skill_grid(),
        "tab_wash_bright": tab(198, 51, True, "洗炼"),
        "tab_wash_dull": tab(198, 51, False, "洗炼"),
        "tab_merge_bright": tab(198, 52, True, "合宠"),
        "tab_merge_dull": tab(198, 52, False, "合宠"),
        "tab_book_bright": tab(198, 52, True, "学技能"),
        "tab_book_dull": tab(198, 52, False, "学技能"),
        "cert_badge": cert_badge(),
        "merge_panel": merge_panel(),
        "merge_button": merge_button(),
        "book_panel": book_panel(),
        "learn_button": button((99, 53), "学习", 24, spacing=4),
        "certify_button": button((168, 51), "法术认证", 23, spacing=3),
        "cancel_certify_button": button((168, 51), "认证取消", 23, spacing=3,
                                        face=(lighten(ORANGE_LIGHT, 0.3), ORANGE, ORANGE_DARK)),
        "certify_picker_background": certify_picker_background(),
        "highlight_frame": highlight_frame(),
        "roster_grid": roster_grid(),
        "species_picker_background": species_picker_background(),
        "merge_picker_background": merge_picker_background(),
        "book_picker_background": book_picker_background(),
        "detail_background": detail_background(),
        "detail_close_button": square_button("cross"),
    }


def program_icon():
    """128x128 desktop icon: a creature head on a gold medallion."""
    import creatures
    s, c = surface(128, 128)
    c.arc(64, 66, 60, 0, 2 * math.pi)
    rgba(c, (0.3, 0.15, 0.02), 0.35)
    c.fill()
    c.arc(64, 64, 60, 0, 2 * math.pi)
    rgba(c, BROWN_DARK)
    c.fill()
    c.arc(64, 64, 57.5, 0, 2 * math.pi)
    c.set_source(linear(10, 10, 118, 118, [(0, lighten(GOLD_LIGHT, 0.4)), (0.5, GOLD), (1, GOLD_DARK)]))
    c.fill()
    c.arc(64, 64, 49, 0, 2 * math.pi)
    c.set_source(radial(64, 55, 5, 55, [(0, (1.0, 0.8, 0.45)), (1, ORANGE_DARK)]))
    c.fill()
    head = creatures.head_picture(1)
    c.save()
    c.arc(64, 64, 48, 0, 2 * math.pi)
    c.clip()
    c.translate(64 - 44 * 1.2, 64 - 44 * 1.2 + 2)
    c.scale(1.2, 1.2)
    c.set_source_surface(head, 0, 0)
    c.get_source().set_filter(cairo.FILTER_BEST)
    c.paint()
    c.restore()
    c.arc(64, 64, 49, 0, 2 * math.pi)
    rgba(c, BROWN_DARK)
    c.set_line_width(2)
    c.stroke()
    return s
