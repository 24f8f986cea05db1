#!/usr/bin/env python3
"""Waits for an X window's mean brightness (0-255) to lie strictly between --above and --below.

Dumps the window (xwd, 24/32-bit ZPixmap) over and over in one process, so a busy machine spends
its time on the dumps rather than on starting Python, and prints the first brightness in range.
Exit code 1 when --seconds pass first, 3 when the window cannot be dumped (destroyed or unmapped).
"""
import argparse
import struct
import subprocess
import sys
import time

PAUSE = 0.05  # between dumps, so the game under test keeps most of the processor


def brightness(data):
    header_size, _version, _format, depth, width, height = struct.unpack(">6I", data[:24])
    bits_per_pixel, bytes_per_line = struct.unpack(">2I", data[44:52])
    ncolors = struct.unpack(">I", data[76:80])[0]
    step = bits_per_pixel // 8  # 24-bit pixels are packed in three bytes, 32-bit ones padded
    if depth < 24 or bits_per_pixel not in (24, 32) or bytes_per_line < step * width:
        sys.exit(f"unsupported dump: depth {depth}, {bits_per_pixel} bits per pixel")
    pixels = data[header_size + 12 * ncolors:]
    total = 0
    for y in range(height):
        row = pixels[y * bytes_per_line:y * bytes_per_line + width * step]
        # The three colour bytes of each pixel, whatever their order; a fourth is padding.
        total += sum(row) - (sum(row[3::4]) if step == 4 else 0)
    return round(total / (3 * width * height), 2)


def watch(args):
    deadline = time.monotonic() + args.seconds
    seen = []
    while True:
        dump = subprocess.run(["xwd", "-silent", "-id", args.window], capture_output=True)
        if dump.returncode != 0 or not dump.stdout:
            print(f"window {args.window} is gone", file=sys.stderr)
            return 3
        value = brightness(dump.stdout)
        if args.above < value < args.below:
            print(value)
            return 0
        seen.append(value)
        if time.monotonic() > deadline:
            print(f"brightness stayed outside ({args.above}, {args.below}) for {args.seconds} s:"
                  f" {len(seen)} dumps from {min(seen)} to {max(seen)}", file=sys.stderr)
            return 1
        time.sleep(PAUSE)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--window", required=True)
    parser.add_argument("--above", type=float, default=-1.0)
    parser.add_argument("--below", type=float, default=256.0)
    parser.add_argument("--seconds", type=float, default=60.0)
    return watch(parser.parse_args())


if __name__ == "__main__":
    sys.exit(main())
