#!/usr/bin/env python3
"""The gradient caption bar as its rules describe it, for checking pictures
of real windows (the Qt window on Linux, the Win32 window under Wine).

The model knows nothing of the program's code: given the bar's width and
height and the start and stop colours of the gradient, it gives the colour
every pixel of the bar must have, dithered, banded or stretched.

    caption_model.py check PICTURE --start RRGGBB --stop RRGGBB
                     [--text-width N] [--right-margin N]

PICTURE is an X window dump (xwd) or a binary PPM of a window with the bar
at its top. The bar is found as the widest run of rows that match the model
at some small inset from the window's corner (the frame's width, the same
on both sides); the columns of the caption text (the first N) and of the
buttons (the last N) are not compared. Exit status 0 when the bar is found
and every compared pixel matches.
"""
import argparse
import struct
import sys
from fractions import Fraction

# A 0 draws the previous gradient colour, a 1 leaves the new one.
GENTLE_MASK = [
    "000000000000000000000001001001010101010101011011011111111111111111111",
    "000000000000001001010100100100100101010101101101101010101011011111111",
    "000000000001000000000010001010010100101010101010111011111111111011111",
    "000000000000001001010001010001010010101010110111010110101010111111101",
    "000000000100000000001000001010010101010101010101011101111111101110111",
    "000000000000100101000101010001010101010110101101101011011011111111111",
    "000000000000000000010000100101001010101010110110111111101110111011111",
    "000000000010001001000101001001010010101010101011010101111011101111111",
    "000000000000000000010000100100101010101010110101101110101111111111111",
    "000000000001001010000100010010010100101011011010110101111101111101110",
    "000000001000000000100010100101001010101010101111011111010111011111111",
    "000000000000010010001000010010100101010101010010110101111101110111111",
    "000000000001000000100101001001010101010101101101011011010111111110111",
    "000000000000000100000000100100101001010101010111101110111111011111111",
    "000000000000010000101010010010010101010101011010110111101101111011111",
    "000000000100000010000001001001001010101010101011011010111111101111110",
    "000000000000100000101010010101010010101011011101101111010101111111011",
    "000000000000001000000001000010010101010101100110110101111111111101111",
    "000000000010000010101000101001010100101010111010101110110110101111111",
    "000000000000001000000100010100100101010101001011011011011111111111111",
    "000000000000100001000010100010010101010101101101101101110101110111111",
    "000000000100000000010100010101010010101010110110110111011111011110111",
    "000000000000001010000001000010010101010101010101011101110111111111111",
    "000000000001000000101010010101001010101010101101101011011101110111111",
    "000000000000001000000001001000101010101011010110111110111111011111101",
    "000000000100000010101000100101010010010101011011010101101011111101111",
    "000000000000100000000101001001001010101010101101101111111110111111111",
    "000000000000001001010000100100101010101011010101011010101111101111111",
    "000000000010000000000100010010100101010101011011101111110101111101111",
    "000000000000001001010010100100101010101010101101011010111111110111110",
]
STEEP_MASK = [
    "00000000101010",
    "00010101011111",
    "00000010101011",
    "00010101011111",
    "00000000101010",
    "00010101010111",
    "00000010101011",
    "00000101011111",
    "00000000101010",
    "00010101011111",
    "00000010101011",
    "00000101011111",
    "00000000101010",
    "00010101011111",
    "00000010101011",
    "00000101010111",
    "00000000101010",
    "00010101011111",
    "00000010101011",
    "00000101011111",
    "00000000101010",
    "00010101011111",
    "00000010101011",
    "00000101011111",
    "00000000101010",
    "00010101010111",
    "00000010101010",
    "00000101011111",
]


def mul_div(a, b, n):
    """a * b / n rounded to the nearest integer, halves away from zero."""
    value = Fraction(a * b, n)
    magnitude = int(abs(value) + Fraction(1, 2))
    return magnitude if value >= 0 else -magnitude


def color_table(start, stop, colors):
    steps = [(e - s) / (colors - 1) for s, e in zip(start, stop)]
    return [tuple(min(max(s + round(j * d), 0), 255) for s, d in zip(start, steps))
            for j in range(colors)]


