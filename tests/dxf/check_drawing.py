#!/usr/bin/python3
"""Checks a drawing written by the DXF update with ezdxf: it must load, pass ezdxf's audit
without errors or fixes, and hold the given layers, blocks and entity counts per layer.

usage: check_drawing.py DRAWING [--layer NAME] [--block NAME] [--count LAYER=N] ...
Prints what is wrong and exits with 1; exits with 77 when ezdxf cannot be imported.
"""
import sys

try:
    import ezdxf
except ImportError:
    sys.exit(77)


def main(argv):
    path, options = argv[0], argv[1:]
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # any load failure is a finding
        print(f"cannot load: {error}")
        return 1
    problems = []
    auditor = doc.audit()
    for entry in auditor.errors:
        problems.append(f"audit error: {entry.message}")
    for entry in auditor.fixes:
        problems.append(f"audit fix: {entry.message}")
    counts = {}
    for entity in doc.modelspace():
        layer = entity.dxf.layer.upper()
        counts[layer] = counts.get(layer, 0) + 1
    for flag, value in zip(options[::2], options[1::2]):
        if flag == "--layer" and value not in doc.layers:
            problems.append(f"layer {value} missing")
        elif flag == "--block" and value not in doc.blocks:
            problems.append(f"block {value} missing")
        elif flag == "--count":
            layer, expected = value.rsplit("=", 1)
            found = counts.get(layer.upper(), 0)
            if found != int(expected):
                problems.append(f"{found} entities on {layer}, expected {expected}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
