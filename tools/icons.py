"""Skill icons 1..79 (72x72, each showing its number) and the eleven digit glyphs (14x17)."""

import colorsys
import math

import cairo

from artlib import (CREAM, darken, lighten, linear, mix, radial, rgba, rounded_rect, surface,
                    text, _ink, _set_font, text_path)

ICON_SIZE = 72
GLYPH_SIZE = (14, 17)

ATTACK_SPELLS = set(range(71, 79))          # certifiable
SPECIAL_SKILLS = {66, 67, 68, 69, 70, 79}

# Element of each attack spell: thunder, rock, water, fire, thunder, mountain, water, fire.
ATTACK_ELEMENT = {71: "bolt", 72: "rock", 73: "wave", 74: "flame", 75: "bolt", 76: "mountain",
                  77: "wave", 78: "flame"}
ELEMENT_COLOUR = {"bolt": (0.95, 0.78, 0.15), "rock": (0.62, 0.45, 0.28), "wave": (0.20, 0.50, 0.90),
                  "flame": (0.95, 0.35, 0.10), "mountain": (0.45, 0.55, 0.30)}

NORMAL_EMBLEMS = ["sword", "shield", "drop", "leaf", "star", "eye", "wing", "claw", "moon", "heart",
                  "flame", "bolt", "wave", "rock"]