def bar_pixels(width, height, start, stop, colors=64, dither=True):
    """The bar's pixels, rows of (r, g, b), on a screen without a palette."""
    diff = sum(abs(e - s) for s, e in zip(start, stop))
    mask = GENTLE_MASK if 7 * diff < 5 * width else STEEP_MASK
    mask_width, mask_height = len(mask[0]), len(mask)
    if dither and width >= 2 * mask_width:
        bar = [[start] * width for _ in range(height)]
        steps = width // mask_width + 1
        rest = width % mask_width
        x, previous = 0, start
        for k in range(1, steps + 1):
            new = tuple(min(max(s + mul_div(k, e - s, steps - 1), 0), 255)
                        for s, e in zip(start, stop))
            for y in range(height):
                row = bar[y]
                row[x:] = [new] * (width - x) if x < width else []
                for dx in range(mask_width):
                    if x + dx < width and mask[y % mask_height][dx] == "0":
                        row[x + dx] = previous
            x += mask_width
            if rest:
                x += rest // (steps - 2) + (1 if rest % (steps - 2) > k else 0)
            previous = new
        return bar
    table = color_table(start, stop, colors)
    if colors > width:
        band = width / colors
        row = [None] * width
        for i in range(colors):
            for x in range(round(i * band), round((i + 1) * band)):
                row[x] = table[i]
    else:
        row = [table[x * (colors - 1) // width] for x in range(width)]
    return [list(row) for _ in range(height)]


def read_picture(path):
    """(width, height, rows of (r, g, b)) of an xwd dump or a binary PPM."""
    data = open(path, "rb").read()
    if data.startswith(b"P6"):
        fields, position = [], 2
        while len(fields) < 3:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position)
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(int(data[position:end]))
            position = end
        width, height, _ = fields
        pixels = data[position + 1:]
        return width, height, [[tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])
                                for x in range(width)] for y in range(height)]
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, line_bytes = header[7], header[11], header[12]
    red_mask, green_mask, blue_mask, colormap_entries = header[14], header[15], header[16], header[19]
    if bits_per_pixel not in (24, 32):
        sys.exit(f"{path}: {bits_per_pixel} bits per pixel, expected 24 or 32")
    pixels = data[header_size + 12 * colormap_entries:]
    size = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"

    def channel(value, mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    rows = []
    for y in range(height):
        line = pixels[y * line_bytes:y * line_bytes + size * width]
        values = [int.from_bytes(line[size * x:size * x + size], order) for x in range(width)]
        rows.append([(channel(v, red_mask), channel(v, green_mask), channel(v, blue_mask))
                     for v in values])
    return width, height, rows


def matching_rows(picture, model, inset_x, inset_y, first, last):
    """How many rows from inset_y down match the model's rows."""
    width, height, rows = picture
    bar_width = width - 2 * inset_x
    matched = 0
    while inset_y + matched < height and matched < len(model):
        expected, actual = model[matched], rows[inset_y + matched]
        if any(actual[inset_x + x] != expected[x] for x in range(first, bar_width - last)):
            break
        matched += 1
    return matched


# The frame around the bar is narrower, the bar lower than these.
MAX_INSET = 12
MAX_BAR_HEIGHT = 64


def check(path, start, stop, text_width, right_margin, min_height):
    picture = read_picture(path)
    best = (0, 0, 0)
    for inset_x in range(0, MAX_INSET):
        bar_width = picture[0] - 2 * inset_x
        if bar_width - right_margin <= text_width:
            continue
        model = bar_pixels(bar_width, MAX_BAR_HEIGHT, start, stop)
        for inset_y in range(0, MAX_INSET):
            rows = matching_rows(picture, model, inset_x, inset_y, text_width, right_margin)
            best = max(best, (rows, inset_x, inset_y))
    rows, inset_x, inset_y = best
    bar_width = picture[0] - 2 * inset_x
    print(f"{path}: bar {bar_width} wide at ({inset_x}, {inset_y}) matches the model "
          f"in {rows} rows (columns {text_width} to {bar_width - right_margin})")
    if rows < min_height:
        width, height, pixels = picture
        model = bar_pixels(bar_width, 1, start, stop)[0]
        seen = pixels[inset_y][inset_x:inset_x + bar_width]
        for x in range(text_width, bar_width - right_margin):
            if seen[x] != model[x]:
                print(f"  first difference in the top row at x = {x}: "
                      f"{seen[x]}, the model has {model[x]}")
                break
        return False
    return True


def color(text):
    value = int(text.lstrip("#"), 16)
    return (value >> 16, (value >> 8) & 0xFF, value & 0xFF)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=["check"])
    parser.add_argument("picture")
    parser.add_argument("--start", type=color, required=True)
    parser.add_argument("--stop", type=color, required=True)
    parser.add_argument("--text-width", type=int, default=0)
    parser.add_argument("--right-margin", type=int, default=0)
    parser.add_argument("--min-height", type=int, default=12)
    arguments = parser.parse_args()
    ok = check(arguments.picture, arguments.start, arguments.stop, arguments.text_width,
               arguments.right_margin, arguments.min_height)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
