#!/usr/bin/env python3
"""Draws the figures of Kelvor's manuals (docs/images/*.png) with ImageMagick's convert.

Run from anywhere: python3 docs/images/mkfigures.py. Each PNG stores the resolution at
which the manual builder prints it (220 dpi, the wide profile sketches 170 dpi).
Standard library only, plus the convert program.
"""

import math
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"
FONT_ITALIC = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf"
DPI = 220

BLUE = "#1f4e8c"
RED = "#b02020"
GREY = "#777777"
PLATE = "#c9d6e8"
STEEL = "#9aa9bd"


class Figure:
    def __init__(self, name, width, height, dpi=DPI):
        self.name = name
        self.dpi = dpi
        self.width = width
        self.height = height
        self.ops = []

    # -- primitives -------------------------------------------------------------------------
    def _style(self, stroke="black", fill="none", width=2.0, dash=None):
        self.ops += ["-stroke", stroke, "-fill", fill, "-strokewidth", str(width)]
        return "stroke-dasharray %s " % " ".join(map(str, dash)) if dash else ""

    def line(self, x1, y1, x2, y2, stroke="black", width=2.0, dash=None):
        d = self._style(stroke, "none", width, dash)
        self.ops += ["-draw", d + "line %g,%g %g,%g" % (x1, y1, x2, y2)]

    def rect(self, x1, y1, x2, y2, stroke="black", fill="none", width=2.0, dash=None):
        d = self._style(stroke, fill, width, dash)
        self.ops += ["-draw", d + "rectangle %g,%g %g,%g" % (x1, y1, x2, y2)]

    def poly(self, points, stroke="black", fill="none", width=2.0, dash=None):
        d = self._style(stroke, fill, width, dash)
        self.ops += ["-draw", d + "polygon " + " ".join("%g,%g" % p for p in points)]

    def polyline(self, points, stroke="black", width=2.0, dash=None):
        d = self._style(stroke, "none", width, dash)
        self.ops += ["-draw", d + "polyline " + " ".join("%g,%g" % p for p in points)]

    def circle(self, x, y, r, stroke="black", fill="black", width=1.0):
        d = self._style(stroke, fill, width)
        self.ops += ["-draw", d + "circle %g,%g %g,%g" % (x, y, x + r, y)]

    def text(self, x, y, s, size=24, color="black", anchor="w", italic=False):
        """Text with its baseline-centre ('c'), left ('w') or right ('e') end at x, y."""
        font = FONT_ITALIC if italic else FONT
        gravity = {"w": "NorthWest", "c": "North", "e": "NorthEast"}[anchor]
        # Place with gravity: offsets are measured from the gravity's edge.
        if anchor == "w":
            ox = x
        elif anchor == "c":
            ox = x - self.width / 2
        else:
            ox = self.width - x
        oy = y - size * 0.8
        self.ops += ["-stroke", "none", "-fill", color, "-font", font, "-pointsize", str(size),
                     "-gravity", gravity,
                     "-draw", "text %g,%g '%s'" % (ox, oy, s.replace("'", "\\'")),
                     "-gravity", "NorthWest"]

    def arrow(self, x1, y1, x2, y2, stroke="black", width=2.0, head=14, both=False):
        self.line(x1, y1, x2, y2, stroke, width)
        self._head(x1, y1, x2, y2, stroke, head)
        if both:
            self._head(x2, y2, x1, y1, stroke, head)

    def _head(self, x1, y1, x2, y2, stroke, head):
        a = math.atan2(y2 - y1, x2 - x1)
        p1 = (x2 - head * math.cos(a - 0.35), y2 - head * math.sin(a - 0.35))
        p2 = (x2 - head * math.cos(a + 0.35), y2 - head * math.sin(a + 0.35))
        self.poly([(x2, y2), p1, p2], stroke, stroke, 1)

    def dim(self, x1, y1, x2, y2, label, side=1, size=22, offset=10):
        """A dimension line with arrows at both ends and its label beside the middle."""
        self.arrow(x1, y1, x2, y2, "black", 1.5, head=11, both=True)
        mx, my = (x1 + x2) / 2, (y1 + y2) / 2
        if abs(y2 - y1) < abs(x2 - x1):  # horizontal: label above (side 1) or below
            self.text(mx, my - offset if side > 0 else my + size + offset, label, size, anchor="c",
                      italic=True)
        else:  # vertical: label right (side 1) or left
            if side > 0:
                self.text(mx + offset, my + size * 0.35, label, size, italic=True)
            else:
                self.text(mx - offset, my + size * 0.35, label, size, anchor="e", italic=True)

    def save(self):
        path = os.path.join(HERE, self.name)
        cmd = ["convert", "-size", "%dx%d" % (self.width, self.height), "xc:white",
               "-gravity", "NorthWest"] + self.ops + [
               "-units", "PixelsPerInch", "-density", str(self.dpi), "-strip",
               "-define", "png:exclude-chunks=date,time", path]
        subprocess.run(cmd, check=True)
        # -strip removes the resolution chunk; write it back.
        subprocess.run(["convert", path, "-units", "PixelsPerInch", "-density", str(self.dpi),
                        "-define", "png:exclude-chunks=date,time", path], check=True)
        print("wrote", path)


