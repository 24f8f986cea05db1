#!/usr/bin/env python3
"""Mean brightness (0-255) of an X window dump (xwd, 24/32-bit ZPixmap) read from stdin."""
import struct
import sys

data = sys.stdin.buffer.read()
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
print(round(total / (3 * width * height), 2))
