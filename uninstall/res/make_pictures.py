#!/usr/bin/python3
"""Draws the uninstaller's PNG pictures and its icon into png/ beside this script.

Run with Debian's interpreter (it has PIL): /usr/bin/python3 make_pictures.py
Sizes and state-frame layouts are fixed by the skin table (skins.xml); every picture
is drawn at four times its size and reduced, which gives smooth edges.
"""
import math
import os

from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "png")
SCALE = 4

ACCENT = (38, 132, 255)
ACCENT_HOVER = (70, 152, 255)
ACCENT_PRESSED = (24, 104, 214)
NIGHT_TOP = (33, 47, 74)
NIGHT_BOTTOM = (24, 32, 52)


def canvas(w, h):
    return Image.new("RGBA", (w * SCALE, h * SCALE), (0, 0, 0, 0))


def reduce(img, w, h):
    return img.resize((w, h), Image.LANCZOS)


def vertical_gradient(w, h, top, bottom, alpha=255):
    img = Image.new("RGBA", (w, h))
    px = img.load()
    for y in range(h):
        t = y / max(1, h - 1)
        c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        for x in range(w):
            px[x, y] = c + (alpha,)
    return img


def blend_over(img, draw):
    """Draws with `draw(ImageDraw)` on a layer of its own and blends it over `img`
    (ImageDraw alone would replace the pixels below, translucency included)."""
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    draw(ImageDraw.Draw(layer))
    img.alpha_composite(layer)
    return img


def rounded_mask(w, h, radius):
    mask = Image.new("L", (w * SCALE, h * SCALE), 0)
    ImageDraw.Draw(mask).rounded_rectangle(
        (0, 0, w * SCALE - 1, h * SCALE - 1), radius * SCALE, fill=255)
    return reduce(mask, w, h)


def frame_border():
    """70x70 nine-cell frame: a soft shadow 10 px wide around a dark rounded panel."""
    w = h = 70
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    shadow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shadow).rounded_rectangle((8, 9, 61, 62), 8, fill=120)
    shadow = shadow.filter(ImageFilter.GaussianBlur(4))
    img.paste((8, 12, 24, 255), (0, 0), shadow)
    panel = rounded_mask(50, 50, 6)
    img.paste(NIGHT_BOTTOM + (255,), (10, 10), panel)
    return img