def panel():
    """Plan view of the panel: fields 1 and 2, edges A and B, ends A and C, corner points."""
    f = Figure("panel.png", 1180, 700)
    x0, x1 = 250, 900          # end A, end C (girders)
    ya, ys, yb = 150, 330, 510  # edge A, stiffener line, edge B
    f.rect(x0, ya, x1, yb, "black", "#eef3fa", 2)
    # neighbouring stiffeners at edges A and B, and the girders at the ends
    f.line(x0 - 60, ya, x1 + 200, ya, GREY, 4)
    f.line(x0 - 60, yb, x1 + 200, yb, GREY, 4)
    f.line(x0 - 60, ys, x1 + 200, ys, BLUE, 8)
    f.rect(x1, ya, x1 + 200, yb, GREY, "none", 1.5, dash=[10, 8])
    f.line(x0, ya - 70, x0, yb + 70, "black", 9)
    f.line(x1, ya - 70, x1, yb + 70, "black", 9)
    f.text(x1 + 100, ya - 48, "adjacent span L2", 21, GREY, anchor="c")
    f.text(x0, ya - 80, "girder (span Lg)", 21, anchor="c")
    f.text(x1, ya - 80, "girder", 21, anchor="c")
    f.text(x0 + 20, ys - 12, "stiffener (span L1)", 22, BLUE)
    f.text((x0 + x1) / 2, (ya + ys) / 2 + 10, "plate field 1", 26, anchor="c")
    f.text((x0 + x1) / 2, (ys + yb) / 2 + 10, "plate field 2", 26, anchor="c")
    f.text(x1 + 190, ya - 10, "edge A", 22, anchor="e")
    f.text(x1 + 190, yb + 30, "edge B", 22, anchor="e")
    f.text(x0 + 10, yb + 100, "end A", 22, anchor="c")
    f.text(x1, yb + 100, "end C", 22, anchor="c")
    # corner points of the plate yield check
    for (x, y, name, dx, dy) in [(x0, ya, "A", 14, 30), (x0, yb, "B", 14, -10),
                                 (x1, ya, "C", -32, 30), (x1, yb, "D", -32, -10)]:
        f.circle(x, y, 8, RED, RED)
        f.text(x + dx, y + dy, name, 26, RED)
    # dimensions
    f.line(x0 - 150, ya, x0 - 70, ya, GREY, 1)
    f.line(x0 - 150, ys, x0 - 70, ys, GREY, 1)
    f.line(x0 - 150, yb, x0 - 70, yb, GREY, 1)
    f.dim(x0 - 120, ya, x0 - 120, ys, "s1", side=-1)
    f.dim(x0 - 120, ys, x0 - 120, yb, "s2", side=-1)
    f.dim(x0, yb + 40, x1, yb + 40, "L1", side=-1, offset=4)
    # longitudinal stresses (compression shown) at edges A and B
    for y, lab in [(ya + 35, "σxA"), (yb - 35, "σxB")]:
        f.arrow(x1 + 60, y, x1 + 10, y, RED, 3)
        f.arrow(x0 - 60, y, x0 - 10, y, RED, 3)
        f.text(x1 + 66, y + 8, lab, 22, RED)
    # transverse stresses at ends A and C
    for x, lab in [(x0 + 90, "σyA"), (x1 - 90, "σyC")]:
        f.arrow(x, ya - 55, x, ya - 8, RED, 3)
        f.arrow(x, yb + 55, x, yb + 8, RED, 3)
        f.text(x + 10, ya - 30, lab, 22, RED)
    # axes
    ox, oy = 60, 660
    f.arrow(ox, oy, ox + 90, oy, "black", 2)
    f.arrow(ox, oy, ox, oy - 90, "black", 2)
    f.text(ox + 96, oy + 8, "x (along the stiffener)", 20)
    f.text(ox + 8, oy - 96, "across", 20)
    f.save()


