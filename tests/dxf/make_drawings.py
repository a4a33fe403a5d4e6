#!/usr/bin/python3
"""Writes the DXF drawings the import and update tests read, into tests/data/dxf.

Run with the system python, which has ezdxf:  /usr/bin/python3 tests/dxf/make_drawings.py
The drawings are committed, so the tests do not need python to build.
"""
import os
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "dxf")

ELEVATION = 120.0           # ceiling pipes, inches
MAIN_X = [0.0, 120.0, 240.0, 360.0]
LINE_Y = [0.0, 120.0, 240.0]


def add_layers(doc):
    for name, colour in [("P-MAIN", 1), ("P-LINE", 3), ("HEADS", 2), ("P-SIZE", 7), ("WALLS", 8)]:
        doc.layers.add(name, color=colour)


def add_head_block(doc):
    block = doc.blocks.new(name="SPRK")
    block.add_circle((0, 0), radius=3)
    # Block geometry on a pipe layer must never become pipes.
    block.add_line((-3, 0), (3, 0), dxfattribs={"layer": "P-LINE"})
    block.add_line((0, -3), (0, 3), dxfattribs={"layer": "P-LINE"})
    doc.blocks.new(name="VALVE").add_circle((0, 0), radius=2)


def add_tree(doc, main_as):
    """A small tree: a riser, a three-pipe main and three branch lines of two heads each."""
    msp = doc.modelspace()
    msp.add_line((0, 0, 0), (0, 0, ELEVATION), dxfattribs={"layer": "P-MAIN"})
    main_points = [(x, 0) for x in MAIN_X]
    if main_as == "lwpolyline":
        msp.add_lwpolyline(main_points, dxfattribs={"layer": "P-MAIN", "elevation": ELEVATION})
    else:
        msp.add_polyline2d(main_points, dxfattribs={"layer": "P-MAIN", "elevation": (0, 0, ELEVATION)})
    for x in MAIN_X[1:]:
        for y0, y1 in zip(LINE_Y, LINE_Y[1:]):
            # Drawn away from the main on one line, towards it on another: the import turns them.
            start, end = ((x, y1, ELEVATION), (x, y0, ELEVATION)) if x == 240 else ((x, y0, ELEVATION), (x, y1, ELEVATION))
            msp.add_line(start, end, dxfattribs={"layer": "P-LINE"})
        for y in LINE_Y[1:]:
            msp.add_blockref("SPRK", (x, y, ELEVATION), dxfattribs={"layer": "HEADS"})
    msp.add_blockref("VALVE", (0, 0, 0), dxfattribs={"layer": "HEADS"})

    sizes = msp.add_text  # short alias
    sizes("2", dxfattribs={"layer": "P-SIZE", "insert": (-8, -8), "height": 4})
    for x0, x1 in zip(MAIN_X, MAIN_X[1:]):
        sizes("2 1/2", dxfattribs={"layer": "P-SIZE", "insert": ((x0 + x1) / 2, 8), "height": 4})
    for x in MAIN_X[1:]:
        first, second = ("1 1/4", "1") if x != 360 else ("1-1/4", "1")
        sizes(first, dxfattribs={"layer": "P-SIZE", "insert": (x + 8, 60), "height": 4, "rotation": 90})
        sizes(second, dxfattribs={"layer": "P-SIZE", "insert": (x + 8, 180), "height": 4, "rotation": 90})
    # Things on other layers that the import must leave alone.
    walls = [(-60, -60), (480, -60), (480, 300), (-60, 300)]
    if main_as == "lwpolyline":
        msp.add_lwpolyline(walls, close=True, dxfattribs={"layer": "WALLS"})
    else:
        msp.add_polyline2d(walls, close=True, dxfattribs={"layer": "WALLS"})
    msp.add_text("ROOM 101", dxfattribs={"layer": "WALLS", "insert": (200, 280), "height": 8})
    msp.add_line((500, 0), (600, 0), dxfattribs={"layer": "WALLS"})


def make_tree(version, name, main_as):
    doc = ezdxf.new(version)
    doc.header["$INSUNITS"] = 1
    doc.header["$TEXTSIZE"] = 6.0
    add_layers(doc)
    add_head_block(doc)
    add_tree(doc, main_as)
    path = os.path.join(OUT, name)
    doc.saveas(path)
    return path


def with_crlf(path):
    """Drawings saved on Windows end their lines with CR LF."""
    with open(path, "rb") as f:
        text = f.read()
    with open(path, "wb") as f:
        f.write(text.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))


def make_polylines():
    """A closed and an open lightweight polyline of four vertices each."""
    doc = ezdxf.new("R2000")
    add_layers(doc)
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (100, 0), (100, 100), (0, 100)], close=True, dxfattribs={"layer": "P-MAIN"})
    msp.add_lwpolyline([(300, 0), (400, 0), (400, 100), (300, 100)], dxfattribs={"layer": "P-LINE"})
    doc.saveas(os.path.join(OUT, "polylines_r2000.dxf"))


def make_damaged(tree_path):
    with open(tree_path, "rb") as f:
        text = f.read()
    with open(os.path.join(OUT, "truncated.dxf"), "wb") as f:
        f.write(text[: len(text) * 2 // 3])
    lines = text.split(b"\n")
    entities = lines.index(b"ENTITIES\r") if b"ENTITIES\r" in lines else lines.index(b"ENTITIES")
    lines[entities + 3] = b"abc"  # a group code line inside the first entity
    with open(os.path.join(OUT, "bad_group_code.dxf"), "wb") as f:
        f.write(b"\n".join(lines))
    doc = ezdxf.readfile(tree_path)
    doc.saveas(os.path.join(OUT, "binary.dxf"), fmt="bin")


def main():
    os.makedirs(OUT, exist_ok=True)
    tree = make_tree("R2000", "tree_r2000.dxf", "lwpolyline")
    with_crlf(make_tree("R12", "tree_r12.dxf", "polyline"))
    make_polylines()
    make_damaged(tree)
    return 0


if __name__ == "__main__":
    sys.exit(main())
