#!/usr/bin/env python3
"""Compares two whole pictures of the title, background included (8-bit RGB or RGBA PNG files).
The background cannot be compared pixel by pixel: its colour and the angles of its turning
layers come from the C runtime's rand() seeded with the time, so no two starts draw the same one.
What does not change from start to start is compared instead: at every moment one channel of the
background's colour is at full strength (the blend runs between colours that share a bright
channel), so the brightest channel of each pixel, the additive sum of the layers' glow, has the
same spread whatever the colour. Prints, for the pixels away from the text (rows where neither
picture has a channel at 192 or above, and a few rows around), the mean and the 50th, 90th and
99th percentiles of that channel in both pictures, and the largest difference with the picture
whose value is the higher. Fails when the mean or the 99th percentile differs by more than a
quarter (Wine's own D3DX, which blended the glow layers by alpha instead of adding them, drew
the background markedly darker and flatter).
Usage: compare_title.py OURS.png THEIRS.png [NAME]"""
import sys

from compare_white_text import read_rgb, text_lines


def text_pixels(path):
    """The pixels of the white and the red text: no glow of the background comes near 192."""
    width, _height, rows, step = read_rgb(path)
    return {(x, y) for y, line in enumerate(rows) for x in range(width)
            if max(line[x * step:x * step + 3]) >= 192}


def brightest_channel(path, text_rows):
    width, height, rows, step = read_rgb(path)
    values = sorted(
        max(line[x * step:x * step + 3]) for y, line in enumerate(rows) if y not in text_rows
        for x in range(width))
    return (width, height), values


def figures(values):
    def percentile(p):
        return values[min(len(values) - 1, len(values) * p // 100)]

    return {"mean": sum(values) / len(values), "p50": percentile(50), "p90": percentile(90),
            "p99": percentile(99)}


def main():
    ours_path, theirs_path = sys.argv[1], sys.argv[2]
    name = sys.argv[3] if len(sys.argv) > 3 else "theirs"
    text_rows = set()
    for path in (ours_path, theirs_path):
        for top, bottom in text_lines(text_pixels(path)):
            text_rows.update(range(top - 4, bottom + 5))  # and the glyphs' soft edges
    size1, ours = brightest_channel(ours_path, text_rows)
    size2, theirs = brightest_channel(theirs_path, text_rows)
    if size1 != size2 or not ours:
        sys.exit(f"sizes differ or no background rows: ours {size1}, {name} {size2}")
    a, b = figures(ours), figures(theirs)
    print(f"background's brightest channel over {len(ours)} pixels away from the text:")
    for key in a:
        print(f"  {key}: ours {a[key]:.1f}, {name} {b[key]:.1f}")
    key = max(a, key=lambda k: abs(a[k] - b[k]))
    whose = "ours" if a[key] > b[key] else name
    print(f"  largest difference: {key}, {abs(a[key] - b[key]):.1f} levels, {whose} the higher",
          flush=True)
    off = [k for k in ("mean", "p99") if abs(a[k] - b[k]) > max(a[k], b[k]) / 4]
    if off:
        sys.exit(f"the background differs by more than a quarter in {', '.join(off)}")


if __name__ == "__main__":
    main()