def stress():
    """Longitudinal stress across the panel's width, and the strips of the stiffener's axial load."""
    f = Figure("stress.png", 1180, 590)
    xa, xs, xb = 170, 540, 910     # edge A, stiffener line, edge B
    y0 = 150                        # zero line; compression drawn downward
    scale = 2.4                     # px per MPa
    sa, sb = -120.0, -40.0          # example edge stresses
    ss = sa - (sa - sb) * 0.5
    def y(s):
        return y0 - s * scale
    # plate and stiffener
    f.rect(xa, 70, xb, 84, "black", PLATE, 1.5)
    f.rect(xs - 7, 30, xs + 7, 70, "black", STEEL, 1.5)
    f.text(xa, 58, "edge A", 21, anchor="c")
    f.text(xb, 58, "edge B", 21, anchor="c")
    f.text(xs + 14, 40, "stiffener", 21, BLUE)
    f.text((xa + xs) / 2, 112, "field 1", 22, anchor="c")
    f.text((xs + xb) / 2, 112, "field 2", 22, anchor="c")
    # stress diagram
    f.line(xa - 30, y0, xb + 30, y0, "black", 1.5)
    f.poly([(xa, y0), (xa, y(sa)), (xb, y(sb)), (xb, y0)], "none", "#f6dada", 0)
    f.line(xa, y(sa), xb, y(sb), RED, 3)
    for x in (xa, xs, xb):
        f.line(x, y0, x, 540, GREY, 1, dash=[6, 6])
    f.text(xa - 10, y(sa) + 8, "σxA", 24, RED, anchor="e")
    f.text(xb + 10, y(sb) + 8, "σxB", 24, RED)
    f.circle(xs, y(ss), 6, RED, RED)
    f.text(xs + 12, y(ss) + 30, "σx,stiff", 24, RED)
    # half strips next to the stiffener
    qa, qb = (xa + xs) / 2, (xs + xb) / 2
    ys1 = (sa + ss) / 2
    ys2 = (ss + sb) / 2
    m1 = (ys1 + ss) / 2
    m2 = (ss + ys2) / 2
    f.line(qa, y0, qa, y(ys1), BLUE, 1.5, dash=[4, 4])
    f.line(qb, y0, qb, y(ys2), BLUE, 1.5, dash=[4, 4])
    f.line(qa, y(m1), xs, y(m1), BLUE, 3)
    f.line(xs, y(m2), qb, y(m2), BLUE, 3)
    f.text(qa - 8, y(m1) + 4, "σ1", 24, BLUE, anchor="e")
    f.text(qb + 8, y(m2) + 4, "σ2", 24, BLUE)
    f.dim(qa, 485, xs, 485, "s1/2", side=1, offset=8)
    f.dim(xs, 485, qb, 485, "s2/2", side=1, offset=8)
    f.dim(xa, 530, xs, 530, "s1", side=-1, offset=6)
    f.dim(xs, 530, xb, 530, "s2", side=-1, offset=6)
    f.text(xb + 40, y0 - 10, "0", 22)
    f.text(xb + 40, y0 + 60, "compression", 20, GREY)
    f.text(xb + 40, y0 + 84, "(negative)", 20, GREY)
    f.arrow(xb + 100, y0 + 100, xb + 100, y0 + 160, GREY, 2)
    f.save()


