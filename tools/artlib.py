"""Drawing helpers shared by every picture: palette, shapes, bevels, shadows and CJK text."""

import math

import cairo

FONT_FAMILY = "WenQuanYi Micro Hei"

# Warm palette: orange title, gold buttons, beige panels, brown cells and text.
ORANGE_LIGHT = (1.00, 0.70, 0.30)
ORANGE = (0.93, 0.52, 0.16)
ORANGE_DARK = (0.70, 0.30, 0.06)
GOLD_LIGHT = (1.00, 0.93, 0.62)
GOLD = (0.97, 0.77, 0.30)
GOLD_DARK = (0.72, 0.47, 0.10)
BEIGE_LIGHT = (1.00, 0.97, 0.89)
BEIGE = (0.96, 0.89, 0.74)
BEIGE_MID = (0.91, 0.81, 0.62)
BEIGE_DARK = (0.80, 0.67, 0.47)
BROWN_LIGHT = (0.62, 0.42, 0.22)
BROWN = (0.47, 0.29, 0.13)
BROWN_DARK = (0.30, 0.17, 0.07)
TEXT_BROWN = (0.42, 0.21, 0.05)
CREAM = (1.00, 0.98, 0.92)
RED = (0.80, 0.13, 0.08)
GREEN = (0.22, 0.62, 0.20)
GREEN_DARK = (0.10, 0.40, 0.10)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighten(c, t):
    return mix(c, (1.0, 1.0, 1.0), t)


def darken(c, t):
    return mix(c, (0.0, 0.0, 0.0), t)


def surface(w, h):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    c = cairo.Context(s)
    c.set_antialias(cairo.ANTIALIAS_BEST)
    return s, c


def rgba(c, col, a=1.0):
    c.set_source_rgba(col[0], col[1], col[2], a)


def rounded_rect(c, x, y, w, h, r):
    r = max(0.0, min(r, w / 2.0, h / 2.0))
    c.new_sub_path()
    c.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    c.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    c.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    c.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    c.close_path()


def linear(x0, y0, x1, y1, stops):
    g = cairo.LinearGradient(x0, y0, x1, y1)
    for off, col, *alpha in stops:
        g.add_color_stop_rgba(off, col[0], col[1], col[2], alpha[0] if alpha else 1.0)
    return g


def radial(cx, cy, r0, r1, stops, fx=None, fy=None):
    g = cairo.RadialGradient(cx if fx is None else fx, cy if fy is None else fy, r0, cx, cy, r1)
    for off, col, *alpha in stops:
        g.add_color_stop_rgba(off, col[0], col[1], col[2], alpha[0] if alpha else 1.0)
    return g


def soft_shadow(c, x, y, w, h, r, spread=6, alpha=0.35, dx=0, dy=2, col=(0.25, 0.12, 0.02)):
    """A blurred-looking shadow: widening strokes of falling opacity around a rounded box."""
    c.save()
    for i in range(spread, 0, -1):
        t = i / spread
        rgba(c, col, alpha * (1 - t) ** 2 / spread * 3)
        rounded_rect(c, x + dx - i / 2, y + dy - i / 2, w + i, h + i, r + i / 2)
        c.fill()
    c.restore()


def inner_shadow(c, x, y, w, h, r, depth=5, alpha=0.45, col=(0.2, 0.1, 0.02)):
    """Darkens the inside edge of a rounded box, strongest at the top, so it reads as sunken."""
    c.save()
    rounded_rect(c, x, y, w, h, r)
    c.clip()
    for i in range(depth):
        t = 1 - i / depth
        rgba(c, col, alpha * t * t / depth * 2.2)
        c.set_line_width(2)
        rounded_rect(c, x + i - 0.5, y + i * 1.3 - 0.5, w - 2 * i + 1, h - 2 * i + 1, max(0, r - i))
        c.stroke()
    c.restore()


