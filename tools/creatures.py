"""The 35 species: a large picture (234x242) and a head portrait (88x88) each, drawn from
per-species parameters (body type, colours, eyes, ears, horns, wings, tail, markings)."""

import colorsys
import math
import random

import cairo

from artlib import darken, lighten, linear, mix, radial, rgba, rounded_rect, surface

PET_SIZE = (234, 242)
HEAD_SIZE = (88, 88)

BODY_TYPES = ["biped", "quadruped", "blob", "bird", "serpent", "golem", "spirit"]


def species_params(n):
    """Fixed parameters of species n (1..35); every species differs in type, colour or parts."""
    rnd = random.Random(7919 * n + 17)
    body = BODY_TYPES[(n - 1) % 7]
    hue = ((n - 1) * 0.2857 + (n - 1) // 7 * 0.083) % 1.0
    sat = 0.48 + 0.3 * rnd.random()
    val = 0.80 + 0.16 * rnd.random()
    main = colorsys.hsv_to_rgb(hue, sat, val)
    accent_hue = (hue + rnd.choice([0.08, -0.08, 0.5, 0.15])) % 1.0
    accent = colorsys.hsv_to_rgb(accent_hue, min(1.0, sat + 0.2), min(1.0, val + 0.05))
    belly = mix(lighten(main, 0.6), (1.0, 0.95, 0.82), 0.4)
    tier = (n - 1) // 7  # 0..4: later species are rarer, with grander features
    p = dict(
        n=n, body=body, main=main, accent=accent, belly=belly, tier=tier,
        outline=darken(main, 0.55),
        ears=rnd.choice(["pointy", "round", "long", "fin", "none", "pointy", "round"]),
        horns=rnd.choice(["none", "none", "one", "two", "curled"] + (["two", "antlers", "curled"] if tier >= 2 else [])),
        wings=rnd.choice(["none", "none", "bat", "feather"] + (["feather", "bat"] if tier >= 3 else [])),
        tail=rnd.choice(["fluffy", "thin", "flame", "fin", "none"]),
        eyes=rnd.choice(["round", "happy", "sharp", "sleepy", "round", "sparkle"]),
        mouth=rnd.choice(["smile", "fang", "open", "cat"]),
        pattern=rnd.choice(["none", "spots", "stripes", "none", "mask"]),
        blush=rnd.random() < 0.6,
        gem=tier >= 3 or rnd.random() < 0.15,
        aura=tier >= 4,
        eye_col=colorsys.hsv_to_rgb((hue + 0.55) % 1.0, 0.7, 0.55),
        squash=0.92 + 0.16 * rnd.random(),
        seed=rnd.randrange(1 << 30),
    )
    if body == "bird":
        p["wings"] = "feather"
        p["mouth"] = "beak"
        p["ears"] = rnd.choice(["none", "crest"])
    if body == "spirit":
        p["tail"] = "wisp"
    if body == "serpent":
        p["ears"] = rnd.choice(["fin", "none", "pointy"])
        if p["horns"] == "none":
            p["horns"] = "two"
    return p


# ---------------------------------------------------------------- painting helpers

def shade_fill(c, col, cx, cy, r, outline, width=2.6, alpha=1.0):
    """Fills the current path with a lit gradient (light from the upper left) and outlines it."""
    path = c.copy_path()
    c.set_source(radial(cx, cy, r * 0.05, r * 1.25,
                        [(0, lighten(col, 0.45), alpha), (0.55, col, alpha), (1, darken(col, 0.28), alpha)],
                        fx=cx - r * 0.35, fy=cy - r * 0.4))
    c.fill_preserve()
    rgba(c, outline, alpha)
    c.set_line_width(width)
    c.set_line_join(cairo.LINE_JOIN_ROUND)
    c.stroke()
    c.new_path()
    return path


def ellipse(c, cx, cy, rx, ry, angle=0.0):
    c.save()
    c.translate(cx, cy)
    c.rotate(angle)
    c.scale(rx, ry)
    c.new_sub_path()
    c.arc(0, 0, 1, 0, 2 * math.pi)
    c.restore()


def blob(c, cx, cy, rx, ry, angle=0.0, col=(1, 1, 1), outline=(0, 0, 0), width=2.6, alpha=1.0):
    c.new_path()
    ellipse(c, cx, cy, rx, ry, angle)
    shade_fill(c, col, cx, cy, max(rx, ry), outline, width, alpha)


# ---------------------------------------------------------------- parts

def draw_eyes(c, p, cx, cy, spread, size):
    style = p["eyes"]
    for side in (-1, 1):
        ex = cx + side * spread
        if style == "happy":
            c.new_path()
            c.set_line_width(size * 0.32)
            c.set_line_cap(cairo.LINE_CAP_ROUND)
            rgba(c, (0.15, 0.08, 0.05))
            c.arc(ex, cy + size * 0.3, size * 0.7, math.pi * 1.15, math.pi * 1.85)
            c.stroke()
            continue
        ry = size * (0.62 if style == "sleepy" else 1.0)
        rx = size * 0.82
        c.new_path()
        ellipse(c, ex, cy, rx, ry)
        rgba(c, (1, 1, 1))
        c.fill_preserve()
        rgba(c, (0.15, 0.08, 0.05))
        c.set_line_width(1.6)
        c.stroke()
        # Iris and pupil.
        c.new_path()
        ellipse(c, ex + side * size * 0.08, cy + size * 0.08, rx * 0.72, ry * 0.8)
        c.set_source(radial(ex, cy, 0, rx, [(0, lighten(p["eye_col"], 0.3)), (1, darken(p["eye_col"], 0.3))]))
        c.fill()
        c.new_path()
        if style == "sharp":
            ellipse(c, ex + side * size * 0.08, cy + size * 0.08, rx * 0.2, ry * 0.62)
        else:
            ellipse(c, ex + side * size * 0.08, cy + size * 0.1, rx * 0.38, ry * 0.44)
        rgba(c, (0.05, 0.03, 0.03))
        c.fill()
        # Catch lights.
        rgba(c, (1, 1, 1), 0.95)
        c.new_path()
        c.arc(ex - size * 0.22, cy - size * 0.25, size * 0.22, 0, 2 * math.pi)
        c.fill()
        c.new_path()
        c.arc(ex + size * 0.22, cy + size * 0.25, size * 0.1, 0, 2 * math.pi)
        c.fill()
        if style == "sparkle":
            c.new_path()
            c.arc(ex + size * 0.15, cy - size * 0.35, size * 0.1, 0, 2 * math.pi)
            c.fill()
        if style in ("sleepy", "sharp"):
            # A lid line across the top of the eye.
            c.new_path()
            rgba(c, darken(p["main"], 0.5))
            c.set_line_width(size * 0.28)
            c.set_line_cap(cairo.LINE_CAP_ROUND)
            tilt = size * (0.35 if style == "sharp" else 0.0)
            c.move_to(ex - rx * 1.05, cy - ry * 0.75 - (tilt if side < 0 else -tilt) * 0.0 - (tilt if side > 0 else 0))
            c.line_to(ex + rx * 1.05, cy - ry * 0.75 - (tilt if side < 0 else 0))
            c.stroke()


def draw_mouth(c, p, cx, cy, size):
    style = p["mouth"]
    c.new_path()
    dark = (0.25, 0.08, 0.05)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    c.set_line_width(max(1.6, size * 0.12))
    if style == "beak":
        c.move_to(cx - size * 0.7, cy - size * 0.2)
        c.line_to(cx + size * 0.7, cy - size * 0.2)
        c.line_to(cx, cy + size * 0.75)
        c.close_path()
        c.set_source(linear(0, cy - size, 0, cy + size, [(0, (1.0, 0.85, 0.3)), (1, (0.9, 0.5, 0.1))]))
        c.fill_preserve()
        rgba(c, (0.5, 0.25, 0.05))
        c.set_line_width(1.6)
        c.stroke()
        return
    if style == "open":
        ellipse(c, cx, cy + size * 0.2, size * 0.45, size * 0.38)
        rgba(c, (0.45, 0.08, 0.08))
        c.fill_preserve()
        rgba(c, dark)
        c.set_line_width(1.4)
        c.stroke()
        c.new_path()
        ellipse(c, cx, cy + size * 0.38, size * 0.25, size * 0.14)
        rgba(c, (0.95, 0.45, 0.5))
        c.fill()
        return
    if style == "cat":
        c.move_to(cx - size * 0.6, cy)
        c.curve_to(cx - size * 0.5, cy + size * 0.4, cx - size * 0.05, cy + size * 0.35, cx, cy)
        c.curve_to(cx + size * 0.05, cy + size * 0.35, cx + size * 0.5, cy + size * 0.4, cx + size * 0.6, cy)
        rgba(c, dark)
        c.stroke()
        return
    c.move_to(cx - size * 0.55, cy)
    c.curve_to(cx - size * 0.3, cy + size * 0.45, cx + size * 0.3, cy + size * 0.45, cx + size * 0.55, cy)
    rgba(c, dark)
    c.stroke()
    if style == "fang":
        for side in (-1, 1):
            c.new_path()
            fx = cx + side * size * 0.3
            c.move_to(fx - size * 0.12, cy + size * 0.2)
            c.line_to(fx + size * 0.12, cy + size * 0.2)
            c.line_to(fx, cy + size * 0.55)
            c.close_path()
            rgba(c, (1, 1, 1))
            c.fill_preserve()
            rgba(c, dark)
            c.set_line_width(1)
            c.stroke()


def draw_face(c, p, cx, cy, r):
    """Eyes, mouth, blush and gem of a head of radius r centred at (cx, cy)."""
    if p["pattern"] == "mask":
        c.new_path()
        ellipse(c, cx, cy - r * 0.05, r * 0.85, r * 0.38)
        rgba(c, darken(p["main"], 0.3), 0.3)
        c.fill()
    draw_eyes(c, p, cx, cy - r * 0.05, r * 0.38, r * 0.24)
    if p["blush"]:
        for side in (-1, 1):
            c.new_path()
            ellipse(c, cx + side * r * 0.62, cy + r * 0.28, r * 0.16, r * 0.09)
            rgba(c, (1.0, 0.45, 0.5), 0.45)
            c.fill()
    draw_mouth(c, p, cx, cy + r * 0.36, r * 0.3)
    if p["gem"]:
        gx, gy, gr = cx, cy - r * 0.62, r * 0.13
        c.new_path()
        c.move_to(gx, gy - gr * 1.3)
        c.line_to(gx + gr, gy)
        c.line_to(gx, gy + gr * 1.3)
        c.line_to(gx - gr, gy)
        c.close_path()
        gc = colorsys.hsv_to_rgb((p["n"] * 0.37) % 1.0, 0.8, 1.0)
        c.set_source(linear(gx, gy - gr, gx, gy + gr, [(0, lighten(gc, 0.6)), (1, darken(gc, 0.2))]))
        c.fill_preserve()
        rgba(c, (0.45, 0.3, 0.05))
        c.set_line_width(1.2)
        c.stroke()


def draw_ears(c, p, cx, cy, r, behind):
    style = p["ears"]
    col, out = p["main"], p["outline"]
    if style == "none":
        return
    for side in (-1, 1):
        if style == "pointy" and behind:
            c.new_path()
            bx = cx + side * r * 0.55
            c.move_to(bx - r * 0.3, cy - r * 0.55)
            c.line_to(cx + side * r * 0.95, cy - r * 1.25)
            c.line_to(bx + side * r * 0.38, cy - r * 0.2)
            c.close_path()
            shade_fill(c, col, bx, cy - r * 0.8, r * 0.5, out)
            c.new_path()
            c.move_to(bx - r * 0.12 * side + side * r * 0.02, cy - r * 0.55)
            c.line_to(cx + side * r * 0.88, cy - r * 1.08)
            c.line_to(bx + side * r * 0.25, cy - r * 0.35)
            c.close_path()
            rgba(c, p["accent"], 0.75)
            c.fill()
        elif style == "round" and behind:
            blob(c, cx + side * r * 0.72, cy - r * 0.72, r * 0.34, r * 0.34, col=col, outline=out)
            c.new_path()
            ellipse(c, cx + side * r * 0.72, cy - r * 0.72, r * 0.18, r * 0.18)
            rgba(c, p["accent"], 0.7)
            c.fill()
        elif style == "long" and behind:
            blob(c, cx + side * r * 0.42, cy - r * 1.15, r * 0.2, r * 0.62, angle=side * 0.25, col=col, outline=out)
            c.new_path()
            ellipse(c, cx + side * r * 0.42, cy - r * 1.1, r * 0.09, r * 0.45, side * 0.25)
            rgba(c, p["accent"], 0.7)
            c.fill()
        elif style == "fin" and behind:
            c.new_path()
            bx = cx + side * r * 0.85
            c.move_to(bx, cy - r * 0.35)
            c.curve_to(bx + side * r * 0.6, cy - r * 0.7, bx + side * r * 0.7, cy - r * 0.1, bx + side * r * 0.45, cy + r * 0.2)
            c.line_to(bx, cy + r * 0.1)
            c.close_path()
            shade_fill(c, p["accent"], bx, cy - r * 0.2, r * 0.5, out)
        elif style == "crest" and behind and side == 1:
            for k in range(3):
                c.new_path()
                a = -math.pi / 2 + (k - 1) * 0.35
                bx, by = cx, cy - r * 0.85
                c.move_to(bx - r * 0.1, by + r * 0.1)
                c.curve_to(bx + math.cos(a) * r * 0.5, by + math.sin(a) * r * 0.6,
                           bx + math.cos(a) * r * 0.7 + r * 0.2, by + math.sin(a) * r * 0.7,
                           bx + r * 0.12, by + r * 0.05)
                c.close_path()
                shade_fill(c, p["accent"], bx, by - r * 0.4, r * 0.4, out, 1.8)


def draw_horns(c, p, cx, cy, r):
    style = p["horns"]
    if style == "none":
        return
    gold = p["tier"] >= 3
    col = (0.98, 0.82, 0.35) if gold else (0.95, 0.9, 0.78)
    out = (0.5, 0.33, 0.08) if gold else (0.4, 0.33, 0.25)
    if style == "one":
        c.new_path()
        c.move_to(cx - r * 0.16, cy - r * 0.78)
        c.curve_to(cx - r * 0.1, cy - r * 1.2, cx + r * 0.05, cy - r * 1.4, cx + r * 0.04, cy - r * 1.5)
        c.curve_to(cx + r * 0.12, cy - r * 1.2, cx + r * 0.18, cy - r * 1.0, cx + r * 0.16, cy - r * 0.78)
        c.close_path()
        shade_fill(c, col, cx, cy - r, r * 0.4, out, 2)
        return
    for side in (-1, 1):
        c.new_path()
        bx = cx + side * r * 0.42
        by = cy - r * 0.78
        if style == "two":
            c.move_to(bx - r * 0.13, by + r * 0.05)
            c.curve_to(bx + side * r * 0.05, by - r * 0.4, bx + side * r * 0.35, by - r * 0.55, bx + side * r * 0.42, by - r * 0.75)
            c.curve_to(bx + side * r * 0.3, by - r * 0.3, bx + side * r * 0.25, by - r * 0.1, bx + r * 0.15, by + r * 0.12)
            c.close_path()
        elif style == "curled":
            c.move_to(bx - r * 0.12, by + r * 0.1)
            c.curve_to(bx + side * r * 0.6, by - r * 0.6, bx + side * r * 1.0, by, bx + side * r * 0.7, by + r * 0.3)
            c.curve_to(bx + side * r * 0.78, by - r * 0.05, bx + side * r * 0.45, by - r * 0.25, bx + r * 0.16, by + r * 0.2)
            c.close_path()
        else:  # antlers
            c.set_line_cap(cairo.LINE_CAP_ROUND)
            for width, colr in ((r * 0.17, out), (r * 0.11, col)):
                c.new_path()
                c.set_line_width(width)
                c.move_to(bx, by + r * 0.05)
                c.curve_to(bx + side * r * 0.1, by - r * 0.4, bx + side * r * 0.45, by - r * 0.6, bx + side * r * 0.55, by - r * 0.95)
                c.move_to(bx + side * r * 0.14, by - r * 0.32)
                c.line_to(bx + side * r * 0.5, by - r * 0.4)
                c.move_to(bx + side * r * 0.38, by - r * 0.62)
                c.line_to(bx + side * r * 0.15, by - r * 0.95)
                rgba(c, colr)
                c.stroke()
            continue
        shade_fill(c, col, bx, by - r * 0.3, r * 0.4, out, 2)


def draw_wings(c, p, cx, cy, span, rise):
    style = p["wings"]
    if style == "none":
        return
    col = lighten(p["accent"], 0.25) if style == "feather" else darken(p["accent"], 0.1)
    for side in (-1, 1):
        c.new_path()
        bx = cx + side * span * 0.25
        if style == "bat":
            c.move_to(bx, cy)
            c.curve_to(bx + side * span * 0.4, cy - rise * 1.1, bx + side * span * 0.8, cy - rise * 1.2, bx + side * span, cy - rise * 0.9)
            for k in range(3):
                tx = bx + side * span * (1 - 0.3 * (k + 1))
                c.curve_to(tx + side * span * 0.1, cy - rise * 0.2, tx + side * span * 0.05, cy - rise * 0.1, tx, cy + rise * 0.1 * (k % 2))
            c.close_path()
            shade_fill(c, col, bx + side * span * 0.5, cy - rise * 0.5, span * 0.5, p["outline"], 2.2, 0.95)
        else:
            c.move_to(bx, cy + rise * 0.15)
            c.curve_to(bx + side * span * 0.3, cy - rise * 1.2, bx + side * span * 0.9, cy - rise * 1.3, bx + side * span * 1.05, cy - rise * 0.85)
            c.curve_to(bx + side * span * 0.85, cy - rise * 0.6, bx + side * span * 0.95, cy - rise * 0.45, bx + side * span * 0.75, cy - rise * 0.3)
            c.curve_to(bx + side * span * 0.7, cy - rise * 0.05, bx + side * span * 0.5, cy + rise * 0.1, bx + side * span * 0.35, cy + rise * 0.2)
            c.close_path()
            shade_fill(c, col, bx + side * span * 0.5, cy - rise * 0.5, span * 0.55, p["outline"], 2.2)
            # Feather lines.
            rgba(c, darken(col, 0.25), 0.6)
            c.set_line_width(1.2)
            for k in range(3):
                t = 0.45 + 0.17 * k
                c.new_path()
                c.move_to(bx + side * span * 0.25, cy)
                c.line_to(bx + side * span * t * 1.05, cy - rise * (0.95 - 0.25 * k))
                c.stroke()


def draw_tail(c, p, x, y, direction, size):
    style = p["tail"]
    if style == "none":
        return
    out = p["outline"]
    c.new_path()
    if style == "thin":
        c.set_line_cap(cairo.LINE_CAP_ROUND)
        for w, col in ((size * 0.2, out), (size * 0.12, p["main"])):
            c.new_path()
            c.set_line_width(w)
            c.move_to(x, y)
            c.curve_to(x + direction * size * 0.8, y + size * 0.2, x + direction * size * 0.9, y - size * 0.9, x + direction * size * 1.3, y - size * 1.0)
            rgba(c, col)
            c.stroke()
        blob(c, x + direction * size * 1.35, y - size * 1.05, size * 0.26, size * 0.2, col=p["accent"], outline=out, width=2)
    elif style == "fluffy":
        c.move_to(x, y)
        c.curve_to(x + direction * size * 0.9, y + size * 0.3, x + direction * size * 1.5, y - size * 0.5, x + direction * size * 1.1, y - size * 1.2)
        c.curve_to(x + direction * size * 0.9, y - size * 0.6, x + direction * size * 0.4, y - size * 0.35, x, y - size * 0.35)
        c.close_path()
        shade_fill(c, p["main"], x + direction * size * 0.8, y - size * 0.4, size * 0.7, out)
        c.new_path()
        ellipse(c, x + direction * size * 1.1, y - size * 1.0, size * 0.22, size * 0.3, direction * 0.5)
        rgba(c, p["belly"], 0.9)
        c.fill()
    elif style == "flame":
        for k, col in enumerate(((1.0, 0.45, 0.1), (1.0, 0.8, 0.2))):
            s = size * (1.0 - 0.35 * k)
            c.new_path()
            c.move_to(x, y)
            c.curve_to(x + direction * s * 0.8, y + s * 0.2, x + direction * s * 1.3, y - s * 0.3, x + direction * s * 1.0, y - s * 1.3)
            c.curve_to(x + direction * s * 0.9, y - s * 0.7, x + direction * s * 0.5, y - s * 0.6, x + direction * s * 0.45, y - s * 0.9)
            c.curve_to(x + direction * s * 0.2, y - s * 0.5, x, y - s * 0.4, x, y - s * 0.2)
            c.close_path()
            rgba(c, col, 0.95)
            c.fill_preserve()
            if k == 0:
                rgba(c, (0.7, 0.2, 0.0))
                c.set_line_width(1.6)
                c.stroke()
            c.new_path()
    elif style == "fin":
        c.move_to(x, y)
        c.curve_to(x + direction * size * 0.6, y - size * 0.1, x + direction * size * 0.9, y - size * 0.3, x + direction * size * 1.4, y - size * 0.9)
        c.curve_to(x + direction * size * 1.2, y - size * 0.3, x + direction * size * 1.3, y + size * 0.2, x + direction * size * 1.5, y + size * 0.5)
        c.curve_to(x + direction * size * 0.9, y + size * 0.35, x + direction * size * 0.5, y + size * 0.3, x, y + size * 0.2)
        c.close_path()
        shade_fill(c, p["accent"], x + direction * size, y, size * 0.6, out)
    elif style == "wisp":
        for k in range(3):
            c.new_path()
            c.move_to(x - size * 0.3 + k * size * 0.3, y)
            c.curve_to(x - size * 0.6 + k * size * 0.4, y + size * 0.6, x + size * 0.3 * (k - 1), y + size * 0.9,
                       x + size * 0.5 * (k - 1), y + size * 1.3)
            c.curve_to(x + size * 0.1 * (k - 1), y + size * 0.8, x + size * 0.2, y + size * 0.3, x + size * 0.3 + k * size * 0.1, y)
            c.close_path()
            rgba(c, lighten(p["main"], 0.2), 0.75)
            c.fill()


def draw_pattern(c, p, clip_path, cx, cy, rx, ry):
    style = p["pattern"]
    if style in ("none", "mask"):
        return
    rnd = random.Random(p["seed"])
    c.save()
    c.new_path()
    c.append_path(clip_path)
    c.clip()
    col = darken(p["main"], 0.25) if style == "stripes" else lighten(p["accent"], 0.2)
    if style == "spots":
        for _ in range(7):
            a = rnd.random() * 2 * math.pi
            d = 0.35 + rnd.random() * 0.55
            c.new_path()
            ellipse(c, cx + math.cos(a) * rx * d, cy + math.sin(a) * ry * d * 0.8, rx * 0.1 + rnd.random() * rx * 0.06, ry * 0.09)
            rgba(c, col, 0.7)
            c.fill()
    else:
        c.set_line_width(rx * 0.09)
        c.set_line_cap(cairo.LINE_CAP_ROUND)
        for k in range(-2, 3):
            c.new_path()
            x = cx + k * rx * 0.32
            c.move_to(x - rx * 0.05, cy - ry * 1.1)
            c.curve_to(x + rx * 0.12, cy - ry * 0.6, x - rx * 0.12, cy - ry * 0.4, x, cy - ry * 0.1)
            rgba(c, col, 0.55)
            c.stroke()
    c.restore()


def draw_head(c, p, cx, cy, r):
    draw_ears(c, p, cx, cy, r, behind=True)
    c.new_path()
    ellipse(c, cx, cy, r, r * 0.92 * p["squash"])
    path = shade_fill(c, p["main"], cx, cy, r, p["outline"], 2.8)
    draw_pattern(c, p, path, cx, cy - r * 0.3, r, r * 0.6)
    # Muzzle.
    c.new_path()
    ellipse(c, cx, cy + r * 0.35, r * 0.45, r * 0.3)
    rgba(c, p["belly"], 0.85)
    c.fill()
    draw_horns(c, p, cx, cy, r)
    draw_face(c, p, cx, cy, r)


def draw_feet(c, p, xs, y, rx, ry):
    for x in xs:
        blob(c, x, y, rx, ry, col=darken(p["main"], 0.1), outline=p["outline"], width=2.2)


def aura(c, p, cx, cy, r):
    c.save()
    glow = lighten(p["accent"], 0.3)
    c.set_source(radial(cx, cy, r * 0.3, r, [(0, glow, 0.35), (0.7, glow, 0.12), (1, glow, 0.0)]))
    c.arc(cx, cy, r, 0, 2 * math.pi)
    c.fill()
    rnd = random.Random(p["seed"] + 1)
    for _ in range(14):
        a = rnd.random() * 2 * math.pi
        d = r * (0.55 + 0.4 * rnd.random())
        x, y = cx + math.cos(a) * d, cy + math.sin(a) * d
        s = 2 + rnd.random() * 3
        c.new_path()
        c.move_to(x, y - s * 1.6)
        c.line_to(x + s * 0.4, y - s * 0.4)
        c.line_to(x + s * 1.6, y)
        c.line_to(x + s * 0.4, y + s * 0.4)
        c.line_to(x, y + s * 1.6)
        c.line_to(x - s * 0.4, y + s * 0.4)
        c.line_to(x - s * 1.6, y)
        c.line_to(x - s * 0.4, y - s * 0.4)
        c.close_path()
        rgba(c, (1.0, 0.97, 0.75), 0.85)
        c.fill()
    c.restore()


def ground_shadow(c, cx, cy, rx):
    c.save()
    c.translate(cx, cy)
    c.scale(1, 0.2)
    c.set_source(radial(0, 0, 0, rx, [(0, (0.2, 0.1, 0.02), 0.45), (1, (0.2, 0.1, 0.02), 0.0)]))
    c.arc(0, 0, rx, 0, 2 * math.pi)
    c.fill()
    c.restore()


# ---------------------------------------------------------------- body types; each returns the head circle

def body_biped(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 117, 226, 70)
    draw_wings(c, p, 117, 140, 105, 70)
    draw_tail(c, p, 150, 190, 1, 48)
    draw_feet(c, p, (92, 142), 215, 22, 13)
    blob(c, 117, 172, 54, 50, col=m, outline=o)
    c.new_path()
    ellipse(c, 117, 180, 33, 34)
    rgba(c, p["belly"], 0.9)
    c.fill()
    for side in (-1, 1):
        blob(c, 117 + side * 52, 168, 13, 22, angle=-side * 0.5, col=m, outline=o, width=2.2)
    head = (117, 92, 56)
    draw_head(c, p, *head)
    return head


def body_quadruped(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 122, 228, 92)
    draw_tail(c, p, 182, 152, 1, 32)
    for x in (152, 184):
        blob(c, x, 205, 13, 24, col=darken(m, 0.12), outline=o, width=2.2)
    draw_wings(c, p, 140, 130, 80, 60)
    c.new_path()
    ellipse(c, 138, 165, 70, 44)
    path = shade_fill(c, m, 138, 165, 70, o)
    draw_pattern(c, p, path, 150, 160, 60, 40)
    c.new_path()
    ellipse(c, 130, 188, 45, 16)
    rgba(c, p["belly"], 0.8)
    c.fill()
    for x in (88, 118):
        blob(c, x, 208, 14, 24, col=m, outline=o, width=2.2)
    draw_feet(c, p, (86, 120, 154, 186), 228, 15, 7)
    head = (78, 112, 50)
    draw_head(c, p, *head)
    return head


def body_blob(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 117, 226, 82)
    draw_wings(c, p, 117, 150, 100, 55)
    draw_tail(c, p, 170, 200, 1, 36)
    draw_feet(c, p, (82, 152), 216, 20, 11)
    cx, cy, r = 117, 150, 80
    draw_ears(c, p, cx, cy - 10, r * 0.85, behind=True)
    c.new_path()
    c.move_to(cx - r, cy + r * 0.7)
    c.curve_to(cx - r * 1.08, cy - r * 0.4, cx - r * 0.55, cy - r * 0.95, cx, cy - r * 0.95)
    c.curve_to(cx + r * 0.55, cy - r * 0.95, cx + r * 1.08, cy - r * 0.4, cx + r, cy + r * 0.7)
    c.curve_to(cx + r * 0.6, cy + r * 0.9, cx - r * 0.6, cy + r * 0.9, cx - r, cy + r * 0.7)
    c.close_path()
    path = shade_fill(c, m, cx, cy, r, o, 3)
    draw_pattern(c, p, path, cx, cy - r * 0.4, r, r * 0.5)
    c.new_path()
    ellipse(c, cx, cy + r * 0.42, r * 0.55, r * 0.35)
    rgba(c, p["belly"], 0.85)
    c.fill()
    draw_horns(c, p, cx, cy - 8, r * 0.85)
    draw_face(c, p, cx, cy - 8, r * 0.8)
    return (cx, cy - 20, 72)


def body_bird(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 117, 228, 62)
    # Tail feathers.
    for k in range(3):
        blob(c, 150 + k * 8, 185 - k * 12, 34, 11, angle=-0.5 - k * 0.3, col=p["accent"], outline=o, width=2)
    for x in (100, 132):
        c.new_path()
        c.set_line_width(5)
        rgba(c, (0.85, 0.5, 0.12))
        c.move_to(x, 195)
        c.line_to(x, 222)
        c.stroke()
        c.set_line_width(4)
        c.move_to(x - 9, 226)
        c.line_to(x, 219)
        c.line_to(x + 9, 226)
        c.stroke()
    draw_wings(c, p, 117, 140, 95, 60)
    c.new_path()
    ellipse(c, 117, 150, 55, 62)
    path = shade_fill(c, m, 117, 150, 60, o)
    draw_pattern(c, p, path, 117, 160, 50, 40)
    c.new_path()
    ellipse(c, 117, 168, 34, 40)
    rgba(c, p["belly"], 0.9)
    c.fill()
    head = (117, 96, 44)
    draw_ears(c, p, head[0], head[1], head[2], True)
    draw_horns(c, p, *head)
    draw_face(c, p, head[0], head[1] + 4, head[2])
    return (117, 100, 56)


def body_serpent(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 117, 228, 88)
    draw_wings(c, p, 117, 120, 100, 55)
    # A coiled body: thick stroked curve with an outline.
    def coil():
        c.new_path()
        c.move_to(190, 150)
        c.curve_to(215, 200, 160, 225, 115, 215)
        c.curve_to(55, 205, 30, 165, 70, 150)
        c.curve_to(110, 135, 150, 175, 125, 128)
        c.curve_to(115, 110, 112, 100, 112, 95)
    for w, col in ((40, o), (35, m)):
        coil()
        c.set_line_width(w)
        c.set_line_cap(cairo.LINE_CAP_ROUND)
        c.set_line_join(cairo.LINE_JOIN_ROUND)
        rgba(c, col)
        c.stroke()
    coil()
    c.set_line_width(12)
    rgba(c, p["belly"], 0.8)
    c.stroke()
    # Back spikes along the coil.
    c.new_path()
    for (x, y) in ((60, 196), (96, 224), (140, 224), (182, 200)):
        c.move_to(x - 7, y)
        c.line_to(x, y + 12)
        c.line_to(x + 7, y)
    rgba(c, p["accent"])
    c.fill()
    draw_tail(c, p, 190, 150, 1, 26)
    head = (112, 78, 46)
    draw_head(c, p, *head)
    return head


def body_golem(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 117, 228, 88)
    draw_wings(c, p, 117, 130, 110, 60)
    draw_tail(c, p, 160, 195, 1, 36)
    draw_feet(c, p, (82, 152), 216, 26, 15)
    c.new_path()
    c.move_to(60, 120)
    c.curve_to(90, 100, 144, 100, 174, 120)
    c.curve_to(190, 160, 180, 200, 162, 212)
    c.curve_to(130, 222, 104, 222, 72, 212)
    c.curve_to(54, 200, 44, 160, 60, 120)
    c.close_path()
    path = shade_fill(c, m, 117, 160, 70, o, 3)
    draw_pattern(c, p, path, 117, 170, 60, 40)
    # Chest plate.
    c.new_path()
    rounded_rect(c, 92, 140, 50, 48, 14)
    c.set_source(linear(0, 140, 0, 188, [(0, lighten(p["accent"], 0.35)), (1, darken(p["accent"], 0.15))]))
    c.fill_preserve()
    rgba(c, o)
    c.set_line_width(2)
    c.stroke()
    for side in (-1, 1):
        blob(c, 117 + side * 72, 162, 22, 36, angle=side * 0.25, col=darken(m, 0.08), outline=o)
        blob(c, 117 + side * 78, 196, 18, 14, col=lighten(m, 0.1), outline=o, width=2)
    head = (117, 84, 46)
    draw_head(c, p, *head)
    return head


def body_spirit(c, p):
    m, o = p["main"], p["outline"]
    ground_shadow(c, 117, 228, 50)
    # Floating glow.
    c.set_source(radial(117, 140, 10, 110, [(0, lighten(m, 0.5), 0.35), (1, lighten(m, 0.5), 0.0)]))
    c.arc(117, 140, 110, 0, 2 * math.pi)
    c.fill()
    draw_wings(c, p, 117, 120, 100, 55)
    draw_tail(c, p, 117, 175, 1, 40)
    c.new_path()
    c.move_to(117, 60)
    c.curve_to(185, 60, 190, 150, 160, 180)
    c.curve_to(145, 195, 132, 215, 117, 220)
    c.curve_to(102, 215, 89, 195, 74, 180)
    c.curve_to(44, 150, 49, 60, 117, 60)
    c.close_path()
    path = shade_fill(c, m, 117, 125, 70, o, 2.6, 0.93)
    draw_pattern(c, p, path, 117, 110, 60, 40)
    # Little side fins.
    for side in (-1, 1):
        blob(c, 117 + side * 66, 150, 10, 24, angle=side * 0.6, col=p["accent"], outline=o, width=2)
    draw_ears(c, p, 117, 115, 60, behind=True)
    draw_horns(c, p, 117, 112, 58)
    draw_face(c, p, 117, 115, 56)
    return (117, 115, 66)


BODIES = dict(biped=body_biped, quadruped=body_quadruped, blob=body_blob, bird=body_bird,
              serpent=body_serpent, golem=body_golem, spirit=body_spirit)


def paint_creature(c, p):
    if p["aura"]:
        aura(c, p, 117, 135, 115)
    return BODIES[p["body"]](c, p)


def _ink_box(s, threshold=6):
    """Bounding box (x0, y0, x1, y1) of the pixels whose alpha exceeds threshold."""
    s.flush()
    data, stride, w, h = bytes(s.get_data()), s.get_stride(), s.get_width(), s.get_height()
    clear = bytes(0 if v <= threshold else 1 for v in range(256))
    x0, y0, x1, y1 = w, h, -1, -1
    for y in range(h):
        alpha = data[y * stride + 3:y * stride + 4 * w:4].translate(clear)
        if not any(alpha):
            continue
        y0 = min(y0, y)
        y1 = y
        x0 = min(x0, len(alpha) - len(alpha.lstrip(b"\0")))
        x1 = max(x1, len(alpha.rstrip(b"\0")) - 1)
    return x0, y0, x1 + 1, y1 + 1


def _fit(p):
    """Scale and offset that keep wings, tails and shadow inside the picture, feet on one line."""
    pad = 100
    big, bc = surface(PET_SIZE[0] + 2 * pad, PET_SIZE[1] + 2 * pad)
    bc.translate(pad, pad)
    paint_creature(bc, p)
    x0, y0, x1, y1 = _ink_box(big)
    x0, y0, x1, y1 = x0 - pad, y0 - pad, x1 - pad, y1 - pad
    margin = 3
    scale = min(1.0, (PET_SIZE[0] - 2 * margin) / (x1 - x0), (PET_SIZE[1] - 2 * margin) / (y1 - y0))
    tx = PET_SIZE[0] / 2 - scale * (x0 + x1) / 2
    ty = PET_SIZE[1] - margin - scale * y1
    return scale, tx, ty


def pet_picture(n):
    p = species_params(n)
    scale, tx, ty = _fit(p)
    s, c = surface(*PET_SIZE)
    c.translate(tx, ty)
    c.scale(scale, scale)
    paint_creature(c, p)
    return s


def head_picture(n):
    """A portrait: the creature's head (and a little of its body) on a round-cornered tinted plate."""
    p = species_params(n)
    probe, pc = surface(8, 8)
    hx, hy, hr = paint_creature(pc, p)  # only to learn where the head is
    s, c = surface(*HEAD_SIZE)
    w, h = HEAD_SIZE
    plate = lambda: rounded_rect(c, 4, 4, w - 8, h - 8, 14)
    # Plate: a light tint of the species colour, darker at the rim.
    plate()
    c.set_source(radial(w / 2, h * 0.42, 4, w * 0.62, [(0, lighten(p["main"], 0.82)), (0.7, lighten(p["main"], 0.55)),
                                                        (1, mix(p["main"], (0.5, 0.35, 0.2), 0.4))]))
    c.fill()
    c.save()
    plate()
    c.clip()
    scale = (w * 0.31) / hr
    c.translate(w / 2, h * 0.57)
    c.scale(scale, scale)
    c.translate(-hx, -hy)
    paint_creature(c, p)
    c.restore()
    # Glassy rim.
    plate()
    c.set_line_width(2)
    c.set_source(linear(0, 4, 0, h - 4, [(0, (1, 1, 1), 0.85), (1, darken(p["main"], 0.4), 0.8)]))
    c.stroke()
    return s