def emblem(c, kind, cx, cy, r):
    """A simple silhouette; the caller sets the source."""
    c.new_path()
    if kind == "sword":
        c.move_to(cx, cy - r)
        c.line_to(cx + r * 0.16, cy + r * 0.35)
        c.line_to(cx + r * 0.5, cy + r * 0.38)
        c.line_to(cx + r * 0.5, cy + r * 0.5)
        c.line_to(cx + r * 0.12, cy + r * 0.5)
        c.line_to(cx + r * 0.12, cy + r)
        c.line_to(cx - r * 0.12, cy + r)
        c.line_to(cx - r * 0.12, cy + r * 0.5)
        c.line_to(cx - r * 0.5, cy + r * 0.5)
        c.line_to(cx - r * 0.5, cy + r * 0.38)
        c.line_to(cx - r * 0.16, cy + r * 0.35)
        c.close_path()
    elif kind == "shield":
        c.move_to(cx, cy - r)
        c.curve_to(cx + r * 0.5, cy - r * 0.75, cx + r * 0.8, cy - r * 0.8, cx + r * 0.85, cy - r * 0.75)
        c.curve_to(cx + r * 0.9, cy, cx + r * 0.5, cy + r * 0.7, cx, cy + r)
        c.curve_to(cx - r * 0.5, cy + r * 0.7, cx - r * 0.9, cy, cx - r * 0.85, cy - r * 0.75)
        c.curve_to(cx - r * 0.8, cy - r * 0.8, cx - r * 0.5, cy - r * 0.75, cx, cy - r)
        c.close_path()
    elif kind in ("drop", "wave"):
        if kind == "drop":
            c.move_to(cx, cy - r)
            c.curve_to(cx + r * 0.3, cy - r * 0.4, cx + r * 0.75, cy, cx + r * 0.72, cy + r * 0.35)
            c.arc(cx, cy + r * 0.35, r * 0.72, 0, math.pi)
            c.curve_to(cx - r * 0.75, cy, cx - r * 0.3, cy - r * 0.4, cx, cy - r)
            c.close_path()
        else:
            for k in range(3):
                y = cy - r * 0.6 + k * r * 0.6
                c.move_to(cx - r, y)
                c.curve_to(cx - r * 0.5, y - r * 0.45, cx, y + r * 0.45, cx + r * 0.5, y)
                c.curve_to(cx + r * 0.7, y - r * 0.15, cx + r * 0.85, y - r * 0.2, cx + r, y - r * 0.1)
                c.line_to(cx + r, y + r * 0.22)
                c.curve_to(cx + r * 0.7, y + r * 0.15, cx + r * 0.5, y + r * 0.3, cx + r * 0.4, y + r * 0.33)
                c.curve_to(cx - r * 0.1, y + r * 0.7, cx - r * 0.5, y - r * 0.15, cx - r, y + r * 0.32)
                c.close_path()
    elif kind == "leaf":
        c.move_to(cx - r * 0.8, cy + r * 0.8)
        c.curve_to(cx - r * 0.9, cy - r * 0.3, cx - r * 0.1, cy - r * 0.9, cx + r * 0.9, cy - r * 0.9)
        c.curve_to(cx + r * 0.9, cy + r * 0.1, cx + r * 0.2, cy + r * 0.9, cx - r * 0.8, cy + r * 0.8)
        c.close_path()
    elif kind == "star":
        for k in range(10):
            a = -math.pi / 2 + k * math.pi / 5
            rr = r if k % 2 == 0 else r * 0.42
            (c.move_to if k == 0 else c.line_to)(cx + math.cos(a) * rr, cy + math.sin(a) * rr)
        c.close_path()
    elif kind == "eye":
        c.move_to(cx - r, cy)
        c.curve_to(cx - r * 0.5, cy - r * 0.75, cx + r * 0.5, cy - r * 0.75, cx + r, cy)
        c.curve_to(cx + r * 0.5, cy + r * 0.75, cx - r * 0.5, cy + r * 0.75, cx - r, cy)
        c.close_path()
        c.new_sub_path()
        c.arc_negative(cx, cy, r * 0.3, 2 * math.pi, 0)
        c.close_path()
    elif kind == "wing":
        c.move_to(cx - r * 0.8, cy + r * 0.7)
        c.curve_to(cx - r * 0.7, cy - r * 0.3, cx, cy - r, cx + r, cy - r * 0.9)
        c.curve_to(cx + r * 0.7, cy - r * 0.4, cx + r * 0.8, cy - r * 0.2, cx + r * 0.5, cy)
        c.curve_to(cx + r * 0.6, cy + r * 0.1, cx + r * 0.4, cy + r * 0.3, cx + r * 0.2, cy + r * 0.35)
        c.curve_to(cx + r * 0.1, cy + r * 0.6, cx - r * 0.3, cy + r * 0.7, cx - r * 0.8, cy + r * 0.7)
        c.close_path()
    elif kind == "claw":
        for k in range(3):
            x = cx - r * 0.55 + k * r * 0.55
            c.move_to(x - r * 0.18, cy + r * 0.9)
            c.curve_to(x - r * 0.2, cy, x, cy - r * 0.6, x + r * 0.3, cy - r)
            c.curve_to(x + r * 0.12, cy - r * 0.4, x + r * 0.15, cy + r * 0.2, x + r * 0.18, cy + r * 0.9)
            c.close_path()
    elif kind == "moon":
        c.arc(cx, cy, r, 0, 2 * math.pi)
        c.new_sub_path()
        c.arc_negative(cx + r * 0.45, cy - r * 0.25, r * 0.8, 2 * math.pi, 0)
    elif kind == "heart":
        c.move_to(cx, cy + r * 0.9)
        c.curve_to(cx - r * 1.2, cy, cx - r * 0.8, cy - r * 1.1, cx, cy - r * 0.45)
        c.curve_to(cx + r * 0.8, cy - r * 1.1, cx + r * 1.2, cy, cx, cy + r * 0.9)
        c.close_path()
    elif kind == "flame":
        c.move_to(cx, cy + r)
        c.curve_to(cx - r * 0.9, cy + r, cx - r * 0.9, cy, cx - r * 0.35, cy - r * 0.45)
        c.curve_to(cx - r * 0.3, cy - r * 0.1, cx - r * 0.15, cy, cx - r * 0.05, cy + r * 0.05)
        c.curve_to(cx - r * 0.2, cy - r * 0.5, cx + r * 0.1, cy - r * 0.8, cx + r * 0.1, cy - r)
        c.curve_to(cx + r * 0.5, cy - r * 0.6, cx + r * 0.9, cy - r * 0.1, cx + r * 0.7, cy + r * 0.5)
        c.curve_to(cx + r * 0.6, cy + r * 0.9, cx + r * 0.3, cy + r, cx, cy + r)
        c.close_path()
    elif kind == "bolt":
        c.move_to(cx + r * 0.2, cy - r)
        c.line_to(cx - r * 0.6, cy + r * 0.15)
        c.line_to(cx - r * 0.05, cy + r * 0.15)
        c.line_to(cx - r * 0.25, cy + r)
        c.line_to(cx + r * 0.6, cy - r * 0.2)
        c.line_to(cx + r * 0.05, cy - r * 0.2)
        c.close_path()
    elif kind == "rock":
        c.move_to(cx - r * 0.9, cy + r * 0.6)
        c.line_to(cx - r * 0.7, cy - r * 0.3)
        c.line_to(cx - r * 0.1, cy - r * 0.8)
        c.line_to(cx + r * 0.6, cy - r * 0.55)
        c.line_to(cx + r * 0.95, cy + r * 0.2)
        c.line_to(cx + r * 0.5, cy + r * 0.8)
        c.line_to(cx - r * 0.4, cy + r * 0.85)
        c.close_path()
    elif kind == "mountain":
        c.move_to(cx - r, cy + r * 0.8)
        c.line_to(cx - r * 0.35, cy - r * 0.5)
        c.line_to(cx - r * 0.1, cy - r * 0.1)
        c.line_to(cx + r * 0.3, cy - r * 0.9)
        c.line_to(cx + r, cy + r * 0.8)
        c.close_path()
    elif kind == "crown":
        c.move_to(cx - r, cy + r * 0.6)
        c.line_to(cx - r, cy - r * 0.5)
        c.line_to(cx - r * 0.5, cy)
        c.line_to(cx, cy - r * 0.9)
        c.line_to(cx + r * 0.5, cy)
        c.line_to(cx + r, cy - r * 0.5)
        c.line_to(cx + r, cy + r * 0.6)
        c.close_path()


