#!/usr/bin/python3
"""Checks the window's pictures in assets/pictures/: format, sizes, palettes,
the shape mask's corner pixels and the loading strip's frames.

    /usr/bin/python3 tools/check_pictures.py [DIR]

Prints one line per fault and exits with 1 when there is any.
"""

import os
import sys

from PIL import Image

EXPECTED = {"mask": (640, 480), "background": (640, 480), "loading": (100, 9)}
for name in ("settings", "minimize", "exit"):
    for state in ("normal", "hover"):
        EXPECTED[f"{name}_{state}"] = (17, 17)
for name in ("new", "open", "save", "copyback", "back"):
    for state in ("normal", "hover"):
        EXPECTED[f"{name}_{state}"] = (29, 28)
for name in ("make_replace", "apply_replace", "rewrite"):
    for state in ("normal", "hover", "pressed"):
        EXPECTED[f"{name}_{state}"] = (80, 30)

MASK_INSETS = (5, 3, 2, 1, 1)


def colour_table_size(data):
    """Entries of the global colour table from the GIF header (0 when absent)."""
    packed = data[10]
    return 2 ** ((packed & 7) + 1) if packed & 0x80 else 0


def check(folder):
    faults = []
    for name, size in sorted(EXPECTED.items()):
        path = os.path.join(folder, name + ".gif")
        if not os.path.exists(path):
            faults.append(f"{name}.gif: missing")
            continue
        with open(path, "rb") as f:
            data = f.read()
        if data[:6] != b"GIF89a":
            faults.append(f"{name}.gif: not GIF89a ({data[:6]!r})")
        image = Image.open(path)
        if image.size != size:
            faults.append(f"{name}.gif: size {image.size}, expected {size}")
        if name == "background" and colour_table_size(data) != 128:
            faults.append(f"background.gif: {colour_table_size(data)} palette entries, expected 128")
        if name == "loading":
            if getattr(image, "n_frames", 1) != 13:
                faults.append(f"loading.gif: {getattr(image, 'n_frames', 1)} frames, expected 13")
            if "loop" not in image.info:
                faults.append("loading.gif: does not loop")
        if name == "mask":
            faults += check_mask(image, data)
    return faults


def check_mask(image, data):
    faults = []
    if colour_table_size(data) != 4:
        faults.append(f"mask.gif: {colour_table_size(data)} palette entries, expected 4")
    if bytes(data[13:16]) != b"\xff\x00\xff":
        faults.append("mask.gif: first palette entry is not 0xFF00FF")
    rgb = image.convert("RGB")
    width, height = rgb.size
    pixels = rgb.load()
    keys = 0
    for y in range(height):
        distance = min(y, height - 1 - y)
        inset = MASK_INSETS[distance] if distance < len(MASK_INSETS) else 0
        row = [pixels[x, y] == (255, 0, 255) for x in range(width)]
        keys += sum(row)
        expected = [x < inset or x >= width - inset for x in range(width)]
        if row != expected:
            faults.append(f"mask.gif: row {y} is not one run from {inset} to {width - 1 - inset}")
    if keys != 48:
        faults.append(f"mask.gif: {keys} key pixels, expected 48")
    return faults


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets", "pictures")
    faults = check(folder)
    for fault in faults:
        print(fault)
    if not faults:
        print(f"{len(EXPECTED)} pictures OK")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
