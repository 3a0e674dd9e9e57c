#!/usr/bin/env python3
"""Draws the program's pictures into data/pictures/ as SVG (Tiny 1.2, which Qt's SVG renderer reads).

Every picture of the windows is drawn here in one flat style: navy, gold and pitch green, rounded corners,
DejaVu Sans lettering. A picture's width and height are its natural size in pixels (shown at that size,
times the display scale, where its box does not stretch); the view box is what the drawing is made in.
Channel badges carry only the channel's name in our own lettering; no broadcaster's logo is copied.

    python3 scripts/make_art.py           # write the pictures
    python3 scripts/make_art.py --check   # fail when a written picture differs from what the script draws
"""

import math
import sys
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "data" / "pictures"

NAVY = "#1d3557"
NAVY_DARK = "#12233d"
GOLD = "#f2b705"
GOLD_DARK = "#c48a00"
GREEN = "#2f9e44"
GREEN_DARK = "#237a34"
RED = "#d62828"
WHITE = "#ffffff"
LIGHT = "#eef3fa"
GREY = "#8a94a6"
FONT = 'font-family="DejaVu Sans"'


def svg(width, height, body, view=None):
    vw, vh = view or (width, height)
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
        f'width="{width}" height="{height}" viewBox="0 0 {vw} {vh}">\n{body}</svg>\n'
    )


def num(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


def text(x, y, s, size, fill=WHITE, bold=True, anchor="middle"):
    weight = ' font-weight="bold"' if bold else ""
    s = s.replace("&", "&amp;").replace("<", "&lt;")
    return (f'<text x="{num(x)}" y="{num(y)}" {FONT} font-size="{num(size)}"{weight} '
            f'fill="{fill}" text-anchor="{anchor}">{s}</text>\n')


def rect(x, y, w, h, fill, rx=0, stroke=None, sw=1):
    extra = f' stroke="{stroke}" stroke-width="{num(sw)}"' if stroke else ""
    r = f' rx="{num(rx)}"' if rx else ""
    return f'<rect x="{num(x)}" y="{num(y)}" width="{num(w)}" height="{num(h)}"{r} fill="{fill}"{extra}/>\n'


def circle(cx, cy, r, fill, stroke=None, sw=1):
    extra = f' stroke="{stroke}" stroke-width="{num(sw)}"' if stroke else ""
    return f'<circle cx="{num(cx)}" cy="{num(cy)}" r="{num(r)}" fill="{fill}"{extra}/>\n'


def path(d, fill="none", stroke=None, sw=1, extra="", cap="round"):
    s = f' stroke="{stroke}" stroke-width="{num(sw)}" stroke-linecap="{cap}" stroke-linejoin="round"' \
        if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}{extra}/>\n'


def polygon(points, fill, stroke=None, sw=1):
    pts = " ".join(f"{num(x)},{num(y)}" for x, y in points)
    extra = f' stroke="{stroke}" stroke-width="{num(sw)}" stroke-linejoin="round"' if stroke else ""
    return f'<polygon points="{pts}" fill="{fill}"{extra}/>\n'


def regular(cx, cy, r, n, start=-90):
    return [(cx + r * math.cos(math.radians(start + 360 * k / n)),
             cy + r * math.sin(math.radians(start + 360 * k / n))) for k in range(n)]


def star(cx, cy, r, fill):
    pts = []
    for k in range(10):
        rr = r if k % 2 == 0 else r * 0.42
        a = math.radians(-90 + 36 * k)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return polygon(pts, fill)


def ball(cx, cy, r):
    """A football: white, a black pentagon in the middle and the seams to the patches at the rim."""
    out = circle(cx, cy, r, WHITE, "#222222", r * 0.08)
    inner = regular(cx, cy, r * 0.36, 5)
    out += polygon(inner, "#222222")
    for k, (x, y) in enumerate(inner):
        a = math.radians(-90 + 72 * k)
        ex, ey = cx + r * 0.78 * math.cos(a), cy + r * 0.78 * math.sin(a)
        out += path(f"M{num(x)},{num(y)} L{num(ex)},{num(ey)}", stroke="#222222", sw=r * 0.07)
        patch = regular(cx + r * 0.93 * math.cos(a), cy + r * 0.93 * math.sin(a), r * 0.2, 5,
                        start=-90 + 72 * k + 36)
        out += polygon(patch, "#222222")
    # The patches stop at the rim.
    out += path(arc_ring(cx, cy, r, r * 1.3), fill=WHITE, extra=' fill-rule="evenodd"')
    out += circle(cx, cy, r, "none", "#222222", r * 0.08)
    return out