def _set_font(c, size, bold):
    c.select_font_face(FONT_FAMILY, cairo.FONT_SLANT_NORMAL,
                       cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    c.set_font_size(size)
    fo = cairo.FontOptions()
    fo.set_antialias(cairo.ANTIALIAS_GRAY)
    fo.set_hint_style(cairo.HINT_STYLE_NONE)
    fo.set_hint_metrics(cairo.HINT_METRICS_OFF)
    c.set_font_options(fo)


def _ink(c, s, spacing):
    """Ink box (x, y, w, h) of s drawn from the origin, with extra spacing between characters."""
    x0 = y0 = float("inf")
    x1 = y1 = float("-inf")
    pen = 0.0
    for ch in s:
        e = c.text_extents(ch)
        if e.width > 0:
            x0 = min(x0, pen + e.x_bearing)
            x1 = max(x1, pen + e.x_bearing + e.width)
            y0 = min(y0, e.y_bearing)
            y1 = max(y1, e.y_bearing + e.height)
        pen += e.x_advance + spacing
    if x0 == float("inf"):
        return 0.0, 0.0, 0.0, 0.0
    return x0, y0, x1 - x0, y1 - y0


def text_path(c, s, ox, oy, spacing=0):
    pen = ox
    for ch in s:
        c.move_to(pen, oy)
        c.text_path(ch)
        pen += c.text_extents(ch).x_advance + spacing


def text_size(c, s, size, bold=True, spacing=0):
    c.save()
    _set_font(c, size, bold)
    _, _, w, h = _ink(c, s, spacing)
    c.restore()
    return w, h


def text(c, s, x, y, size, fill, bold=True, align="center", outline=None, outline_width=3.0,
         shadow=None, spacing=0, fill_pattern=None, vscale=1.0):
    """Draws s with its ink box centred on (x, y) (align center), or with the ink box's left
    (align left) or right (align right) edge at x and vertically centred on y."""
    c.save()
    _set_font(c, size, bold)
    ix, iy, iw, ih = _ink(c, s, spacing)
    if align == "center":
        ox = x - iw / 2 - ix
    elif align == "left":
        ox = x - ix
    else:
        ox = x - iw - ix
    oy = y - ih / 2 - iy
    c.new_path()
    if shadow is not None:
        col, a, dx, dy = shadow
        text_path(c, s, ox + dx, oy + dy, spacing)
        rgba(c, col, a)
        if outline is not None:
            c.set_line_width(outline_width)
            c.set_line_join(cairo.LINE_JOIN_ROUND)
            c.stroke_preserve()
        c.fill()
    text_path(c, s, ox, oy, spacing)
    if outline is not None:
        rgba(c, outline[:3], outline[3] if len(outline) > 3 else 1.0)
        c.set_line_width(outline_width)
        c.set_line_join(cairo.LINE_JOIN_ROUND)
        c.stroke_preserve()
    if fill_pattern is not None:
        c.set_source(fill_pattern)
    else:
        rgba(c, fill[:3], fill[3] if len(fill) > 3 else 1.0)
    c.fill()
    c.restore()
    return iw, ih


def paper_texture(c, x, y, w, h, rnd, count, col=BROWN, alpha=0.05, clip=None):
    """Sparse fibres and specks, seeded, so large beige areas don't look flat."""
    c.save()
    if clip is not None:
        clip()
        c.clip()
    for _ in range(count):
        px = x + rnd.random() * w
        py = y + rnd.random() * h
        rgba(c, col, alpha * (0.4 + rnd.random()))
        if rnd.random() < 0.7:
            c.arc(px, py, 0.4 + rnd.random() * 0.9, 0, 2 * math.pi)
            c.fill()
        else:
            a = rnd.random() * math.pi
            ln = 2 + rnd.random() * 6
            c.set_line_width(0.6)
            c.move_to(px, py)
            c.line_to(px + math.cos(a) * ln, py + math.sin(a) * ln)
            c.stroke()
    c.restore()


def gold_face(c, x, y, w, h, r, face=(GOLD_LIGHT, GOLD, GOLD_DARK), rim=BROWN_DARK, shadow=True):
    """A bevelled rounded button face: rim, vertical gradient, glossy upper half, inner glow."""
    light, mid, dark = face
    if shadow:
        soft_shadow(c, x + 1, y + 1, w - 2, h - 2, r, spread=4, alpha=0.5, dy=1)
    # Outer rim.
    rounded_rect(c, x + 0.5, y + 0.5, w - 1, h - 1, r)
    c.set_source(linear(0, y, 0, y + h, [(0, darken(dark, 0.05)), (1, darken(rim, 0.1))]))
    c.fill()
    # Face.
    rounded_rect(c, x + 2.5, y + 2.5, w - 5, h - 5, r - 2)
    c.set_source(linear(0, y + 2, 0, y + h - 2,
                        [(0, lighten(light, 0.3)), (0.45, light), (0.55, mid), (1, dark)]))
    c.fill()
    # Gloss on the upper half.
    c.save()
    rounded_rect(c, x + 4, y + 3.5, w - 8, (h - 6) * 0.48, r - 3)
    c.set_source(linear(0, y + 3, 0, y + h * 0.5, [(0, (1, 1, 1), 0.55), (1, (1, 1, 1), 0.08)]))
    c.fill()
    c.restore()
    # Highlight line and inner rim.
    rounded_rect(c, x + 2.5, y + 2.5, w - 5, h - 5, r - 2)
    c.set_line_width(1)
    c.set_source(linear(0, y, 0, y + h, [(0, (1, 1, 1), 0.8), (0.5, (1, 1, 1), 0.1),
                                         (1, darken(dark, 0.3), 0.6)]))
    c.stroke()


def button(name_size, label, size, face=(GOLD_LIGHT, GOLD, GOLD_DARK), radius=None,
           text_fill=CREAM, text_outline=(0.45, 0.20, 0.02), spacing=2):
    w, h = name_size
    s, c = surface(w, h)
    r = radius if radius is not None else min(h / 2.4, 14)
    gold_face(c, 1, 1, w - 2, h - 3, r, face=face)
    text(c, label, w / 2, h / 2 - 1, size, text_fill, outline=text_outline, outline_width=3.5,
         shadow=((0.3, 0.12, 0.0), 0.45, 0, 1.5), spacing=spacing)
    return s


def plus_sign(c, cx, cy, arm, thick, col=GREEN, dark=GREEN_DARK):
    """A raised green plus sign: dark rim, gradient body and a light top edge."""
    def path(grow):
        a = arm + grow
        t = thick / 2 + grow
        c.new_path()
        c.move_to(cx - t, cy - a)
        c.line_to(cx + t, cy - a)
        c.line_to(cx + t, cy - t)
        c.line_to(cx + a, cy - t)
        c.line_to(cx + a, cy + t)
        c.line_to(cx + t, cy + t)
        c.line_to(cx + t, cy + a)
        c.line_to(cx - t, cy + a)
        c.line_to(cx - t, cy + t)
        c.line_to(cx - a, cy + t)
        c.line_to(cx - a, cy - t)
        c.line_to(cx - t, cy - t)
        c.close_path()
    path(1.6)
    c.set_line_join(cairo.LINE_JOIN_ROUND)
    rgba(c, (0.1, 0.2, 0.05), 0.35)
    c.save()
    c.translate(0, 1.5)
    c.fill()
    c.restore()
    path(1.5)
    rgba(c, dark)
    c.fill()
    path(0)
    c.set_source(linear(0, cy - arm, 0, cy + arm, [(0, lighten(col, 0.45)), (0.5, col),
                                                   (1, darken(col, 0.2))]))
    c.fill()


def brown_cell(c, x, y, w, h, r, inner_alpha=1.0, rim=BROWN, fill_top=(0.36, 0.22, 0.10),
               fill_bottom=(0.50, 0.32, 0.15)):
    """A sunken brown rounded cell: dark interior, inner shadow, light lower lip."""
    # Light lip below and right, so the cell looks pressed into the panel.
    rounded_rect(c, x - 0.5, y - 0.5, w + 1.5, h + 1.5, r + 0.5)
    rgba(c, (1, 1, 1), 0.55 * max(inner_alpha, 0.5))
    c.fill()
    rounded_rect(c, x - 0.5, y - 0.5, w + 1, h + 1, r + 0.5)
    rgba(c, darken(rim, 0.25), max(inner_alpha, 0.8))
    c.fill()
    rounded_rect(c, x + 1, y + 1, w - 2, h - 2, r - 1)
    c.set_source(linear(0, y, 0, y + h, [(0, fill_top, inner_alpha), (1, fill_bottom, inner_alpha)]))
    c.fill()
    inner_shadow(c, x + 1, y + 1, w - 2, h - 2, r - 1, depth=4, alpha=0.6 * inner_alpha)
    rounded_rect(c, x + 1.5, y + 1.5, w - 3, h - 3, r - 1.5)
    c.set_line_width(1)
    rgba(c, lighten(rim, 0.35), 0.55)
    c.stroke()


def beige_panel(c, x, y, w, h, r, rnd=None, fill=(BEIGE_LIGHT, BEIGE), border=BEIGE_DARK,
                shadow=True, texture=True):
    """A raised beige panel with a soft shadow, a darker border and a light inner line."""
    if shadow:
        soft_shadow(c, x, y, w, h, r, spread=7, alpha=0.35, dy=2)
    rounded_rect(c, x, y, w, h, r)
    rgba(c, border)
    c.fill()
    rounded_rect(c, x + 2, y + 2, w - 4, h - 4, r - 2)
    c.set_source(linear(0, y, 0, y + h, [(0, fill[0]), (1, fill[1])]))
    c.fill()
    if texture and rnd is not None:
        paper_texture(c, x + 2, y + 2, w - 4, h - 4, rnd, int(w * h / 180),
                      clip=lambda: rounded_rect(c, x + 2, y + 2, w - 4, h - 4, r - 2))
    rounded_rect(c, x + 3.5, y + 3.5, w - 7, h - 7, r - 3)
    c.set_line_width(1)
    rgba(c, (1, 1, 1), 0.7)
    c.stroke()


def corner_ornament(c, x, y, sx, sy, size=22, col=BROWN_LIGHT, alpha=0.85):
    """A small scroll ornament for a panel corner; (sx, sy) = +-1 mirrors it into the corner."""
    c.save()
    c.translate(x, y)
    c.scale(sx, sy)
    rgba(c, col, alpha)
    c.set_line_width(2)
    c.set_line_cap(cairo.LINE_CAP_ROUND)
    c.move_to(0, size)
    c.curve_to(0, size * 0.35, size * 0.35, 0, size, 0)
    c.stroke()
    c.set_line_width(1.4)
    c.move_to(4, size * 0.9)
    c.curve_to(4, size * 0.5, size * 0.5, 4, size * 0.9, 4)
    c.stroke()
    c.arc(size * 0.28, size * 0.28, 3, 0, 2 * math.pi)
    c.fill()
    # Curls at both ends.
    for (ex, ey) in ((0, size), (size, 0)):
        c.arc(ex, ey, 2.2, 0, 2 * math.pi)
        c.fill()
    c.move_to(size * 0.5, size * 0.5)
    c.line_to(size * 0.62, size * 0.62)
    c.stroke()
    c.restore()


def diamond(c, cx, cy, rx, ry):
    c.move_to(cx, cy - ry)
    c.line_to(cx + rx, cy)
    c.line_to(cx, cy + ry)
    c.line_to(cx - rx, cy)
    c.close_path()
