#!/usr/bin/env python3
"""Reads the alarm window's colours off screenshots of its client window.

  window_colours.py ringing SHOT     exit 0 once the hint line is drawn in its dark green
  window_colours.py compare LIGHT DARK
      prints, for each, the menu bar's and the content area's ground and the contrast of
      the layout's text colours on that ground; fails unless the dark shot's menu bar is
      dark (the desktop's theme was in force), both content grounds are the same, the
      black, dark-blue and dark-green text reach 4.5:1 (WCAG AA) and each is drawn in its
      own colour, "アラーム時刻" in black.

The content area is the bottom 281 x 179 of the client window, the menu bar above it;
boxes are the controls' rectangles in the content area.
"""
import collections
import subprocess
import sys

CONTENT_HEIGHT = 179
BLACK, DARK_BLUE, DARK_GREEN = (0x00, 0x00, 0x00), (0x00, 0x40, 0x80), (0x2B, 0x48, 0x07)
# name, colour, box (left, top, width, height) of a label drawn in that colour
TEXTS = [
    ("black", BLACK, (47, 62, 71, 20)),  # StaticText2, "アラーム時刻", left of the hour field
    ("dark blue", DARK_BLUE, (28, 40, 99, 20)),  # StaticText3, the status line
    ("dark green", DARK_GREEN, (2, 155, 277, 20)),  # StaticText_comment, the hint
]
AA = 4.5


def load(path):
    """The picture as rows of (r, g, b)."""
    ppm = subprocess.run(
        ["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True
    ).stdout
    magic, width, height, _, pixels = ppm.split(maxsplit=4)
    assert magic == b"P6", magic
    width, height = int(width), int(height)
    return [
        [tuple(pixels[(y * width + x) * 3 : (y * width + x) * 3 + 3]) for x in range(width)]
        for y in range(height)
    ]


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def hex_colour(rgb):
    return "#%02x%02x%02x" % rgb


class Shot:
    def __init__(self, path):
        rows = load(path)
        menu_height = len(rows) - CONTENT_HEIGHT
        assert menu_height > 0, f"{path}: {len(rows)} rows, no menu bar above the content"
        self.menu = rows[:menu_height]
        self.content = rows[menu_height:]

    def box(self, left, top, width, height):
        return [p for row in self.content[top : top + height] for p in row[left : left + width]]

    def draws(self, colour, box):
        return colour in self.box(*box)


def ground(rows):
    """The colour most pixels have."""
    return collections.Counter(p for row in rows for p in row).most_common(1)[0][0]


def ringing(path):
    return 0 if Shot(path).draws(DARK_GREEN, TEXTS[2][2]) else 1


def compare(light_path, dark_path):
    failures = []
    grounds = {}
    for theme, path in (("light", light_path), ("dark", dark_path)):
        shot = Shot(path)
        menu, content = ground(shot.menu), ground(shot.content)
        grounds[theme] = content
        ratios = ", ".join(f"{name} {contrast(c, content):.1f}:1" for name, c, _ in TEXTS)
        print(f"{theme}: menu bar {hex_colour(menu)}, content {hex_colour(content)}: {ratios}")
        if theme == "dark" and contrast(BLACK, menu) >= AA:
            failures.append(
                f"the dark theme did not reach Qt (qt6-gtk-platformtheme?): menu bar {hex_colour(menu)}"
            )
        for name, colour, box in TEXTS:
            if contrast(colour, content) < AA:
                failures.append(f"{theme}: {name} on {hex_colour(content)} is below {AA}:1")
            if not shot.draws(colour, box):
                failures.append(f"{theme}: no {name} ({hex_colour(colour)}) text in {box}")
        # "アラーム時刻" is black ink on a grey ground: neutral pixels only.
        tinted = [p for p in shot.box(*TEXTS[0][2]) if max(p) - min(p) > 8]
        if tinted:
            failures.append(f"{theme}: アラーム時刻 is not drawn in black: {tinted[:3]}")
    if grounds["light"] != grounds["dark"]:
        failures.append(f"content grounds differ: {grounds}")
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "ringing":
        sys.exit(ringing(sys.argv[2]))
    if len(sys.argv) == 4 and sys.argv[1] == "compare":
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    sys.exit(__doc__)