def arc_ring(cx, cy, r_in, r_out):
    """The outline of a ring between two circles, to be filled with the even-odd rule."""
    def circle_path(r):
        return (f"M{num(cx - r)},{num(cy)} A{num(r)},{num(r)} 0 1,0 {num(cx + r)},{num(cy)} "
                f"A{num(r)},{num(r)} 0 1,0 {num(cx - r)},{num(cy)} Z ")
    return circle_path(r_out) + circle_path(r_in)


def trophy_shape(x, y, s):
    """The cup, drawn in a 60 x 100 box at (x, y), scaled by s."""
    def p(px, py):
        return f"{num(x + px * s)},{num(y + py * s)}"
    out = ""
    # Handles behind the cup.
    out += path(f"M{p(14, 14)} C{p(0, 14)} {p(0, 40)} {p(20, 44)}", stroke=GOLD_DARK, sw=4 * s)
    out += path(f"M{p(46, 14)} C{p(60, 14)} {p(60, 40)} {p(40, 44)}", stroke=GOLD_DARK, sw=4 * s)
    # Bowl, stem, knot and foot.
    out += path(f"M{p(10, 6)} L{p(50, 6)} C{p(50, 36)} {p(42, 52)} {p(33, 56)} L{p(33, 66)} "
                f"L{p(27, 66)} L{p(27, 56)} C{p(18, 52)} {p(10, 36)} {p(10, 6)} Z", fill=GOLD,
                stroke=GOLD_DARK, sw=1.5 * s)
    out += path(f"M{p(17, 12)} C{p(17, 30)} {p(21, 42)} {p(26, 48)}", stroke="#ffe27a", sw=2.5 * s)
    out += rect(x + 22 * s, y + 64 * s, 16 * s, 6 * s, GOLD_DARK, rx=2 * s)
    out += polygon([(x + 16 * s, y + 84 * s), (x + 20 * s, y + 70 * s), (x + 40 * s, y + 70 * s),
                    (x + 44 * s, y + 84 * s)], GOLD, GOLD_DARK, 1.5 * s)
    out += rect(x + 10 * s, y + 84 * s, 40 * s, 12 * s, NAVY_DARK, rx=2 * s)
    out += rect(x + 16 * s, y + 88 * s, 28 * s, 4 * s, GOLD, rx=1 * s)
    return out


# --- Language flags ----------------------------------------------------------------------------------

def flag_fr():
    body = rect(0, 0, 10, 20, "#0055a4") + rect(10, 0, 10, 20, WHITE) + rect(20, 0, 10, 20, "#ef4135")
    return svg(30, 20, body + rect(0.5, 0.5, 29, 19, "none", stroke=GREY, sw=1))


def flag_gb():
    blue, red = "#012169", "#c8102e"
    body = rect(0, 0, 30, 20, blue)
    # Drawn as bands inside the flag, so nothing reaches past its edge.
    body += polygon([(0, 0), (3.3, 0), (30, 17.8), (30, 20), (26.7, 20), (0, 2.2)], WHITE)
    body += polygon([(30, 0), (30, 2.2), (3.3, 20), (0, 20), (0, 17.8), (26.7, 0)], WHITE)
    # The red saltire is offset (counterchanged) about the centre.
    for arm in ([(0, 0), (0, 1.4), (12.9, 10), (15, 10)], [(30, 20), (30, 18.6), (17.1, 10), (15, 10)],
                [(30, 0), (27.9, 0), (15, 8.6), (15, 10)], [(0, 20), (2.1, 20), (15, 11.4), (15, 10)]):
        body += polygon(arm, red)
    body += rect(12, 0, 6, 20, WHITE) + rect(0, 7, 30, 6, WHITE)
    body += rect(13.2, 0, 3.6, 20, red) + rect(0, 8.2, 30, 3.6, red)
    return svg(30, 20, body + rect(0.5, 0.5, 29, 19, "none", stroke=GREY, sw=1))