def skill_icon(n):
    s, c = surface(ICON_SIZE, ICON_SIZE)
    size = ICON_SIZE
    if n in ATTACK_SPELLS:
        element = ATTACK_ELEMENT[n]
        kind = element
        base = ELEMENT_COLOUR[element]
        bg_top, bg_bottom = lighten(base, 0.25), darken(mix(base, (0.6, 0.05, 0.02), 0.5), 0.2)
        rim_outer, rim_mid, rim_inner = (0.45, 0.05, 0.02), (1.0, 0.82, 0.30), (0.80, 0.12, 0.06)
        number_outline = (0.45, 0.05, 0.0)
    elif n in SPECIAL_SKILLS:
        kind = ["star", "crown", "moon", "eye", "heart", "star"][sorted(SPECIAL_SKILLS).index(n)]
        bg_top, bg_bottom = (0.62, 0.36, 0.85), (0.22, 0.06, 0.38)
        rim_outer, rim_mid, rim_inner = (0.18, 0.03, 0.30), (0.85, 0.70, 1.0), (0.50, 0.20, 0.70)
        number_outline = (0.22, 0.02, 0.35)
    else:
        kind = NORMAL_EMBLEMS[(n * 5) % len(NORMAL_EMBLEMS)]
        hue = (n * 0.1377 + 0.05) % 1.0
        base = colorsys.hsv_to_rgb(hue, 0.55, 0.78)
        bg_top, bg_bottom = lighten(base, 0.3), darken(base, 0.35)
        rim_outer, rim_mid, rim_inner = (0.28, 0.16, 0.06), (0.82, 0.62, 0.36), (0.48, 0.30, 0.13)
        number_outline = darken(base, 0.7)

    # Frame: dark outer line, metal band, inner line.
    rounded_rect(c, 0.5, 0.5, size - 1, size - 1, 12)
    rgba(c, rim_outer)
    c.fill()
    rounded_rect(c, 2, 2, size - 4, size - 4, 10.5)
    c.set_source(linear(0, 0, size, size, [(0, lighten(rim_mid, 0.5)), (0.45, rim_mid), (0.55, darken(rim_mid, 0.2)),
                                          (1, lighten(rim_mid, 0.15))]))
    c.fill()
    rounded_rect(c, 5.5, 5.5, size - 11, size - 11, 8)
    rgba(c, rim_inner)
    c.fill()
    # Picture field.
    rounded_rect(c, 7, 7, size - 14, size - 14, 7)
    c.set_source(radial(size * 0.4, size * 0.35, 2, size * 0.7, [(0, lighten(bg_top, 0.2)), (0.5, bg_top), (1, bg_bottom)]))
    c.fill()
    c.save()
    rounded_rect(c, 7, 7, size - 14, size - 14, 7)
    c.clip()
    emblem(c, kind, size / 2, size / 2, size * 0.36)
    c.set_source(linear(0, size * 0.15, 0, size * 0.85, [(0, (1, 1, 1), 0.6), (1, (1, 1, 1), 0.25)]))
    c.fill()
    # Gloss.
    c.new_path()
    c.arc(size * 0.3, -size * 0.15, size * 0.62, 0, 2 * math.pi)
    rgba(c, (1, 1, 1), 0.16)
    c.fill()
    c.restore()
    # Corner studs mark the two kinds of rare skill.
    if n in ATTACK_SPELLS or n in SPECIAL_SKILLS:
        for (x, y) in ((5, 5), (size - 5, 5), (5, size - 5), (size - 5, size - 5)):
            c.new_path()
            c.arc(x, y, 3.2, 0, 2 * math.pi)
            c.set_source(radial(x - 1, y - 1, 0, 3.5, [(0, (1, 1, 1)), (1, rim_mid)]))
            c.fill_preserve()
            rgba(c, rim_outer)
            c.set_line_width(0.8)
            c.stroke()
    label = str(n)
    text(c, label, size / 2, size / 2 + 1, 34 if n < 10 else 31, CREAM, outline=number_outline, outline_width=4.5,
         shadow=((0, 0, 0), 0.45, 1, 2), spacing=-1 if n >= 10 else 0)
    return s