def section():
    """A stiffener with its attached plate: dimensions, axes and distances."""
    f = Figure("section.png", 1180, 700)
    cx = 560                  # web centreline
    k = 2.2                   # px per mm
    H, B, tw, tf, t, b = 220, 130, 10, 16, 20, 360
    ytop_plate = 560          # plate's upper face
    ybot = ytop_plate + t * k
    ytop = ytop_plate - H * k
    # plate strip
    f.rect(cx - b / 2 * k, ytop_plate, cx + b / 2 * k, ybot, "black", PLATE, 2)
    # web and flange (T)
    f.rect(cx - tw / 2 * k, ytop + tf * k, cx + tw / 2 * k, ytop_plate, "black", STEEL, 2)
    f.rect(cx - B / 2 * k, ytop, cx + B / 2 * k, ytop + tf * k, "black", STEEL, 2)
    # plate mid-plane
    ymid = (ytop_plate + ybot) / 2
    f.line(cx - b / 2 * k - 40, ymid, cx + b / 2 * k + 40, ymid, GREY, 1.5, dash=[12, 6, 3, 6])
    f.text(cx + b / 2 * k + 50, ymid + 8, "plate mid-plane", 20, GREY)
    # neutral axis of the section with plate
    zp = 58  # illustrative, mm above the mid-plane
    yna = ymid - zp * k
    f.line(cx - b / 2 * k - 40, yna, cx + b / 2 * k + 40, yna, RED, 2, dash=[16, 8])
    f.text(cx + b / 2 * k + 50, yna + 8, "neutral axis", 20, RED)
    # profile-alone centroid
    zc = 150
    yzc = ytop_plate - zc * k
    f.line(cx - 90, yzc, cx + 90, yzc, BLUE, 1.5, dash=[8, 6])
    f.circle(cx, yzc, 6, BLUE, BLUE)
    f.text(cx + 100, yzc + 8, "centroid of the profile alone", 20, BLUE)
    # dimensions: H, tf, hw on the left
    xl = cx - B / 2 * k - 70
    f.line(xl - 10, ytop, cx - B / 2 * k - 5, ytop, GREY, 1)
    f.line(xl - 10, ytop_plate, cx - tw / 2 * k - 5, ytop_plate, GREY, 1)
    f.dim(xl, ytop, xl, ytop_plate, "H", side=-1)
    f.dim(xl + 45, ytop + tf * k, xl + 45, ytop_plate, "hw", side=1)
    f.line(xl + 35, ytop + tf * k, cx - tw / 2 * k - 5, ytop + tf * k, GREY, 1)
    f.text(cx + B / 2 * k + 8, ytop + tf * k - 4, "tf", 22, italic=True)
    f.dim(cx - B / 2 * k, ytop - 30, cx + B / 2 * k, ytop - 30, "B")
    f.text(cx + tw / 2 * k + 8, ytop + 120, "tw", 22, italic=True)
    # right side: zc, zp, zTop
    xr = cx + B / 2 * k + 20
    f.dim(cx + 60, ytop_plate, cx + 60, yzc, "zc", side=1)
    f.line(xr - 10, ytop, xr + 250, ytop, GREY, 1)
    f.dim(xr + 230, yna, xr + 230, ytop, "zTop", side=1)
    f.dim(xr + 230, ymid, xr + 230, yna, "zp", side=1)
    # plate dimensions
    f.dim(cx - b / 2 * k, ybot + 40, cx + b / 2 * k, ybot + 40, "attached breadth se, sw, be or bg", side=-1, offset=6)
    f.text(cx - b / 2 * k - 8, ybot - 6, "t", 22, anchor="e", italic=True)
    # axes from the plate surface
    ox, oy = cx - b / 2 * k + 50, ytop_plate
    f.arrow(ox, oy, ox, oy - 110, "black", 2)
    f.arrow(ox, oy, ox + 80, oy, "black", 2)
    f.text(ox - 10, oy - 112, "z", 24, anchor="e", italic=True)
    f.text(ox + 84, oy - 6, "y", 24, italic=True)
    f.text(cx - b / 2 * k - 10, oy + 4, "plate surface", 18, anchor="e")
    f.save()


