#!/usr/bin/env python3
"""Draws the demo product's three bitmaps as 24-bit BMP files.

Wizard.bmp (155 x 310) fills the left of the welcome and finish pages,
Header.bmp (500 x 60) is the band behind every other page's title, and
Background.bmp (640 x 480) is stretched over the screen in the full-screen
style. Pure Python, so the pictures come out byte for byte the same on every
machine. Usage: tools/make-demo-art.py [output folder, default examples/demo]
"""
import os
import struct
import sys


def blend(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def new_image(width, height, colour_at):
    return [[colour_at(x, y) for x in range(width)] for y in range(height)]


def inside(polygon, x, y):
    """Even-odd test of the pixel centre against a polygon."""
    px, py = x + 0.5, y + 0.5
    result = False
    j = len(polygon) - 1
    for i in range(len(polygon)):
        xi, yi = polygon[i]
        xj, yj = polygon[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def fill(image, polygon, colour, alpha=1.0):
    xs = [p[0] for p in polygon]
    ys = [p[1] for p in polygon]
    for y in range(max(0, int(min(ys))), min(len(image), int(max(ys)) + 1)):
        for x in range(max(0, int(min(xs))), min(len(image[0]), int(max(xs)) + 1)):
            if inside(polygon, x, y):
                image[y][x] = blend(image[y][x], colour, alpha)


def draw_package(image, cx, top, size, alpha=1.0):
    """A closed box seen from above-left: lid, left side, right side."""
    half = size / 2.0
    quarter = size / 4.0
    lid = [(cx, top), (cx + half, top + quarter), (cx, top + 2 * quarter), (cx - half, top + quarter)]
    left = [(cx - half, top + quarter), (cx, top + 2 * quarter), (cx, top + 2 * quarter + half),
            (cx - half, top + quarter + half)]
    right = [(cx + half, top + quarter), (cx, top + 2 * quarter), (cx, top + 2 * quarter + half),
             (cx + half, top + quarter + half)]
    fill(image, lid, (250, 214, 120), alpha)
    fill(image, left, (214, 160, 64), alpha)
    fill(image, right, (180, 124, 40), alpha)
    # The tape across the lid and down the front edge.
    tape = [(cx - 0.12 * size, top + 0.06 * size), (cx + 0.38 * size, top + 0.31 * size),
            (cx + 0.26 * size, top + 0.37 * size), (cx - 0.24 * size, top + 0.12 * size)]
    fill(image, tape, (236, 236, 236), alpha * 0.8)


def write_bmp(path, image):
    height = len(image)
    width = len(image[0])
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):  # BMP rows run bottom-up
        row = bytearray()
        for r, g, b in image[y]:
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        pixels += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


def wizard_image():
    top, bottom = (22, 52, 120), (24, 128, 140)
    image = new_image(155, 310, lambda x, y: blend(top, bottom, y / 309.0))
    for k in range(6):  # faint diagonal stripes near the bottom
        offset = 190 + k * 22
        fill(image, [(0, offset), (155, offset - 60), (155, offset - 52), (0, offset + 8)],
             (255, 255, 255), 0.06)
    draw_package(image, 77, 70, 84)
    return image


def header_image():
    left, right = (255, 255, 255), (206, 224, 246)
    image = new_image(500, 60, lambda x, y: blend(left, right, max(0.0, (x - 250) / 249.0)))
    draw_package(image, 466, 8, 40)
    return image


def background_image():
    top, bottom = (16, 40, 96), (4, 8, 24)
    image = new_image(640, 480, lambda x, y: blend(top, bottom, (x / 639.0 + y / 479.0) / 2.0))
    draw_package(image, 496, 264, 208, 0.12)
    return image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'examples', 'demo')
    write_bmp(os.path.join(folder, 'Wizard.bmp'), wizard_image())
    write_bmp(os.path.join(folder, 'Header.bmp'), header_image())
    write_bmp(os.path.join(folder, 'Background.bmp'), background_image())


if __name__ == '__main__':
    main()