def flag_es():
    body = rect(0, 0, 30, 20, "#aa151b") + rect(0, 5, 30, 10, "#f1bf00")
    return svg(30, 20, body + rect(0.5, 0.5, 29, 19, "none", stroke=GREY, sw=1))


# --- TV channel badges -------------------------------------------------------------------------------

CHANNELS = {"tf1": "TF1", "f2": "F2", "m6": "M6", "cplus": "C+", "tmc": "TMC"}


def channel(name):
    size = 13 if len(name) == 3 else 15
    body = rect(1, 1, 38, 26, NAVY, rx=5, stroke=NAVY_DARK, sw=1)
    body += rect(6, 22, 28, 2.5, GOLD, rx=1.2)
    body += text(20, 13 + size * 0.36, name, size)
    return svg(40, 28, body)


# --- Stadiums ----------------------------------------------------------------------------------------

# Code: (stadium as the 2024 tournament named it, second line of its name or "", city, stand colour, roof)
STADIUMS = {
    "dor": ("Westfalenstadion", "", "Dortmund", "#f2c200", "pylons"),
    "ber": ("Olympiastadion", "", "Berlin", "#3a6ea5", "ring"),
    "col": ("Stadion Köln", "", "Cologne", "#c0392b", "pylons"),
    "are": ("Arena", "AufSchalke", "Gelsenkirchen", "#1f5fbf", "closed"),
    "dus": ("Düsseldorf", "Arena", "Düsseldorf", "#b03a48", "closed"),
    "fra": ("Waldstadion", "", "Frankfurt", "#5b6770", "ring"),
    "lep": ("Leipzig", "Stadium", "Leipzig", "#c8102e", "arch"),
    "muc": ("Fußball Arena", "München", "Munich", "#d9342b", "bowl"),
    "str": ("Stuttgart", "Arena", "Stuttgart", "#c0392b", "ring"),
    "ham": ("Volksparkstadion", "", "Hamburg", "#2b5aa8", "ring"),
    "bud": ("Puskás Aréna", "", "Budapest", "#7a8c99", "arch"),
}


def stadium_drawing(stand, roof):
    """A stadium in the 54 x 54 square at the card's left."""
    out = rect(0, 0, 54, 54, "#cfe8ff")
    out += rect(0, 38, 54, 16, "#7fbf6a")
    # The bowl seen from the side, the pitch as a green band in front.
    out += path("M4,38 L8,22 C18,17 36,17 46,22 L50,38 Z", fill=stand, stroke=NAVY_DARK, sw=1)
    out += path("M10,30 C20,27 34,27 44,30", stroke=WHITE, sw=1.2)
    out += path("M9,34 C20,31 34,31 45,34", stroke=WHITE, sw=1.2)
    out += rect(4, 38, 46, 6, GREEN, stroke=NAVY_DARK, sw=0.8)
    out += path("M27,38 L27,44", stroke=WHITE, sw=0.8)
    if roof == "pylons":
        for x in (6, 16, 38, 48):
            out += rect(x - 1, 8, 2, 16, GOLD, stroke=NAVY_DARK, sw=0.5)
        out += path("M5,20 C18,15 36,15 49,20", stroke=NAVY_DARK, sw=2)
    elif roof == "ring":
        out += path("M6,22 C18,14 36,14 48,22", stroke=LIGHT, sw=3)
        out += path("M6,22 C18,14 36,14 48,22", stroke=NAVY_DARK, sw=0.8)
    elif roof == "closed":
        out += path("M6,23 C14,10 40,10 48,23 Z", fill=LIGHT, stroke=NAVY_DARK, sw=1)
    elif roof == "arch":
        out += path("M4,24 C14,2 40,2 50,24", stroke=WHITE, sw=2.5)
        out += path("M4,24 C14,2 40,2 50,24", stroke=NAVY_DARK, sw=0.8)
    elif roof == "bowl":
        out += path("M4,36 C2,14 52,14 50,36 Z", fill=stand, stroke=NAVY_DARK, sw=1)
        for y in (22, 27, 32):
            out += path(f"M6,{y} L48,{y}", stroke="#ffffff", sw=0.6, extra=' stroke-opacity="0.7"')
        out += rect(4, 36, 46, 8, GREEN, stroke=NAVY_DARK, sw=0.8)
    return out