def background(w, h, top, bottom, glow):
    """Calm panel: a vertical gradient, a faint light from the top left, a thin rim."""
    img = vertical_gradient(w, h, top, bottom)
    light = Image.new("L", (w, h), 0)
    ImageDraw.Draw(light).ellipse((-w // 2, -h, w, h // 2), fill=glow)
    light = light.filter(ImageFilter.GaussianBlur(min(w, h) // 5))
    img = Image.composite(Image.new("RGBA", (w, h), (90, 130, 200, 255)), img,
                          light.point(lambda v: v // 4))
    rim = canvas(w, h)
    ImageDraw.Draw(rim).rounded_rectangle(
        (SCALE, SCALE, w * SCALE - SCALE - 1, h * SCALE - SCALE - 1), 6 * SCALE,
        outline=(255, 255, 255, 28), width=SCALE)
    img.alpha_composite(reduce(rim, w, h))
    img.putalpha(rounded_mask(w, h, 6))
    return img


def button_strip(fill_colours, outline, w=40, h=30):
    """Three state frames (normal, hover, pressed) of a pill button, side by side."""
    strip = Image.new("RGBA", (w * 3, h), (0, 0, 0, 0))
    for i, fill in enumerate(fill_colours):
        frame = canvas(w, h)
        ImageDraw.Draw(frame).rounded_rectangle(
            (SCALE, SCALE, w * SCALE - SCALE - 1, h * SCALE - SCALE - 1), 13 * SCALE,
            fill=fill, outline=outline, width=SCALE)
        if i < 2:  # a soft highlight on the upper half of the raised states
            frame = blend_over(frame, lambda d: d.rounded_rectangle(
                (3 * SCALE, 2 * SCALE, w * SCALE - 3 * SCALE, h * SCALE // 2), 11 * SCALE,
                fill=(255, 255, 255, 22)))
        strip.alpha_composite(reduce(frame, w, h), (i * w, 0))
    return strip


def check_box():
    """Four 16x16 frames: unchecked, unchecked hovered, checked, checked hovered."""
    strip = Image.new("RGBA", (64, 16), (0, 0, 0, 0))
    looks = [((255, 255, 255, 30), (255, 255, 255, 150), False),
             ((255, 255, 255, 60), (255, 255, 255, 230), False),
             (ACCENT + (255,), ACCENT + (255,), True),
             (ACCENT_HOVER + (255,), ACCENT_HOVER + (255,), True)]
    for i, (fill, rim, checked) in enumerate(looks):
        frame = canvas(16, 16)
        d = ImageDraw.Draw(frame)
        d.rounded_rectangle((SCALE, SCALE, 15 * SCALE - 1, 15 * SCALE - 1), 3 * SCALE,
                            fill=fill, outline=rim, width=SCALE)
        if checked:
            d.line([(4 * SCALE, 8 * SCALE), (7 * SCALE, 11 * SCALE), (12 * SCALE, 5 * SCALE)],
                   fill=(255, 255, 255, 255), width=2 * SCALE, joint="curve")
        strip.alpha_composite(reduce(frame, 16, 16), (i * 16, 0))
    return strip


def close_button():
    """Two 30x30 frames: a light cross, and the cross on a red disc while hovered."""
    strip = Image.new("RGBA", (60, 30), (0, 0, 0, 0))
    for i in range(2):
        frame = canvas(30, 30)
        d = ImageDraw.Draw(frame)
        if i == 1:
            d.ellipse((5 * SCALE, 5 * SCALE, 25 * SCALE, 25 * SCALE), fill=(232, 72, 72, 255))
        colour = (255, 255, 255, 255) if i else (255, 255, 255, 170)
        a, b = 11 * SCALE, 19 * SCALE
        d.line([(a, a), (b, b)], fill=colour, width=2 * SCALE)
        d.line([(a, b), (b, a)], fill=colour, width=2 * SCALE)
        strip.alpha_composite(reduce(frame, 30, 30), (i * 30, 0))
    return strip


def notice_icon(size=66):
    """A round amber badge with an exclamation mark and a soft glow."""
    img = canvas(size, size)
    s = SCALE
    ImageDraw.Draw(img).ellipse((3 * s, 3 * s, (size - 3) * s, (size - 3) * s),
                                fill=(255, 176, 32, 70))
    img = blend_over(img, lambda d: d.ellipse((6 * s, 6 * s, (size - 6) * s, (size - 6) * s),
                                              fill=(255, 184, 48, 255)))
    img = blend_over(img, lambda d: d.ellipse((10 * s, 8 * s, (size - 10) * s, (size // 2) * s),
                                              fill=(255, 255, 255, 40)))
    d = ImageDraw.Draw(img)
    cx = size * s // 2
    d.rounded_rectangle((cx - 3 * s, 17 * s, cx + 3 * s, 40 * s), 3 * s, fill=(255, 255, 255, 255))
    d.ellipse((cx - 4 * s, 44 * s, cx + 4 * s, 52 * s), fill=(255, 255, 255, 255))
    return reduce(img, size, size)


def bar(colour):
    """10x4 three-cell strip with rounded 4-pixel caps."""
    img = canvas(10, 4)
    ImageDraw.Draw(img).rounded_rectangle((0, 0, 10 * SCALE - 1, 4 * SCALE - 1), 2 * SCALE,
                                          fill=colour)
    return reduce(img, 10, 4)


def program_icon():
    img = canvas(64, 64)
    d = ImageDraw.Draw(img)
    s = SCALE
    d.rounded_rectangle((2 * s, 2 * s, 62 * s, 62 * s), 14 * s, fill=ACCENT + (255,))
    # a bin: lid, handle and body with three ribs
    d.rounded_rectangle((16 * s, 18 * s, 48 * s, 22 * s), 2 * s, fill=(255, 255, 255, 255))
    d.rounded_rectangle((27 * s, 13 * s, 37 * s, 19 * s), 2 * s, outline=(255, 255, 255, 255),
                        width=2 * s)
    d.rounded_rectangle((19 * s, 24 * s, 45 * s, 52 * s), 3 * s, fill=(255, 255, 255, 255))
    for x in (26, 32, 38):
        d.line([(x * s, 29 * s), (x * s, 47 * s)], fill=ACCENT + (255,), width=2 * s)
    return reduce(img, 64, 64)


def main():
    os.makedirs(OUT, exist_ok=True)
    pictures = {
        1000: frame_border(),
        1999: background(600, 370, (30, 58, 92), NIGHT_BOTTOM, 180),
        2000: background(400, 260, NIGHT_TOP, NIGHT_BOTTOM, 140),
        2001: button_strip([ACCENT + (255,), ACCENT_HOVER + (255,), ACCENT_PRESSED + (255,)],
                           (255, 255, 255, 40)),
        2002: button_strip([(240, 243, 248, 255), (255, 255, 255, 255), (214, 220, 230, 255)],
                           (255, 255, 255, 90)),
        2003: check_box(),
        2004: close_button(),
        2006: notice_icon(),
        2008: bar(ACCENT_HOVER + (255,)),
        2009: bar((255, 255, 255, 46)),
    }
    for number, picture in pictures.items():
        picture.save(os.path.join(OUT, f"{number}.png"), optimize=True)
    program_icon().save(os.path.join(OUT, "101.ico"), sizes=[(16, 16), (32, 32), (48, 48), (64, 64)])


if __name__ == "__main__":
    main()
