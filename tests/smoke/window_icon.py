#!/usr/bin/env python3
"""Checks a window's icon against an .ico file. Reads the window's _NET_WM_ICON as xprop prints
it in 32-bit cardinals (xprop -notype -f _NET_WM_ICON 32c _NET_WM_ICON) from stdin: width,
height, then ARGB pixels, for each size the window offers. Succeeds when one of them equals the
.ico's picture of that size pixel for pixel (clear pixels compared by alpha only).
Usage: window_icon.py ICON.ico"""
import re
import struct
import sys


def ico_pictures(path):
    data = open(path, "rb").read()
    count = struct.unpack("<H", data[4:6])[0]
    pictures = {}
    for i in range(count):
        entry = data[6 + 16 * i:22 + 16 * i]
        width = entry[0] or 256
        offset = struct.unpack("<I", entry[12:16])[0]
        header = struct.unpack("<I", data[offset:offset + 4])[0]
        rows = data[offset + header:offset + header + width * width * 4]
        pixels = []
        for y in range(width - 1, -1, -1):  # bottom-up
            pixels += struct.unpack(f"<{width}I", rows[y * width * 4:(y + 1) * width * 4])
        pictures[width] = pixels
    return pictures


def same(a, b):
    return a == b or (a >> 24 == 0 and b >> 24 == 0)


numbers = [int(n) for n in re.findall(r"\d+", sys.stdin.read().split("=", 1)[-1])]
expected = ico_pictures(sys.argv[1])
offered, at = [], 0
while at + 2 <= len(numbers):
    width, height = numbers[at], numbers[at + 1]
    pixels = numbers[at + 2:at + 2 + width * height]
    at += 2 + width * height
    offered.append(f"{width}x{height}")
    if width == height and width in expected and len(pixels) == width * width:
        wrong = sum(not same(a, b) for a, b in zip(pixels, expected[width]))
        if wrong == 0:
            print(f"window icon: the {width}x{width} picture equals the icon file's")
            sys.exit(0)
        print(f"window icon: the {width}x{width} picture differs in {wrong} pixels")
sys.exit(f"window icon: no size matches the icon file (offered: {', '.join(offered) or 'none'})")