def stadium(code):
    name, second, city, stand, roof = STADIUMS[code]
    body = rect(0.5, 0.5, 161, 53, WHITE, rx=5, stroke=NAVY, sw=1)
    body += f'<g transform="translate(3,3) scale(0.89)">\n{stadium_drawing(stand, roof)}</g>\n'
    x = 109
    lines = [name] + ([second] if second else [])
    size = 10.5 if max(len(s) for s in lines) <= 14 else 9.5
    top = 19 if second else 24
    for i, line in enumerate(lines):
        body += text(x, top + i * 12, line, size, fill=NAVY)
    body += rect(62, 37, 94, 1, GOLD)
    body += text(x, 49, city, 9.5, fill=GREEN_DARK, bold=False)
    return svg(162, 54, body)


# --- Trophy, edition emblems, podium -----------------------------------------------------------------

def trophy():
    return svg(60, 100, trophy_shape(0, 0, 1))


# Year: (host codes, band colours of the host flags)
EDITIONS = {
    2000: ("BEL · NED", ["#000000", "#fdda24", "#ef3340", "#ff7f00"]),
    2004: ("POR", ["#006600", "#ff0000"]),
    2008: ("AUT · SUI", ["#ed2939", "#ffffff", "#ed2939"]),
    2012: ("POL · UKR", ["#ffffff", "#dc143c", "#0057b7", "#ffd700"]),
    2016: ("FRA", ["#0055a4", "#ffffff", "#ef4135"]),
    2020: ("EUR", ["#003399", "#ffcc00", "#003399"]),
    2024: ("GER", ["#000000", "#dd0000", "#ffce00"]),
}


def emblem(year):
    hosts, bands = EDITIONS[year]
    body = circle(50, 50, 48, NAVY, GOLD, 3)
    for k in range(12):
        a = math.radians(-90 + 30 * k)
        body += star(50 + 38 * math.cos(a), 50 + 38 * math.sin(a), 3.4, GOLD)
    body += ball(50, 30, 10)
    body += text(50, 60, str(year), 21)
    width = 44
    for i, colour in enumerate(bands):
        body += rect(28 + i * width / len(bands), 65, width / len(bands), 5, colour)
    body += rect(28, 65, width, 5, "none", stroke=GOLD, sw=0.6)
    body += text(50, 80, hosts, 8.5, fill=GOLD)
    return svg(100, 100, body)


def podium_steps(x, y, w, h, numbers=("2", "1", "3")):
    """Three steps side by side, the middle one highest."""
    step = w / 3
    heights = (h * 0.62, h, h * 0.45)
    out = ""
    for i, (label, sh) in enumerate(zip(numbers, heights)):
        sx = x + i * step
        out += rect(sx, y + h - sh, step, sh, NAVY if i != 1 else NAVY_DARK, stroke=WHITE, sw=1)
        out += text(sx + step / 2, y + h - sh + min(sh, 22) * 0.75, label, min(step, sh) * 0.42, fill=GOLD)
    return out


def no_podium():
    body = rect(0, 0, 83, 100, WHITE)
    body += f'<g transform="translate(26.5,4) scale(0.5)" opacity="0.35">\n{trophy_shape(0, 0, 1)}</g>\n'
    body += path("M8,92 L75,92", stroke=GREEN, sw=2)
    body += podium_steps(8, 56, 67, 36)
    body += ball(79, 88, 3.5)
    return svg(83, 100, body)


# --- Banners -----------------------------------------------------------------------------------------

def pitch_stripes(w, h, stripe):
    out = rect(0, 0, w, h, GREEN)
    for k in range(0, int(w / stripe) + 1, 2):
        out += rect(k * stripe, 0, stripe, h, GREEN_DARK)
    return out


def banner():
    w, h = 251, 70
    body = pitch_stripes(w, h, 18)
    body += path(f"M{w / 2},0 L{w / 2},{h}", stroke=WHITE, sw=1.5, extra=' stroke-opacity="0.6"')
    body += circle(w / 2, h / 2, 20, "none", WHITE, 1.5)
    body += rect(0, 0, w, h, "none", stroke=NAVY, sw=3)
    body += ball(36, 35, 22)
    body += rect(70, 16, 170, 38, NAVY, rx=6, stroke=GOLD, sw=1.5)
    body += text(155, 34, "Valmirade", 16)
    body += text(155, 49, "★  2024  ★", 11, fill=GOLD)
    return svg(433, 120, body, (w, h))


