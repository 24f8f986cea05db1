#!/usr/bin/env python3
"""Writes an X window dump (xwd, 24/32-bit ZPixmap, read from stdin) as an RGB PNG file."""
import struct
import sys
import zlib

data = sys.stdin.buffer.read()
header_size, _version, _format, depth, width, height = struct.unpack(">6I", data[:24])
byte_order = struct.unpack(">I", data[28:32])[0]
bits_per_pixel, bytes_per_line = struct.unpack(">2I", data[44:52])
red_mask = struct.unpack(">I", data[56:60])[0]
ncolors = struct.unpack(">I", data[76:80])[0]
step = bits_per_pixel // 8
if depth < 24 or bits_per_pixel not in (24, 32) or bytes_per_line < step * width:
    sys.exit(f"unsupported dump: depth {depth}, {bits_per_pixel} bits per pixel")
pixels = data[header_size + 12 * ncolors:]
# Pixel bytes in memory order: least significant first for LSBFirst (0) dumps.
red_first = (red_mask == 0xFF0000) == (byte_order == 1)
raw = bytearray()
for y in range(height):
    row = pixels[y * bytes_per_line:y * bytes_per_line + width * step]
    raw.append(0)
    for x in range(0, width * step, step):
        b0, b1, b2 = row[x], row[x + 1], row[x + 2]
        if step == 4 and byte_order == 1:
            b0, b1, b2 = row[x + 1], row[x + 2], row[x + 3]
        raw += bytes((b0, b1, b2) if red_first else (b2, b1, b0))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


with open(sys.argv[1], "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n")
    out.write(chunk(b"IHDR", struct.pack(">2I5B", width, height, 8, 2, 0, 0, 0)))
    out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 6)))
    out.write(chunk(b"IEND", b""))
