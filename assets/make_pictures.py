#!/usr/bin/env python3
"""Draws the two pictures of the information window as 24-bit uncompressed
BMP files: nav3.bmp (a coil-winding machine) and info.bmp (an information
sign). Standard library only; the generated files are kept in the tree so the
build does not need Python.

    python3 assets/make_pictures.py [output folder]
"""
import math
import os
import struct
import sys

WIDTH = 320
HEIGHT = 264


class Canvas:
    """An RGB raster with the origin at the top left."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.px = [[background] * width for _ in range(height)]

    def dot(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = color

    def rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = color

    def frame(self, x0, y0, x1, y1, color, width=1):
        self.rect(x0, y0, x1, y0 + width, color)
        self.rect(x0, y1 - width, x1, y1, color)
        self.rect(x0, y0, x0 + width, y1, color)
        self.rect(x1 - width, y0, x1, y1, color)

    def ellipse(self, cx, cy, rx, ry, color):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                dx = (x + 0.5 - cx) / rx
                dy = (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.dot(x, y, color)

    def polygon(self, points, color):
        """Even-odd fill, sampled at pixel centres."""
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            yc = y + 0.5
            xs = []
            for i, (xa, ya) in enumerate(points):
                xb, yb = points[(i + 1) % len(points)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self.dot(x, y, color)

    def line(self, x0, y0, x1, y1, color, width=1.0):
        """A line of the given width as a filled quadrilateral."""
        dx, dy = x1 - x0, y1 - y0
        n = math.hypot(dx, dy) or 1.0
        ox, oy = -dy / n * width / 2.0, dx / n * width / 2.0
        self.polygon([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)], color)

    def save_bmp(self, path):
        row_size = (self.width * 3 + 3) // 4 * 4
        image_size = row_size * self.height
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, image_size, 2835, 2835, 0, 0)
        out = bytearray(header + info)
        pad = b"\0" * (row_size - self.width * 3)
        for y in range(self.height - 1, -1, -1):  # bottom-up rows
            for r, g, b in self.px[y]:
                out += bytes((b, g, r))
            out += pad
        with open(path, "wb") as f:
            f.write(out)


def machine():
    """Base, headstock with spindle and bobbin, tailstock, the wire guide on
    its traverse, and the wire spool feeding it."""
    c = Canvas(WIDTH, HEIGHT, (226, 232, 240))
    steel = (120, 130, 140)
    dark = (60, 66, 74)
    body = (70, 110, 160)
    copper = (196, 110, 40)
    copper_dark = (150, 80, 25)
    black = (20, 20, 20)
    # Floor and base.
    c.rect(0, 236, WIDTH, HEIGHT, (180, 186, 194))
    c.rect(20, 200, 300, 236, body)
    c.frame(20, 200, 300, 236, dark, 2)
    c.rect(36, 210, 120, 226, (90, 135, 190))  # control panel strip
    for i in range(4):
        c.ellipse(48 + i * 20, 218, 5, 5, (230, 200, 40) if i == 0 else (220, 60, 50) if i == 3 else (240, 240, 240))
    # Headstock.
    c.rect(28, 96, 92, 200, body)
    c.frame(28, 96, 92, 200, dark, 2)
    c.ellipse(60, 128, 14, 14, steel)
    c.ellipse(60, 128, 6, 6, dark)
    # Tailstock.
    c.rect(252, 118, 288, 200, body)
    c.frame(252, 118, 288, 200, dark, 2)
    # Spindle through the bobbin to the tailstock centre.
    c.rect(92, 122, 252, 134, steel)
    c.rect(92, 122, 252, 124, (170, 178, 186))
    # Bobbin: two flanges and the wound wire between them.
    c.rect(128, 92, 138, 164, (235, 235, 225))
    c.frame(128, 92, 138, 164, dark)
    c.rect(206, 92, 216, 164, (235, 235, 225))
    c.frame(206, 92, 216, 164, dark)
    c.rect(138, 104, 206, 152, copper)
    for x in range(140, 206, 4):
        c.line(x, 104, x + 2, 152, copper_dark, 1.0)
    # Traverse: a rail below the bobbin and the guide carriage on it.
    c.rect(100, 180, 244, 188, dark)
    c.rect(100, 178, 244, 180, steel)
    c.rect(160, 166, 190, 180, (230, 120, 30))
    c.frame(160, 166, 190, 180, black)
    c.rect(172, 160, 178, 166, steel)  # guide arm
    c.ellipse(175, 160, 5, 4, dark)  # guide eye
    # Wire spool on its stand at the top right.
    c.rect(262, 40, 268, 118, steel)  # stand
    c.rect(236, 20, 296, 28, dark)  # upper flange
    c.rect(236, 62, 296, 70, dark)  # lower flange
    c.rect(242, 28, 290, 62, copper)
    for y in range(30, 62, 4):
        c.line(242, y, 290, y + 2, copper_dark, 1.0)
    # Tension pulley between bobbin and tailstock, and the wire's path:
    # spool - pulley - guide eye - bobbin.
    c.ellipse(234, 146, 8, 8, steel)
    c.ellipse(234, 146, 2, 2, dark)
    c.line(244, 50, 241, 146, copper, 1.5)
    c.line(234, 154, 178, 159, copper, 1.5)
    c.line(175, 157, 175, 151, copper, 1.5)
    return c


def info():
    """A round information sign: a white "i" on a blue disc."""
    c = Canvas(WIDTH, HEIGHT, (240, 244, 250))
    cx, cy, r = WIDTH / 2, HEIGHT / 2, 110
    c.ellipse(cx, cy, r + 6, r + 6, (0, 0, 128))
    c.ellipse(cx, cy, r, r, (30, 90, 200))
    white = (255, 255, 255)
    c.ellipse(cx, cy - 58, 17, 17, white)  # the dot
    c.rect(int(cx - 14), int(cy - 28), int(cx + 14), int(cy + 66), white)  # the stem
    c.rect(int(cx - 30), int(cy - 28), int(cx + 14), int(cy - 16), white)  # top serif
    c.rect(int(cx - 32), int(cy + 58), int(cx + 32), int(cy + 70), white)  # foot
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    machine().save_bmp(os.path.join(out, "nav3.bmp"))
    info().save_bmp(os.path.join(out, "info.bmp"))


if __name__ == "__main__":
    main()