def advert():
    w, h = 160, 15
    body = rect(0, 0, w, h, NAVY, rx=3)
    body += ball(8, 7.5, 5.5)
    body += text(84, 11, "VALMIRADE 2024", 9.5)
    body += polygon([(148, 3.5), (155, 7.5), (148, 11.5)], GOLD)
    return svg(w, h, body)


def bracket_banner():
    # The sheet's banner, at its natural size: a ball under the site's address (a link label lies over its
    # upper left), and the podium whose steps the three result boxes stand on: runner-up, champion, thirds.
    w, h = 545, 107
    ground = h - 6
    body = path(f"M0,{ground} L{w},{ground}", stroke=GREEN, sw=3)
    body += ball(40, 72, 26)
    for label, left, right, top in (("2", 312, 402, 42), ("1", 402, 498, 0), ("3", 498, 545, 46)):
        body += rect(left, top, right - left, ground - top, NAVY if label != "1" else NAVY_DARK, stroke=WHITE,
                     sw=1.5)
        body += text((left + right) / 2, ground - 14, label, 24, fill=GOLD)
    return svg(w, h, body)


# --- Icons -------------------------------------------------------------------------------------------

def icon(body, size=32):
    return svg(size, size, body, (32, 32))


def close_icon():
    return icon(circle(16, 16, 14, RED, "#9b1b1b", 1.5) +
                path("M10.5,10.5 L21.5,21.5 M21.5,10.5 L10.5,21.5", stroke=WHITE, sw=3.5))


def help_icon():
    return icon(circle(16, 16, 14, NAVY, NAVY_DARK, 1.5) + text(16, 23.5, "?", 21, fill=GOLD))


def save_icon():
    body = path("M5,4 L24,4 L28,8 L28,28 L4,28 L4,5 Z", fill=NAVY, stroke=NAVY_DARK, sw=1.2)
    body += rect(9, 4, 13, 8, LIGHT) + rect(17, 5.5, 3, 5, NAVY)
    body += rect(8, 17, 16, 10, WHITE) + path("M10,21 L22,21 M10,24 L19,24", stroke=GREY, sw=1)
    return icon(body)


def print_icon():
    body = rect(9, 3, 14, 9, WHITE, stroke=NAVY, sw=1.5)
    body += rect(3, 11, 26, 12, NAVY, rx=3)
    body += circle(24.5, 15, 1.4, GOLD)
    body += rect(8, 19, 16, 10, WHITE, stroke=NAVY, sw=1.5)
    body += path("M11,23 L21,23 M11,26 L18,26", stroke=GREY, sw=1.2)
    return icon(body)


def refresh_icon():
    body = path("M25,11 A10,10 0 1,0 26,19", stroke=GREEN, sw=3.5)
    body += polygon([(20, 10), (28, 4), (28.5, 13.5)], GREEN)
    return icon(body)


def groups_icon():
    # A group table: four rows, the first two (qualified) in green.
    body = rect(3, 4, 26, 24, WHITE, rx=3, stroke=NAVY, sw=1.5)
    for k in range(4):
        body += rect(6, 7.5 + k * 5, 20, 3.5, GREEN if k < 2 else GREY, rx=1)
    return icon(body)


def knockout_icon():
    body = rect(2, 2, 28, 28, WHITE, rx=3, stroke=NAVY, sw=1.5)
    body += path("M5,8 L11,8 L11,14 L5,14 M5,18 L11,18 L11,24 L5,24 M11,11 L17,11 L17,21 L11,21 M17,16 L22,16",
                 stroke=NAVY, sw=1.8)
    body += star(25.5, 16, 4.5, GOLD)
    return icon(body)


def stats_icon():
    body = path("M4,28 L29,28", stroke=NAVY, sw=1.5)
    for x, hh, colour in ((6, 10, GREEN), (13, 18, NAVY), (20, 14, GOLD)):
        body += rect(x, 27 - hh, 5.5, hh, colour, rx=1)
    body += path("M5,15 L13,7 L20,11 L28,4", stroke=RED, sw=1.8)
    return icon(body)


