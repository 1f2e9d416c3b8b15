#!/usr/bin/python3
"""Draws the main window's pictures (GIF89a) into assets/pictures/.

The window is 640 x 480 and frameless: the background carries the title area,
the tool bar row, the frame around the tab control and the panels at the bottom;
the picture buttons are drawn over the very background pixels they sit on, so
their edges blend in.  Everything is computed, so running the script again
reproduces the same files byte for byte.

    /usr/bin/python3 tools/draw_pictures.py [--out DIR] [--preview PNG]

--preview writes a composite (background, shape mask, every button in its normal
state at its place, plus rows of the hover and pressed states) for a look.
"""

import argparse
import math
import os

from PIL import Image, ImageDraw, ImageFont

WIDTH, HEIGHT = 640, 480
SS = 4  # supersampling factor for anti-aliased shapes
FONT_DIR = "/usr/share/fonts/opentype/noto"
SC_FACE = 2  # index of "Noto Sans CJK SC" inside the .ttc collections

# Palette of the theme.
TEAL_DARK = (16, 102, 86)
TEAL = (28, 138, 113)
AMBER = (240, 178, 60)
AMBER_DARK = (190, 128, 28)

TITLE_BOTTOM = 34  # first row below the title area
TOOLBAR_BOTTOM = 75  # the tool bar's bottom border row

# Places of the controls (left, top, width, height) in window coordinates.
TITLE_BUTTONS = {"settings": (545, 12), "minimize": (575, 12), "exit": (603, 12)}
TOOL_BUTTONS = {
    "new": (19, 39),
    "open": (56, 39),
    "save": (96, 39),
    "copyback": (136, 39),
    "back": (176, 39),
}
GROUP_BOX = (16, 416, 504, 52)
BIG_BUTTONS = {
    "make_replace": ((GROUP_BOX[0] + 8, GROUP_BOX[1] + 13), "制作替换", False),
    "apply_replace": ((GROUP_BOX[0] + 96, GROUP_BOX[1] + 13), "替换内容", False),
    "rewrite": ((535, 429), "生成伪原创", True),
}
TAB_CONTROL = (16, 80, 608, 333)
LOADING = (264, 248, 100, 9)
MASK_INSETS = (5, 3, 2, 1, 1)  # pixels cut at each side, outermost row first


def font(bold, size):
    name = "NotoSansCJK-Bold.ttc" if bold else "NotoSansCJK-Regular.ttc"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size, index=SC_FACE)


def mix(a, b, t):
    """Colour between a and b; t runs from 0 (a) to 1 (b)."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def with_alpha(colour, alpha):
    return tuple(colour[:3]) + (alpha,)


def vertical_gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    rows = max(1, y1 - y0)
    for y in range(y0, y1 + 1):
        draw.line([(x0, y), (x1, y)], fill=mix(top, bottom, (y - y0) / rows))


def supersampled(width, height, paint):
    """An anti-aliased RGBA layer: paint(draw, s) draws at s times the size."""
    big = Image.new("RGBA", (width * SS, height * SS), (0, 0, 0, 0))
    paint(ImageDraw.Draw(big), SS)
    return big.resize((width, height), Image.BOX)


def rounded_gradient(width, height, radius, top, bottom, outline=None, inset=0.0):
    """A rounded rectangle filling the layer, filled with a vertical gradient."""
    shape = supersampled(
        width,
        height,
        lambda d, s: d.rounded_rectangle(
            [inset * s, inset * s, (width - inset) * s - 1, (height - inset) * s - 1],
            radius=radius * s,
            fill=(255, 255, 255, 255),
        ),
    )
    fill = Image.new("RGBA", (width, height))
    vertical_gradient(ImageDraw.Draw(fill), (0, 0, width - 1, height - 1), top, bottom)
    fill.putalpha(shape.getchannel("A"))
    if outline is not None:
        ring = supersampled(
            width,
            height,
            lambda d, s: d.rounded_rectangle(
                [inset * s, inset * s, (width - inset) * s - 1, (height - inset) * s - 1],
                radius=radius * s,
                outline=with_alpha(outline, 255),
                width=s,
            ),
        )
        fill = Image.alpha_composite(fill, ring)
    return fill


def mask_inset(y):
    """Pixels cut from each side of row y by the window's shape."""
    distance = min(y, HEIGHT - 1 - y)
    return MASK_INSETS[distance] if distance < len(MASK_INSETS) else 0


