#!/usr/bin/env python3
"""Compares the opaque white text of two pictures of the title (8-bit RGB or RGBA PNG files),
which the moving background never reaches, twice: the pixels that are exactly white, and the
text's footprint, the pixels whose red and blue are at least 128 (a glyph's edge pixel counts
when it is mostly glyph, so soft and hard edges give the same shape; green is left out, as a
magenta-tinted edge lacks it). Prints, per line of text,
where each picture has it and how many pixels only one of them has. Fails when a line that both
pictures show differs in footprint. Usage: compare_white_text.py OURS.png THEIRS.png [NAME]"""
import struct
import sys
import zlib


def read_rgb(path):
    """Width, height and the rows of an 8-bit RGB or RGBA PNG file, with the bytes per pixel."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG file")
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _c, _f, interlace = struct.unpack(">2I5B", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f"{path}: only 8-bit RGB or RGBA without interlace is read")
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up, corner = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, rows, step


def read_png(path):
    width, height, rows, step = read_rgb(path)
    white, footprint = set(), set()
    for y, line in enumerate(rows):
        for x in range(width):
            pixel = line[x * step:x * step + 3]
            if pixel == b"\xff\xff\xff":
                white.add((x, y))
            if pixel[0] >= 128 and pixel[2] >= 128:
                footprint.add((x, y))
    return width, height, white, footprint


def text_lines(pixels):
    """Bands of rows holding white pixels, separated by empty rows."""
    rows = sorted({y for _x, y in pixels})
    bands = []
    for y in rows:
        if bands and y == bands[-1][1] + 1:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    return bands


def box(pixels):
    if not pixels:
        return "none"
    xs, ys = [x for x, _ in pixels], [y for _, y in pixels]
    return f"x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}"


def compare(label, ours, theirs, name):
    """Prints the comparison per line of text; true when every line both show is the same."""
    print(f"{label}: ours {len(ours)} pixels, {name} {len(theirs)}, in both {len(ours & theirs)}")
    same = True
    for top, bottom in text_lines(ours | theirs):
        a = {p for p in ours if top <= p[1] <= bottom}
        b = {p for p in theirs if top <= p[1] <= bottom}
        verdict = "same" if a == b else f"{len(a - b)} only ours, {len(b - a)} only {name}"
        print(f"  rows {top}..{bottom}: ours {box(a)}; {name} {box(b)}: {verdict}")
        same = same and (a == b or not a or not b)
    return same


def main():
    ours_path, theirs_path = sys.argv[1], sys.argv[2]
    name = sys.argv[3] if len(sys.argv) > 3 else "theirs"
    w1, h1, ours_white, ours_shape = read_png(ours_path)
    w2, h2, theirs_white, theirs_shape = read_png(theirs_path)
    if (w1, h1) != (w2, h2):
        sys.exit(f"sizes differ: ours {w1}x{h1}, {name} {w2}x{h2}")
    compare("exactly white", ours_white, theirs_white, name)
    sys.exit(0 if compare("footprint", ours_shape, theirs_shape, name) else 1)


if __name__ == "__main__":
    main()