def qualifiers_icon():
    body = rect(5, 3, 22, 26, WHITE, rx=3, stroke=NAVY, sw=1.5)
    for k in range(4):
        y = 9 + k * 5.5
        body += path(f"M9,{y} L11,{y + 2} L14,{y - 2}", stroke=GREEN if k < 2 else GREY, sw=1.6)
        body += rect(16, y - 1, 8, 2, NAVY if k < 2 else GREY, rx=1)
    return icon(body)


def update_icon():
    body = circle(16, 16, 14, LIGHT, NAVY, 1.5)
    body += path("M16,7 L16,21 M10,16 L16,22 L22,16", stroke=GREEN, sw=3.2)
    body += path("M9,25 L23,25", stroke=NAVY, sw=2.5)
    return icon(body)


def history_icon():
    body = circle(17, 16, 12, WHITE, NAVY, 2)
    body += path("M17,9 L17,16 L22,19", stroke=NAVY, sw=2.2)
    body += path("M5,10 A13,13 0 0,1 9,5", stroke=GOLD, sw=2.5)
    body += polygon([(2, 6), (9, 3), (8, 11)], GOLD)
    return icon(body)


def bracket_icon():
    body = path("M7,3 L21,3 L26,8 L26,29 L7,29 Z", fill=WHITE, stroke=NAVY, sw=1.5)
    body += path("M10,9 L14,9 L14,15 L10,15 M10,19 L14,19 L14,25 L10,25 M14,12 L18,12 L18,22 L14,22 M18,17 L22,17",
                 stroke=NAVY, sw=1.4)
    body += star(22, 11, 3, GOLD)
    return icon(body)


def calendar_icon():
    body = rect(4, 6, 24, 22, WHITE, rx=3, stroke=NAVY, sw=1.5)
    body += rect(4, 6, 24, 7, RED, rx=3) + rect(4, 10, 24, 3, RED)
    body += rect(9, 3, 2.5, 6, NAVY, rx=1) + rect(20.5, 3, 2.5, 6, NAVY, rx=1)
    for k in range(3):
        for j in range(2):
            body += rect(8 + k * 6, 16 + j * 5, 4, 3, GREEN if (k, j) == (1, 0) else GREY, rx=0.8)
    return icon(body)


# --- Link pictures and the welcome picture -----------------------------------------------------------

def globe(cx, cy, r):
    out = circle(cx, cy, r, "#4c9be8", NAVY, r * 0.1)
    out += f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(r * 0.45)}" ry="{num(r)}" fill="none" ' \
           f'stroke="{WHITE}" stroke-width="{num(r * 0.08)}"/>\n'
    out += path(f"M{num(cx - r)},{num(cy)} L{num(cx + r)},{num(cy)} M{num(cx)},{num(cy - r)} "
                f"L{num(cx)},{num(cy + r)}", stroke=WHITE, sw=r * 0.08)
    out += path(f"M{num(cx - r * 0.85)},{num(cy - r * 0.5)} L{num(cx + r * 0.85)},{num(cy - r * 0.5)} "
                f"M{num(cx - r * 0.85)},{num(cy + r * 0.5)} L{num(cx + r * 0.85)},{num(cy + r * 0.5)}",
                stroke=WHITE, sw=r * 0.08)
    return out


def link_site():
    w, h = 127, 40
    body = rect(1, 1, w - 2, h - 2, NAVY, rx=8, stroke=GOLD, sw=1.5)
    body += globe(22, 20, 13)
    body += text(78, 27, "www", 19)
    return svg(w, h, body)


def link_donate():
    w, h = 127, 28
    body = rect(1, 1, w - 2, h - 2, WHITE, rx=7, stroke=RED, sw=1.5)
    body += path("M22,23 C10,15 8,9 12,6 C15,4 20,5 22,9 C24,5 29,4 32,6 C36,9 34,15 22,23 Z", fill=RED)
    for k, x in enumerate((60, 78, 96)):
        body += circle(x, 14, 8, GOLD, GOLD_DARK, 1.2)
        body += text(x, 18, "€", 10, fill=GOLD_DARK)
    return svg(w, h, body)


