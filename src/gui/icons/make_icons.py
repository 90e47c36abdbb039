#!/usr/bin/env python3
"""Draws the toolbar and program icons (PNG, no dependencies beyond the
standard library). The shapes are given on a 24-unit grid and rendered with
4x4 supersampling, so every size comes out smooth.

The program icon is also written at the sizes a desktop's launcher uses and
as SVG, from the same shapes, into the desktop folder of the source tree.

Run from this folder: python3 make_icons.py
"""
import os
import math
import struct
import zlib

INK = (48, 48, 56, 255)
PAPER = (255, 255, 255, 255)
FOLD = (200, 204, 212, 255)
YELLOW = (246, 196, 62, 255)
YELLOW_DARK = (214, 152, 32, 255)
BLUE = (52, 101, 164, 255)
BLUE_LIGHT = (114, 159, 207, 255)
GREY = (150, 154, 162, 255)
BROWN = (160, 110, 60, 255)
RED = (204, 52, 44, 255)
GREEN = (78, 154, 6, 255)


def inside_poly(x, y, pts):
    c = False
    n = len(pts)
    for i in range(n):
        x1, y1 = pts[i]
        x2, y2 = pts[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            xi = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < xi:
                c = not c
    return c


def dist_seg(x, y, a, b):
    (x1, y1), (x2, y2) = a, b
    dx, dy = x2 - x1, y2 - y1
    l2 = dx * dx + dy * dy
    t = 0 if l2 == 0 else max(0, min(1, ((x - x1) * dx + (y - y1) * dy) / l2))
    px, py = x1 + t * dx, y1 + t * dy
    return math.hypot(x - px, y - py)


def covers(shape, x, y):
    kind = shape[0]
    if kind == "poly":
        return inside_poly(x, y, shape[1])
    if kind == "rect":
        _, x0, y0, w, h, _c = shape
        return x0 <= x <= x0 + w and y0 <= y <= y0 + h
    if kind == "circle":
        _, cx, cy, r, _c = shape
        return math.hypot(x - cx, y - cy) <= r
    if kind == "ring":
        _, cx, cy, r, w, _c = shape
        return abs(math.hypot(x - cx, y - cy) - r) <= w / 2
    if kind == "line":
        _, a, b, w, _c = shape
        return dist_seg(x, y, a, b) <= w / 2
    raise ValueError(kind)


def outline(pts, color, width=1.0):
    return [("line", pts[i], pts[(i + 1) % len(pts)], width, color) for i in range(len(pts))]


def poly(pts, fill, ink=INK):
    return [("poly", pts, fill)] + outline(pts, ink)


def render(shapes, size, samples=4):
    scale = 24.0 / size
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    color = None
                    for shape in reversed(shapes):
                        if covers(shape, x, y):
                            color = shape[-1]
                            break
                    if color:
                        a = color[3]
                        acc[0] += color[0] * a
                        acc[1] += color[1] * a
                        acc[2] += color[2] * a
                        acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if acc[3]:
                row += bytes((round(acc[0] / acc[3]), round(acc[1] / acc[3]),
                              round(acc[2] / acc[3]), round(alpha)))
            else:
                row += bytes((0, 0, 0, 0))
        rows.append(bytes(row))
    return rows


def write_png(path, rows, size):
    raw = b"".join(b"\x00" + r for r in rows)

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def page(x0, y0, x1, y1, fold=4):
    body = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    corner = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    return poly(body, PAPER) + poly(corner, FOLD)


def text_lines(x0, x1, ys, color=GREY):
    return [("line", (x0, y), (x1, y), 1.2, color) for y in ys]


ICONS = {
    "document-new": page(5, 2.5, 19, 21.5) + text_lines(8, 16, [10, 13, 16])
    + [("circle", 17.5, 18, 4.5, GREEN), ("line", (15, 18), (20, 18), 1.6, PAPER),
       ("line", (17.5, 15.5), (17.5, 20.5), 1.6, PAPER)],
    "document-open": poly([(2, 5), (9, 5), (11, 7.5), (21, 7.5), (21, 19.5), (2, 19.5)], YELLOW_DARK)
    + poly([(4.5, 10.5), (23, 10.5), (20.5, 19.5), (2, 19.5)], YELLOW),
    "document-save": poly([(3, 3), (19, 3), (21, 5), (21, 21), (3, 21)], BLUE)
    + poly([(6.5, 3), (17.5, 3), (17.5, 10), (6.5, 10)], PAPER)
    + [("rect", 14, 4.5, 2, 4, BLUE)]
    + poly([(6.5, 14), (17.5, 14), (17.5, 21), (6.5, 21)], BLUE_LIGHT),
    "edit-cut": [("line", (7.5, 2.5), (15, 15), 2.0, GREY), ("line", (16.5, 2.5), (9, 15), 2.0, GREY),
                 ("line", (7.5, 2.5), (15, 15), 0.6, INK), ("line", (16.5, 2.5), (9, 15), 0.6, INK),
                 ("ring", 7.5, 18, 3.2, 1.8, RED), ("ring", 16.5, 18, 3.2, 1.8, RED)],
    "edit-copy": page(3, 2, 14, 16, 3) + text_lines(5, 11, [7, 10])
    + page(10, 8, 21, 22, 3) + text_lines(12, 18, [13, 16, 19]),
    "edit-paste": poly([(4, 4), (20, 4), (20, 22), (4, 22)], BROWN)
    + poly([(7, 7), (17, 7), (17, 20), (7, 20)], PAPER)
    + text_lines(9, 15, [11, 14, 17])
    + poly([(8.5, 2), (15.5, 2), (15.5, 6), (8.5, 6)], GREY),
    "help-about": [("circle", 12, 12, 10, INK), ("circle", 12, 12, 9, BLUE),
                   ("circle", 12, 7, 1.6, PAPER), ("rect", 10.6, 10, 2.8, 8, PAPER)],
    "kelvopad": page(3.5, 1.5, 20.5, 22.5, 5)
    + [("line", (9.5, 8), (6, 12), 1.6, BLUE), ("line", (6, 12), (9.5, 16), 1.6, BLUE),
       ("line", (14.5, 8), (18, 12), 1.6, BLUE), ("line", (18, 12), (14.5, 16), 1.6, BLUE),
       ("line", (13, 7), (11, 17), 1.6, RED)],
}

SIZES = {"kelvopad": (16, 24, 32, 48, 64)}
DESKTOP = os.path.join("..", "..", "..", "desktop")
DESKTOP_SIZES = (128, 256)


def rgb(color):
    return "#%02x%02x%02x" % color[:3]


def svg(shapes):
    """The shapes as an SVG document on the same 24-unit grid; lines have
    round ends, as the renderer's distance test draws them."""
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">']
    for shape in shapes:
        kind = shape[0]
        if kind == "poly":
            pts = " ".join("%g,%g" % p for p in shape[1])
            out.append('  <polygon points="%s" fill="%s"/>' % (pts, rgb(shape[2])))
        elif kind == "rect":
            _, x0, y0, w, h, c = shape
            out.append('  <rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>' % (x0, y0, w, h, rgb(c)))
        elif kind == "circle":
            _, cx, cy, r, c = shape
            out.append('  <circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx, cy, r, rgb(c)))
        elif kind == "ring":
            _, cx, cy, r, w, c = shape
            out.append('  <circle cx="%g" cy="%g" r="%g" fill="none" stroke="%s" stroke-width="%g"/>'
                       % (cx, cy, r, rgb(c), w))
        elif kind == "line":
            _, a, b, w, c = shape
            out.append('  <line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
                       'stroke-linecap="round"/>' % (a[0], a[1], b[0], b[1], rgb(c), w))
    out.append("</svg>")
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    files = []
    for name, shapes in ICONS.items():
        for size in SIZES.get(name, (16, 24)):
            path = "%s-%d.png" % (name, size)
            write_png(path, render(shapes, size), size)
            files.append(path)
    with open("icons.qrc", "w") as f:
        f.write("<RCC>\n  <qresource prefix=\"/icons\">\n")
        for path in files:
            f.write("    <file>%s</file>\n" % path)
        f.write("  </qresource>\n</RCC>\n")
    for size in DESKTOP_SIZES:
        write_png(os.path.join(DESKTOP, "kelvopad-%d.png" % size), render(ICONS["kelvopad"], size), size)
    with open(os.path.join(DESKTOP, "kelvopad.svg"), "w") as f:
        f.write(svg(ICONS["kelvopad"]))