def digit_glyph(i):
    """Glyph i of the digit set: i = 1..10 draws digit i - 1, i = 11 the decimal point."""
    w, h = GLYPH_SIZE
    s, c = surface(w, h)
    fill = linear(0, 1, 0, h - 1, [(0, (1.0, 1.0, 0.90)), (0.5, (1.0, 0.92, 0.55)), (1, (0.98, 0.72, 0.25))])
    outline = (0.30, 0.13, 0.02)
    if i == 11:
        c.arc(w / 2, h - 4.2, 2.6, 0, 2 * math.pi)
        rgba(c, outline)
        c.set_line_width(2.2)
        c.stroke_preserve()
        c.set_source(fill)
        c.fill()
        return s
    ch = str(i - 1)
    _set_font(c, 18, True)
    ix, iy, iw, ih = _ink(c, ch, 0)
    # Fit the ink box into the glyph with room for the outline.
    sy = (h - 3.0) / ih
    sc = min((w - 3.4) / iw, sy)
    c.save()
    c.translate(w / 2, h / 2)
    c.scale(sc, sy)
    c.new_path()
    text_path(c, ch, -(ix + iw / 2), -(iy + ih / 2))
    c.restore()
    path = c.copy_path()
    rgba(c, outline)
    c.set_line_width(2.2)
    c.set_line_join(cairo.LINE_JOIN_ROUND)
    c.stroke()
    c.append_path(path)
    c.set_source(fill)
    c.fill()
    return s