def link_software():
    w, h = 120, 40
    body = rect(1, 1, w - 2, h - 2, LIGHT, rx=8, stroke=NAVY, sw=1.5)
    body += path("M24,7 L24,25 M16,18 L24,26 L32,18", stroke=GREEN, sw=4)
    body += path("M12,28 L12,33 L36,33 L36,28", stroke=NAVY, sw=3)
    for k in range(3):
        for j in range(2):
            body += rect(50 + k * 22, 6 + j * 15, 17, 12, NAVY if (k + j) % 2 == 0 else GOLD, rx=3)
    return svg(w, h, body)


def link_home():
    body = rect(0, 0, 120, 120, WHITE)
    body += globe(60, 66, 44)
    body += ball(84, 36, 22)
    for k in range(3):
        body += path(f"M{44 - k * 8},{22 + k * 9} L{60 - k * 8},{24 + k * 9}", stroke=GREY, sw=3)
    return svg(120, 120, body)


def welcome():
    w, h = 128, 115
    body = rect(0, 0, w, h, WHITE)
    body += rect(0, 86, w, 29, GREEN)
    # The goal and its net.
    body += path("M14,88 L14,22 L114,22 L114,88", stroke=WHITE, sw=5)
    body += path("M14,88 L14,22 L114,22 L114,88", stroke=NAVY, sw=1.2)
    for x in range(24, 114, 10):
        body += path(f"M{x},24 L{x},86", stroke=GREY, sw=0.6)
    for y in range(32, 86, 10):
        body += path(f"M16,{y} L112,{y}", stroke=GREY, sw=0.6)
    body += ball(64, 70, 18)
    body += star(26, 10, 6, GOLD) + star(64, 8, 7, GOLD) + star(102, 10, 6, GOLD)
    return svg(w, h, body)


def program_icon():
    body = rect(2, 2, 60, 60, NAVY, rx=12, stroke=GOLD, sw=2.5)
    body += circle(32, 30, 20, "none", GOLD, 2.5)
    body += ball(32, 30, 15)
    body += star(32, 55, 4.5, GOLD)
    return svg(256, 256, body, (64, 64))


# --- All pictures ------------------------------------------------------------------------------------

def pictures():
    out = {
        "flag_fr.svg": flag_fr(),
        "flag_gb.svg": flag_gb(),
        "flag_es.svg": flag_es(),
        "trophy.svg": trophy(),
        "no_podium.svg": no_podium(),
        "banner.svg": banner(),
        "advert.svg": advert(),
        "bracket_banner.svg": bracket_banner(),
        "close.svg": close_icon(),
        "help.svg": help_icon(),
        "save.svg": save_icon(),
        "print.svg": print_icon(),
        "refresh.svg": refresh_icon(),
        "view_groups.svg": groups_icon(),
        "view_knockout.svg": knockout_icon(),
        "stats.svg": stats_icon(),
        "update.svg": update_icon(),
        "history.svg": history_icon(),
        "bracket.svg": bracket_icon(),
        "calendar.svg": calendar_icon(),
        "qualifiers.svg": qualifiers_icon(),
        "link_site.svg": link_site(),
        "link_donate.svg": link_donate(),
        "link_software.svg": link_software(),
        "link_home.svg": link_home(),
        "welcome.svg": welcome(),
        "zenkor.svg": program_icon(),
    }
    for key, name in CHANNELS.items():
        out[f"channel_{key}.svg"] = channel(name)
    for code in STADIUMS:
        out[f"stadium_{code}.svg"] = stadium(code)
    for year in EDITIONS:
        out[f"logo_{year}.svg"] = emblem(year)
    return out


def main():
    check = "--check" in sys.argv[1:]
    drawn = pictures()
    if check:
        stale = [n for n, body in drawn.items()
                 if not (OUT / n).is_file() or (OUT / n).read_text(encoding="utf-8") != body]
        extra = sorted(p.name for p in OUT.glob("*.svg") if p.name not in drawn)
        for n in stale:
            print(f"{n}: differs from what scripts/make_art.py draws", file=sys.stderr)
        for n in extra:
            print(f"{n}: not drawn by scripts/make_art.py", file=sys.stderr)
        return 1 if stale or extra else 0
    OUT.mkdir(parents=True, exist_ok=True)
    for name, body in drawn.items():
        (OUT / name).write_text(body, encoding="utf-8")
    print(f"{len(drawn)} pictures in {OUT}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
