#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer it may not use.

Usage: check_layers.py SRC_DIR LAYER:USED,USED ...
Each argument names a layer (a folder of SRC_DIR) and the layers below it
that it uses directly; what those use is allowed too.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/')


def allowed_layers(arrows):
    uses = {}
    for arrow in arrows:
        layer, _, used = arrow.partition(":")
        uses[layer] = [u for u in used.split(",") if u]
    reach = {}

    def walk(layer):
        if layer not in reach:
            reach[layer] = {layer}
            for used in uses[layer]:
                reach[layer] |= walk(used)
        return reach[layer]

    for layer in uses:
        walk(layer)
    return reach


def main():
    src, arrows = sys.argv[1], sys.argv[2:]
    reach = allowed_layers(arrows)
    faults = []
    for layer in reach:
        for folder, _, files in os.walk(os.path.join(src, layer)):
            for name in files:
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if m and m.group(1) in reach and m.group(1) not in reach[layer]:
                            faults.append("%s:%d: %s may not include %s/" % (path, number, layer, m.group(1)))
    for fault in faults:
        print(fault)
    print("%d include%s against the layers" % (len(faults), "" if len(faults) == 1 else "s"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