def families():
    """Sketches of the profile families with their family codes."""
    f = Figure("profiles.png", 1180, 380, dpi=170)
    base = 230

    def plate(x, w=140):
        f.rect(x - w / 2, base, x + w / 2, base + 12, "black", PLATE, 1.5)

    def label(x, code, name):
        f.text(x, base + 72, name, 21, anchor="c")
        f.text(x, base + 98, code, 19, GREY, anchor="c")

    H, B, tw, tf = 160, 80, 10, 14
    top = base - H
    # L
    x = 95
    plate(x)
    f.poly([(x - tw / 2, base), (x + tw / 2, base), (x + tw / 2, top + tf), (x - tw / 2 + B, top + tf),
            (x - tw / 2 + B, top), (x - tw / 2, top)], "black", STEEL, 1.5)
    f.dim(x - 40, top, x - 40, base, "H", side=-1, size=19, offset=6)
    f.dim(x - tw / 2, top - 18, x - tw / 2 + B, top - 18, "B", size=19, offset=4)
    label(x, "codes 0, 1", "L")
    # T
    x = 265
    plate(x)
    f.poly([(x - tw / 2, base), (x + tw / 2, base), (x + tw / 2, top + tf), (x + B / 2, top + tf),
            (x + B / 2, top), (x - B / 2, top), (x - B / 2, top + tf), (x - tw / 2, top + tf)],
           "black", STEEL, 1.5)
    f.text(x + B / 2 + 6, top + tf, "tf", 19, italic=True)
    f.text(x + tw / 2 + 4, base - 50, "tw", 19, italic=True)
    label(x, "codes 2, 3", "T")
    # flat bar
    x = 420
    plate(x, 110)
    f.rect(x - tw / 2, top, x + tw / 2, base, "black", STEEL, 1.5)
    f.dim(x - 30, top, x - 30, base, "H", side=-1, size=19, offset=6)
    label(x, "codes 4, 5", "flat bar")
    # bulb flat, with its equivalent angle dashed
    x = 565
    plate(x)
    c, r = 30, 16
    x0 = x - tw / 2
    pts = [(x0, base), (x0, top), (x0 + tw + c - r, top), (x0 + tw + c - 0.3 * r, top + 0.3 * r),
           (x0 + tw + c, top + r), (x0 + tw + c - 0.3 * r, top + 1.7 * r),
           (x0 + tw, top + 1.7 * r + 0.58 * (c - 0.3 * r)), (x0 + tw, base)]
    f.poly(pts, "black", STEEL, 1.5)
    Be = c + tw - 0.45 * r
    f.rect(x0, top, x0 + Be, top + 20, RED, "none", 1.5, dash=[5, 4])
    f.text(x0 + Be + 10, top + 12, "equivalent", 17, RED)
    f.text(x0 + Be + 10, top + 32, "angle", 17, RED)
    label(x, "code 6", "bulb flat")
    # RHS
    x = 730
    plate(x)
    f.rect(x - B / 2, top, x + B / 2, base, "black", STEEL, 1.5)
    f.rect(x - B / 2 + tw, top + tw, x + B / 2 - tw, base - tw, "black", "white", 1.5)
    label(x, "code 7", "RHS")
    # trapezoid
    x = 905
    plate(x, 170)
    bo = 25
    outer = [(x - B / 2 - bo, base), (x - B / 2, top), (x + B / 2, top), (x + B / 2 + bo, base)]
    inner = [(x + B / 2 + bo - tw * 1.2, base), (x + B / 2 - tw * 0.9, top + tw),
             (x - B / 2 + tw * 0.9, top + tw), (x - B / 2 - bo + tw * 1.2, base)]
    f.poly(outer + inner, "black", STEEL, 1.5)
    f.line(x + B / 2, top, x + B / 2, base + 40, GREY, 1, dash=[4, 4])
    f.line(x + B / 2 + bo, base + 12, x + B / 2 + bo, base + 40, GREY, 1)
    f.arrow(x + B / 2, base + 32, x + B / 2 + bo, base + 32, "black", 1.5, head=8, both=True)
    f.text(x + B / 2 + bo + 6, base + 40, "b", 19, italic=True)
    f.dim(x - B / 2, top - 18, x + B / 2, top - 18, "B", size=19, offset=4)
    label(x, "code 8", "trapezoid")
    # I
    x = 1085
    plate(x, 130)
    f.rect(x - B / 2, base - tf, x + B / 2, base, "black", STEEL, 1.5)
    f.rect(x - tw / 2, top + tf, x + tw / 2, base - tf, "black", STEEL, 1.5)
    f.rect(x - B / 2, top, x + B / 2, top + tf, "black", STEEL, 1.5)
    label(x, "code 9", "I")
    f.text(590, 370, "H: from the plate surface to the top of the profile; tw: web (or wall) thickness; tf: flange thickness",
           18, GREY, anchor="c")
    f.save()


if __name__ == "__main__":
    panel()
    stress()
    section()
    families()