def inside_window(x, y):
    return 0 <= y < HEIGHT and mask_inset(y) <= x < WIDTH - mask_inset(y)


# ---------------------------------------------------------------- shape mask


def draw_mask():
    mask = Image.new("P", (WIDTH, HEIGHT), 1)
    palette = [255, 0, 255, 0, 0, 0, 255, 255, 255, 128, 128, 128]
    mask.putpalette(palette)
    pixels = mask.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if not inside_window(x, y):
                pixels[x, y] = 0
    return mask


# ---------------------------------------------------------------- background


def draw_logo(size):
    """The emblem: the character 禾 (young grain) on a light rounded badge."""
    badge = rounded_gradient(size, size, 6, (252, 255, 253), (206, 238, 224), outline=(12, 86, 70))
    d = ImageDraw.Draw(badge)
    d.text((size / 2, size / 2 + 0.5), "禾", font=font(True, 16), fill=TEAL_DARK + (255,), anchor="mm")
    return badge


def draw_background():
    bg = Image.new("RGBA", (WIDTH, HEIGHT), (0, 0, 0, 255))
    d = ImageDraw.Draw(bg)
    # body
    vertical_gradient(d, (0, TOOLBAR_BOTTOM, WIDTH - 1, HEIGHT - 1), (238, 245, 242), (226, 236, 232))
    # title area
    vertical_gradient(d, (0, 0, WIDTH - 1, TITLE_BOTTOM - 1), (36, 150, 122), (22, 120, 99))
    d.line([(0, 0), (WIDTH - 1, 0)], fill=(70, 176, 148))
    # tool bar row
    vertical_gradient(d, (0, TITLE_BOTTOM, WIDTH - 1, TOOLBAR_BOTTOM - 1), (250, 253, 252), (232, 243, 238))
    d.line([(0, TITLE_BOTTOM), (WIDTH - 1, TITLE_BOTTOM)], fill=(255, 255, 255))
    d.line([(0, TOOLBAR_BOTTOM), (WIDTH - 1, TOOLBAR_BOTTOM)], fill=(196, 218, 209))
    # tool bar groups: separator between the file buttons and the pane buttons
    sep_x = 130
    d.line([(sep_x, 43), (sep_x, 63)], fill=(200, 220, 212))
    d.line([(sep_x + 1, 43), (sep_x + 1, 63)], fill=(255, 255, 255))

    # caption and emblem
    bg.alpha_composite(draw_logo(22), (12, 6))
    caption_font = font(True, 16)
    d.text((42, 17), "青禾文章改写器", font=caption_font, fill=(12, 70, 58), anchor="lm")
    d.text((41, 16), "青禾文章改写器", font=caption_font, fill=(255, 255, 255), anchor="lm")
    caption_end = 42 + int(caption_font.getlength("青禾文章改写器"))
    d.text((caption_end + 10, 18), "文章伪原创  ·  同义词替换  ·  繁简转换",
           font=font(False, 11), fill=(178, 226, 208), anchor="lm")

    # frame around the tab control: soft shadow, then a rounded border
    tx, ty, tw, th = TAB_CONTROL
    shadow = rounded_gradient(tw + 6, th + 6, 6, (208, 224, 217), (200, 218, 210))
    shadow.putalpha(shadow.getchannel("A").point(lambda v: v * 90 // 255))
    bg.alpha_composite(shadow, (tx - 3, ty - 2))
    frame = rounded_gradient(tw + 2, th + 2, 4, (255, 255, 255), (255, 255, 255), outline=(170, 200, 188))
    bg.alpha_composite(frame, (tx - 1, ty - 1))

    # panel behind the option group and the panel behind the main button
    gx, gy, gw, gh = GROUP_BOX
    panel = rounded_gradient(gw, gh, 5, (252, 254, 253), (240, 247, 244), outline=(186, 210, 200))
    bg.alpha_composite(panel, (gx, gy))
    main_panel = rounded_gradient(WIDTH - 16 - (gx + gw + 7), gh, 5, (252, 254, 253), (240, 247, 244),
                                  outline=(186, 210, 200))
    bg.alpha_composite(main_panel, (gx + gw + 7, gy))

    # the window's edge follows the shape mask exactly
    pixels = bg.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if not inside_window(x, y):
                pixels[x, y] = (14, 84, 70, 255) if y < TITLE_BOTTOM else (150, 180, 169, 255)
                continue
            edge = any(not inside_window(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                pixels[x, y] = (14, 84, 70, 255) if y < TITLE_BOTTOM else (150, 180, 169, 255)

    indexed = bg.convert("RGB").quantize(colors=128, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    indexed.putpalette(indexed.getpalette()[: 128 * 3])  # exactly 128 entries
    return indexed


# ---------------------------------------------------------------- exact palettes


def to_palette(image):
    """Converts an RGB picture to a palette picture, exactly when it has at most
    256 colours, otherwise by median cut."""
    colours = image.getcolors(256)
    if colours is None:
        return image.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    ordered = sorted(c for _, c in colours)
    index = {c: i for i, c in enumerate(ordered)}
    out = Image.new("P", image.size)
    out.putpalette([v for c in ordered for v in c])
    out.putdata([index[c] for c in image.getdata()])
    return out


# ---------------------------------------------------------------- title buttons


def gear(d, s, size, colour):
    cx = cy = size * s / 2
    outer, inner, hole = 6.6 * s, 4.9 * s, 2.1 * s
    points = []
    teeth = 8
    for i in range(teeth):
        a = i * 2 * math.pi / teeth
        for offset, r in ((-0.30, inner), (-0.17, outer), (0.17, outer), (0.30, inner)):
            points.append((cx + r * math.cos(a + offset), cy + r * math.sin(a + offset)))
    d.polygon(points, fill=colour)
    d.ellipse([cx - inner, cy - inner, cx + inner, cy + inner], fill=colour)
    d.ellipse([cx - hole, cy - hole, cx + hole, cy + hole], fill=(0, 0, 0, 0))


def title_button(base, kind, hover):
    size = 17

    def paint(d, s):
        if hover:
            back = (226, 80, 64, 255) if kind == "exit" else (255, 255, 255, 56)
            d.rounded_rectangle([0, 0, size * s - 1, size * s - 1], radius=4 * s, fill=back)
        glyph = (255, 255, 255, 255) if hover else (236, 248, 243, 235)
        if kind == "settings":
            gear(d, s, size, glyph)
        elif kind == "minimize":
            d.rounded_rectangle([4 * s, 10.5 * s, 13 * s, 12.3 * s], radius=0.9 * s, fill=glyph)
        else:
            w = int(1.8 * s)
            d.line([(4.6 * s, 4.6 * s), (12.4 * s, 12.4 * s)], fill=glyph, width=w)
            d.line([(4.6 * s, 12.4 * s), (12.4 * s, 4.6 * s)], fill=glyph, width=w)

    out = base.copy().convert("RGBA")
    out.alpha_composite(supersampled(size, size, paint))
    return out.convert("RGB")


# ---------------------------------------------------------------- tool bar buttons

OUTLINE = (36, 104, 90, 255)


def icon_new(d, s):
    x0, y0, x1, y1, fold = 8.5 * s, 5.5 * s, 20.5 * s, 22.5 * s, 4.5 * s
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    d.polygon(page, fill=(255, 255, 255, 255), outline=None)
    d.line(page + [page[0]], fill=OUTLINE, width=s, joint="curve")
    d.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=(204, 228, 219, 255))
    d.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=OUTLINE, width=s)
    # a small plus badge
    cx, cy, r = 19.5 * s, 19.5 * s, 4.6 * s
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(40, 160, 110, 255))
    w = int(1.5 * s)
    d.line([(cx - 2.5 * s, cy), (cx + 2.5 * s, cy)], fill=(255, 255, 255, 255), width=w)
    d.line([(cx, cy - 2.5 * s), (cx, cy + 2.5 * s)], fill=(255, 255, 255, 255), width=w)


def icon_open(d, s):
    back = [(5.5 * s, 8 * s), (11 * s, 8 * s), (13 * s, 10 * s), (21.5 * s, 10 * s), (21.5 * s, 21.5 * s),
            (5.5 * s, 21.5 * s)]
    d.polygon(back, fill=with_alpha(AMBER_DARK, 255))
    d.rectangle([7.5 * s, 11.5 * s, 20 * s, 18 * s], fill=(255, 255, 255, 255))
    front = [(8.5 * s, 13.5 * s), (24.5 * s, 13.5 * s), (21.5 * s, 21.5 * s), (5.5 * s, 21.5 * s)]
    d.polygon(front, fill=with_alpha(AMBER, 255))
    d.line(front + [front[0]], fill=(168, 110, 20, 255), width=s)
    d.line(back[:5], fill=(168, 110, 20, 255), width=s)
    d.line([back[0], back[-1]], fill=(168, 110, 20, 255), width=s)


def icon_save(d, s):
    x0, y0, x1, y1 = 6.5 * s, 5.5 * s, 22.5 * s, 21.5 * s
    d.rounded_rectangle([x0, y0, x1, y1], radius=2 * s, fill=with_alpha(TEAL, 255), outline=OUTLINE, width=s)
    # shutter
    d.rectangle([10 * s, y0 + s, 19 * s, 11 * s], fill=(226, 240, 235, 255))
    d.rectangle([16 * s, 7 * s, 17.8 * s, 10 * s], fill=with_alpha(TEAL_DARK, 255))
    # label
    d.rounded_rectangle([9.5 * s, 14 * s, 19.5 * s, y1 - s], radius=s, fill=(255, 255, 255, 255))
    d.line([(11 * s, 16.5 * s), (18 * s, 16.5 * s)], fill=(170, 200, 190, 255), width=s)
    d.line([(11 * s, 18.7 * s), (18 * s, 18.7 * s)], fill=(170, 200, 190, 255), width=s)


def arrow_left(d, s, x_tip, y, length, colour):
    w = int(2 * s)
    d.line([(x_tip + 2 * s, y), (x_tip + length, y)], fill=colour, width=w)
    d.polygon([(x_tip, y), (x_tip + 4.6 * s, y - 4 * s), (x_tip + 4.6 * s, y + 4 * s)], fill=colour)


def icon_copyback(d, s):
    # the result page behind, the copy in front
    d.rectangle([12.5 * s, 4.5 * s, 22.5 * s, 17.5 * s], fill=(226, 240, 235, 255), outline=OUTLINE, width=s)
    d.rectangle([8.5 * s, 8.5 * s, 18.5 * s, 21.5 * s], fill=(255, 255, 255, 255), outline=OUTLINE, width=s)
    for y in (12, 14.5, 17):
        d.line([(10.5 * s, y * s), (16.5 * s, y * s)], fill=(160, 196, 184, 255), width=s)
    arrow_left(d, s, 4 * s, 21.5 * s, 11 * s, (40, 160, 110, 255))


def icon_back(d, s):
    # a pencil writing along a line
    a = math.radians(-45)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux
    tip = (7 * s, 21 * s)
    length, half = 17 * s, 2.6 * s

    def at(along, side):
        return (tip[0] + ux * along + vx * side, tip[1] + uy * along + vy * side)

    d.polygon([at(0, 0), at(5 * s, half), at(5 * s, -half)], fill=(246, 220, 180, 255))
    d.polygon([at(0, 0), at(2 * s, half * 0.4), at(2 * s, -half * 0.4)], fill=(60, 60, 60, 255))
    d.polygon([at(5 * s, half), at(length - 3 * s, half), at(length - 3 * s, -half), at(5 * s, -half)],
              fill=with_alpha(AMBER, 255))
    d.line([at(5 * s, 0), at(length - 3 * s, 0)], fill=(214, 150, 40, 255), width=int(0.8 * s))
    d.polygon([at(length - 3 * s, half), at(length, half), at(length, -half), at(length - 3 * s, -half)],
              fill=(233, 128, 128, 255))
    d.line([at(0, 0), at(5 * s, half), at(length, half), at(length, -half), at(5 * s, -half), at(0, 0)],
           fill=(120, 84, 30, 255), width=s, joint="curve")
    d.line([(12 * s, 22.5 * s), (23 * s, 22.5 * s)], fill=with_alpha(TEAL, 255), width=int(1.4 * s))


ICONS = {"new": icon_new, "open": icon_open, "save": icon_save, "copyback": icon_copyback, "back": icon_back}


def tool_button(base, kind, hover):
    w, h = 29, 28
    out = base.copy().convert("RGBA")
    if hover:
        out.alpha_composite(rounded_gradient(w, h, 5, (255, 255, 255), (226, 244, 236),
                                             outline=(112, 186, 160), inset=0.5))
    out.alpha_composite(supersampled(w, h, lambda d, s: ICONS[kind](d, s)), (0, 0))
    return out.convert("RGB")


# ---------------------------------------------------------------- big buttons

SECONDARY = {
    "normal": ((255, 255, 255), (234, 245, 240), (140, 190, 172), TEAL_DARK),
    "hover": ((244, 252, 248), (216, 240, 230), (52, 158, 128), TEAL_DARK),
    "pressed": ((208, 232, 222), (224, 241, 234), (40, 132, 108), TEAL_DARK),
}
PRIMARY = {
    "normal": ((52, 176, 140), (26, 136, 108), (18, 110, 88), (255, 255, 255)),
    "hover": ((70, 194, 158), (34, 152, 121), (18, 116, 92), (255, 255, 255)),
    "pressed": ((22, 118, 94), (30, 138, 111), (14, 96, 77), (236, 248, 243)),
}


def big_button(base, caption, primary, state):
    w, h = 80, 30
    top, bottom, border, text = (PRIMARY if primary else SECONDARY)[state]
    out = base.copy().convert("RGBA")
    # a faint drop shadow under the raised states
    if state != "pressed":
        shadow = rounded_gradient(w, h, 5, (0, 0, 0), (0, 0, 0), inset=0.5)
        shadow.putalpha(shadow.getchannel("A").point(lambda v: v * 28 // 255))
        out.alpha_composite(shadow.crop((0, 0, w, h - 1)), (0, 1))
    out.alpha_composite(rounded_gradient(w, h - 1, 5, top, bottom, outline=border, inset=0.5),
                        (0, 1 if state == "pressed" else 0))
    d = ImageDraw.Draw(out)
    label = font(True, 13)
    shift = 1 if state == "pressed" else 0
    cx, cy = w / 2, (h - 1) / 2 + shift
    if primary:
        d.text((cx, cy + 1), caption, font=label, fill=(14, 92, 74), anchor="mm")
    d.text((cx, cy), caption, font=label, fill=text, anchor="mm")
    return out.convert("RGB")


# ---------------------------------------------------------------- loading strip


def loading_frames():
    w, h = LOADING[2], LOADING[3]
    period = 13  # stripes repeat every 13 pixels; one pixel per frame loops seamlessly
    frames = []
    for frame in range(13):
        track = Image.new("RGBA", (w, h), (255, 255, 255, 255))

        def paint(d, s, frame=frame):
            d.rounded_rectangle([0, 0, w * s - 1, h * s - 1], radius=4.5 * s, fill=(214, 234, 226, 255))
            d.rounded_rectangle([s, s, (w - 1) * s - 1, (h - 1) * s - 1], radius=3.5 * s,
                                fill=with_alpha(TEAL, 255))
            for k in range(-2, w // period + 3):
                x = (k * period + frame) * s
                d.polygon([(x, (h - 1) * s), (x + 6 * s, (h - 1) * s), (x + 6 * s + 7 * s, s), (x + 7 * s, s)],
                          fill=(92, 196, 160, 255))
            # keep the stripes inside the rounded track
            d.rounded_rectangle([0, 0, w * s - 1, h * s - 1], radius=4.5 * s, outline=(214, 234, 226, 255),
                                width=s)

        layer = supersampled(w, h, paint)
        clip = supersampled(w, h, lambda d, s: d.rounded_rectangle([0, 0, w * s - 1, h * s - 1],
                                                                    radius=4.5 * s, fill=(255, 255, 255, 255)))
        layer.putalpha(clip.getchannel("A"))
        track.alpha_composite(layer)
        frames.append(track.convert("RGB"))
    # one palette shared by all frames keeps the animation steady
    strip = Image.new("RGB", (w, h * len(frames)))
    for i, f in enumerate(frames):
        strip.paste(f, (0, i * h))
    shared = to_palette(strip)
    return [shared.crop((0, i * h, w, (i + 1) * h)) for i in range(len(frames))]


# ---------------------------------------------------------------- output


def save_gif(image, path, **options):
    """Saves as GIF89a with the picture's palette as it is (not shrunk)."""
    image.info["version"] = b"89a"
    image.save(path, format="GIF", optimize=False, **options)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "assets", "pictures"))
    parser.add_argument("--preview", help="write a composite PNG of the window to this path")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    pictures = {}
    save_gif(draw_mask(), os.path.join(args.out, "mask.gif"))
    background = draw_background()
    save_gif(background, os.path.join(args.out, "background.gif"))
    base = background.convert("RGB")

    def crop(x, y, w, h):
        return base.crop((x, y, x + w, y + h))

    for kind, (x, y) in TITLE_BUTTONS.items():
        for state in ("normal", "hover"):
            pictures[f"{kind}_{state}"] = ((x, y), title_button(crop(x, y, 17, 17), kind, state == "hover"))
    for kind, (x, y) in TOOL_BUTTONS.items():
        for state in ("normal", "hover"):
            pictures[f"{kind}_{state}"] = ((x, y), tool_button(crop(x, y, 29, 28), kind, state == "hover"))
    for kind, ((x, y), caption, primary) in BIG_BUTTONS.items():
        for state in ("normal", "hover", "pressed"):
            pictures[f"{kind}_{state}"] = ((x, y), big_button(crop(x, y, 80, 30), caption, primary, state))
    for name, (_, image) in pictures.items():
        save_gif(to_palette(image), os.path.join(args.out, name + ".gif"))

    frames = loading_frames()
    save_gif(frames[0], os.path.join(args.out, "loading.gif"), save_all=True, append_images=frames[1:],
             duration=70, loop=0, disposal=1)

    if args.preview:
        write_preview(args.out, args.preview)


def write_preview(folder, path):
    """Window as it opens (left) and with every hover / pressed picture (right)."""

    def load(name):
        return Image.open(os.path.join(folder, name + ".gif")).convert("RGB")

    def window(state_of):
        win = load("background")
        for kind, (x, y) in TITLE_BUTTONS.items():
            win.paste(load(f"{kind}_{state_of(kind, False)}"), (x, y))
        for kind, (x, y) in TOOL_BUTTONS.items():
            win.paste(load(f"{kind}_{state_of(kind, False)}"), (x, y))
        for kind, ((x, y), _, _) in BIG_BUTTONS.items():
            win.paste(load(f"{kind}_{state_of(kind, True)}"), (x, y))
        loading = Image.open(os.path.join(folder, "loading.gif"))
        win.paste(loading.convert("RGB"), LOADING[:2])
        mask = load("mask")
        cut = Image.new("L", (WIDTH, HEIGHT))
        cut.putdata([255 if p == (255, 0, 255) else 0 for p in mask.getdata()])
        outside = Image.new("RGB", (WIDTH, HEIGHT), (60, 60, 60))
        win.paste(outside, (0, 0), cut)
        return win

    normal = window(lambda kind, big: "normal")
    hover = window(lambda kind, big: "hover")
    pressed = window(lambda kind, big: "pressed" if big else "hover")
    top_rows, bottom_rows = 80, 66
    sheet = Image.new("RGB", (WIDTH * 2 + 30, HEIGHT + 40 + 2 * (top_rows + bottom_rows)), (60, 60, 60))
    sheet.paste(normal, (10, 10))
    sheet.paste(hover, (WIDTH + 20, 10))
    y = HEIGHT + 20
    for strip in (hover.crop((0, 0, WIDTH, top_rows)), pressed.crop((0, HEIGHT - bottom_rows, WIDTH, HEIGHT))):
        sheet.paste(strip.resize((strip.width * 2, strip.height * 2), Image.NEAREST), (10, y))
        y += strip.height * 2 + 10
    sheet.save(path)


if __name__ == "__main__":
    main()
