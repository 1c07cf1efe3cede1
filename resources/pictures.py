#!/usr/bin/env python3
"""Draws the program's pictures and writes them beside this script.

    python3 resources/pictures.py      (needs rsvg-convert and ImageMagick's convert)

The menu and toolbar pictures are drawn here as small SVG on a 16 x 16 grid,
one shared palette and one outline colour, and rasterised to
resources/icons/NAME.png (the names are the desktop icon theme's, so a theme
picture wins where the desktop has one). The application icon is drawn in
data/icons/kvarnis.svg; from it come resources/kvarnis.png (256 x 256, the
window icon), data/icons/kvarnis-32.png (the desktop's 32 x 32) and
resources/kvarnis.ico, the Windows icon with two 32 x 32 images, 16 and 256
colours. The PNG and ICO files are kept in the repository, so building the
program needs neither tool.
"""
import math
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

INK = "#2e3436"        # outline of everything
PAPER = "#ffffff"
PAPER_EDGE = "#555753"
GREY = "#babdb6"
DARK_GREY = "#888a85"
BLUE = "#3465a4"
LIGHT_BLUE = "#729fcf"
DARK_BLUE = "#204a87"
GREEN = "#4e9a06"
LIGHT_GREEN = "#8ae234"
RED = "#cc0000"
LIGHT_RED = "#ef2929"
YELLOW = "#fce94f"
ORANGE = "#f57900"
BROWN = "#8f5902"
LIGHT_BROWN = "#e9b96e"
MID_BROWN = "#c17d11"


def page(x=2.5, y=0.5, w=11, h=15, fold=3.5):
    """A sheet of paper with its top right corner folded."""
    r = x + w
    return (f'<path d="M{x} {y}h{w - fold}l{fold} {fold}v{h - fold}h{-w}z" fill="{PAPER}" stroke="{PAPER_EDGE}"/>'
            f'<path d="M{r - fold} {y}v{fold}h{fold}" fill="#d3d7cf" stroke="{PAPER_EDGE}" stroke-linejoin="round"/>')


def lines(x, y, widths, step=2, colour=DARK_GREY):
    """Lines of text on a page."""
    return "".join(f'<path d="M{x} {y + i * step + 0.5}h{w}" stroke="{colour}"/>' for i, w in enumerate(widths))


def star(cx, cy, outer, inner, points=5, fill=YELLOW, stroke="#c4a000"):
    pts = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / points
        pts.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    return f'<polygon points="{" ".join(pts)}" fill="{fill}" stroke="{stroke}" stroke-width="0.8" stroke-linejoin="round"/>'


def gear(cx, cy, outer, inner, hole, teeth=8, fill=GREY):
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        r = outer if i % 4 in (1, 2) else inner
        pts.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    return (f'<polygon points="{" ".join(pts)}" fill="{fill}" stroke="{INK}" stroke-linejoin="round"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{hole}" fill="{PAPER}" stroke="{INK}"/>')


def magnifier(cx, cy, r, handle=4):
    d = handle / math.sqrt(2)
    hx, hy = cx + r * 0.72, cy + r * 0.72
    return (f'<path d="M{hx:.2f} {hy:.2f}l{d:.2f} {d:.2f}" stroke="{INK}" stroke-width="2.6" stroke-linecap="round"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="#e6f0fa" fill-opacity="0.85" stroke="{INK}" stroke-width="1.4"/>')


def plus(cx, cy, size, fill=LIGHT_GREEN, stroke=GREEN):
    a, t = size / 2, size / 6
    d = (f"M{cx - t} {cy - a}h{2 * t}v{a - t}h{a - t}v{2 * t}h{t - a}v{a - t}h{-2 * t}"
         f"v{t - a}h{t - a}v{-2 * t}h{a - t}z")
    return f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-linejoin="round"/>'


def arrow_down(cx, top, bottom, fill=LIGHT_GREEN, stroke=GREEN):
    return (f'<path d="M{cx - 1.5} {top}h3v{bottom - top - 4}h2.5l-4 4l-4 -4h2.5z" fill="{fill}" '
            f'stroke="{stroke}" stroke-linejoin="round"/>')


def curved_arrow(mirror=False):
    """A bent arrow that goes back to the left (undo); mirrored it goes right."""
    body = (f'<path d="M13.5 13.5c0-5-2.5-7.5-7-7.5h-1" fill="none" stroke="{DARK_BLUE}" stroke-width="4" stroke-linecap="round"/>'
            f'<path d="M13.5 13.5c0-5-2.5-7.5-7-7.5h-1" fill="none" stroke="{LIGHT_BLUE}" stroke-width="2" stroke-linecap="round"/>'
            f'<path d="M6.5 1.5v9l-5.5-4.5z" fill="{LIGHT_BLUE}" stroke="{DARK_BLUE}" stroke-linejoin="round"/>')
    return f'<g transform="matrix(-1 0 0 1 16 0)">{body}</g>' if mirror else body


def floppy():
    return (f'<path d="M1.5 1.5h11l2 2v11h-13z" fill="{LIGHT_BLUE}" stroke="{DARK_BLUE}" stroke-linejoin="round"/>'
            f'<path d="M3.5 1.5h8v5h-8z" fill="{PAPER}" stroke="{DARK_BLUE}"/>'
            f'<path d="M9 2.5h1.5v3h-1.5z" fill="{DARK_BLUE}"/>'
            f'<path d="M4.5 9.5h7v5h-7z" fill="#eeeeec" stroke="{DARK_BLUE}"/>'
            + lines(5.5, 10.5, [5, 5], 2, GREY))


def box(x=1.5, y=5.5, w=13, h=9):
    """A cardboard box, seen a little from above."""
    return (f'<path d="M{x} {y}l2 -3h{w - 4}l2 3z" fill="{LIGHT_BROWN}" stroke="{BROWN}" stroke-linejoin="round"/>'
            f'<path d="M{x} {y}h{w}v{h}h{-w}z" fill="{MID_BROWN}" stroke="{BROWN}" stroke-linejoin="round"/>'
            f'<path d="M{x + w / 2 - 1.5} {y}h3v3h-3z" fill="{LIGHT_BROWN}" stroke="{BROWN}" stroke-width="0.8"/>')


def red_cross(cx, cy, half, width=2.6):
    d = f"M{cx - half} {cy - half}L{cx + half} {cy + half}M{cx + half} {cy - half}L{cx - half} {cy + half}"
    return (f'<path d="{d}" stroke="#a40000" stroke-width="{width + 1.4}" stroke-linecap="round"/>'
            f'<path d="{d}" stroke="{LIGHT_RED}" stroke-width="{width}" stroke-linecap="round"/>')


def question(cx, cy, scale=1.0, colour=PAPER):
    s = scale
    return (f'<path d="M{cx - 2.2 * s} {cy - 1.6 * s}c0-1.6 1-2.6 2.2-2.6s2.2 0.9 2.2 2.2c0 1.8-2.2 1.8-2.2 3.6v0.6" '
            f'fill="none" stroke="{colour}" stroke-width="{1.7 * s}" stroke-linecap="round"/>'
            f'<circle cx="{cx}" cy="{cy + 4.2 * s}" r="{1.05 * s}" fill="{colour}"/>')


ICONS = {
    "application-exit": (
        f'<path d="M2.5 1.5h7v13h-7z" fill="{MID_BROWN}" stroke="{BROWN}"/>'
        f'<path d="M3.5 2.5l4 1v11l-4 -1z" fill="{LIGHT_BROWN}" stroke="{BROWN}" stroke-linejoin="round"/>'
        f'<circle cx="6.3" cy="8.5" r="0.7" fill="{BROWN}"/>'
        f'<path d="M8.5 6.5h3v-2.5l4 4.5l-4 4.5v-2.5h-3z" fill="{LIGHT_RED}" stroke="#a40000" stroke-linejoin="round"/>'),
    "document-new": page() + lines(4.5, 6, [6, 7, 5, 7]) + star(12, 12.5, 3.6, 1.5),
    "document-open": (
        f'<path d="M0.5 3.5h5l1.5 1.5h7.5v9.5h-14z" fill="{MID_BROWN}" stroke="{BROWN}" stroke-linejoin="round"/>'
        f'<path d="M2.5 3.5h10v7h-10z" fill="{PAPER}" stroke="{PAPER_EDGE}"/>'
        f'<path d="M0.5 14.5l2-7.5h13l-2 7.5z" fill="{LIGHT_BROWN}" stroke="{BROWN}" stroke-linejoin="round"/>'),
    "document-print-preview": page() + lines(4.5, 3, [5, 7, 6]) + magnifier(8.5, 10, 3.2, 4),
    "document-properties": (
        page() + lines(4.5, 3, [5, 7, 6, 7])
        + f'<circle cx="11" cy="11.5" r="4" fill="{BLUE}" stroke="{DARK_BLUE}"/>'
        f'<path d="M11 10.6v3.4" stroke="{PAPER}" stroke-width="1.6" stroke-linecap="round"/>'
        f'<circle cx="11" cy="8.9" r="0.9" fill="{PAPER}"/>'),
    "document-save": floppy(),
    "document-save-as": (
        floppy()
        + f'<path d="M14.8 6.2l-7 7l-2.6 0.8l0.8-2.6l7-7z" fill="{YELLOW}" stroke="{INK}" stroke-linejoin="round"/>'
        f'<path d="M5.2 14l0.5-1.6l1.1 1.1z" fill="{INK}"/>'),
    "edit-copy": (
        page(1.5, 0.5, 9, 11, 3) + lines(3.5, 4, [4, 5, 3])
        + page(5.5, 4.5, 9, 11, 3) + lines(7.5, 8, [4, 5, 3, 5])),
    "edit-cut": (
        f'<path d="M5.5 1l4 9M10.5 1l-4 9" stroke="{INK}" stroke-width="2.2" stroke-linecap="round"/>'
        f'<path d="M5.5 1l4 9M10.5 1l-4 9" stroke="#eeeeec" stroke-width="1" stroke-linecap="round"/>'
        f'<circle cx="5" cy="12.5" r="2.3" fill="none" stroke="#a40000" stroke-width="1.6"/>'
        f'<circle cx="11" cy="12.5" r="2.3" fill="none" stroke="#a40000" stroke-width="1.6"/>'
        f'<circle cx="8" cy="7.2" r="0.8" fill="{INK}"/>'),
    "edit-delete": red_cross(8, 8, 5, 2.8),
    "edit-find-replace": (
        page() + lines(4.5, 3, [5, 7])
        + f'<path d="M4 7.5h3" stroke="{BLUE}" stroke-width="1.4"/><path d="M8 7.5h3" stroke="{RED}" stroke-width="1.4"/>'
        + magnifier(7, 11, 2.8, 3.5)),
    "edit-paste": (
        f'<path d="M2.5 2.5h11v12h-11z" fill="{MID_BROWN}" stroke="{BROWN}" stroke-linejoin="round"/>'
        f'<path d="M4.5 4.5h7v9h-7z" fill="{PAPER}" stroke="{PAPER_EDGE}"/>'
        + lines(5.5, 7, [5, 4, 5])
        + f'<path d="M5.5 1.5h5v3h-5z" fill="{GREY}" stroke="{INK}" stroke-linejoin="round"/>'),
    "edit-redo": curved_arrow(mirror=True),
    "edit-undo": curved_arrow(),
    "edit-select-all": (
        f'<path d="M1.5 1.5h13v13h-13z" fill="none" stroke="{INK}" stroke-dasharray="2 1"/>'
        f'<path d="M3 3h10v10h-10z" fill="#cfe0f5"/>'
        + lines(4, 4, [8, 6, 8, 5], 2, DARK_BLUE)),
    "help-browser": (
        f'<circle cx="8" cy="8" r="7" fill="{BLUE}" stroke="{DARK_BLUE}"/>' + question(8, 7.2)),
    "help-contents": (
        f'<path d="M3.5 1.5h10v13h-10z" fill="{PAPER}" stroke="{PAPER_EDGE}"/>'
        f'<path d="M2.5 0.5h10v13h-10z" fill="{LIGHT_RED}" stroke="#a40000" stroke-linejoin="round"/>'
        f'<path d="M2.5 13.5l1 2h10" fill="none" stroke="{PAPER_EDGE}"/>'
        f'<path d="M4.5 0.5v13" stroke="#a40000"/>'
        f'<path d="M6.5 4.5h4v2h-4z" fill="{PAPER}" stroke="#a40000" stroke-width="0.8"/>'),
    "help-faq": (
        f'<path d="M1.5 1.5h13v9h-7l-4 4v-4h-2z" fill="{PAPER}" stroke="{DARK_BLUE}" stroke-linejoin="round"/>'
        + question(8, 4.6, 0.9, BLUE)),
    "insert-object": (
        f'<path d="M0.5 2.5h15v12h-15z" fill="{PAPER}" stroke="{PAPER_EDGE}"/>'
        f'<path d="M2.5 8.5h5v4h-5z" fill="{LIGHT_BLUE}" stroke="{DARK_BLUE}"/>'
        f'<circle cx="11" cy="10.5" r="2.5" fill="{LIGHT_RED}" stroke="#a40000"/>'
        f'<path d="M5 3.5l3 4h-6z" fill="{LIGHT_GREEN}" stroke="{GREEN}" stroke-linejoin="round"/>'
        + plus(12, 4.8, 5)),
    "internet-web-browser": (
        f'<circle cx="8" cy="8" r="7" fill="{LIGHT_BLUE}" stroke="{DARK_BLUE}"/>'
        f'<path d="M4 3.5c1.5 1 2.5 0 3.5 1s-1 2-0.5 3s2 0.5 2 2s-1.5 2-1 4c-2 -0.5 -1.5 -2.5 -2.5 -3.5s-2.5 -1 -3.5 -2.5s0 -3 2 -4z" fill="{LIGHT_GREEN}" stroke="{GREEN}" stroke-width="0.8" stroke-linejoin="round"/>'
        f'<path d="M11 3.2c1 1 0.5 2 1.5 2.5s1.5 1.5 1.5 3c-1 0 -2 -1 -2.5 -2s-1.5 -1 -1.5 -2z" fill="{LIGHT_GREEN}" stroke="{GREEN}" stroke-width="0.8" stroke-linejoin="round"/>'
        f'<ellipse cx="8" cy="8" rx="3" ry="7" fill="none" stroke="{DARK_BLUE}" stroke-width="0.6" stroke-opacity="0.6"/>'
        f'<path d="M1 8h14" stroke="{DARK_BLUE}" stroke-width="0.6" stroke-opacity="0.6"/>'),
    "list-add": plus(8, 8, 13),
    "list-remove": f'<path d="M1.5 5.8h13v4.4h-13z" fill="{LIGHT_RED}" stroke="#a40000" stroke-linejoin="round"/>',
    "mail-message-new": (
        f'<path d="M0.5 4.5h13v9h-13z" fill="{PAPER}" stroke="{PAPER_EDGE}"/>'
        f'<path d="M0.5 4.5l6.5 5l6.5 -5M0.5 13.5l4.8-5M13.5 13.5l-4.8-5" fill="none" stroke="{PAPER_EDGE}"/>'
        + star(12.5, 3.5, 3.4, 1.4)),
    "media-playback-start": (
        f'<path d="M3.5 1.5l11 6.5l-11 6.5z" fill="{LIGHT_GREEN}" stroke="{GREEN}" stroke-linejoin="round"/>'),
    "package-x-generic": box(),
    "preferences-other": (
        f'<path d="M2.5 2v12M8 2v12M13.5 2v12" stroke="{DARK_GREY}" stroke-width="1.4" stroke-linecap="round"/>'
        f'<path d="M0.5 9.5h4v3h-4zM6 3.5h4v3h-4zM11.5 7.5h4v3h-4z" fill="{LIGHT_BLUE}" stroke="{DARK_BLUE}" stroke-linejoin="round"/>'),
    "preferences-system": gear(8, 8, 7.2, 5, 2.2),
    "system-run": (
        gear(6.5, 6.5, 6, 4.2, 1.8)
        + f'<path d="M8.5 7.5l7 4l-7 4z" fill="{LIGHT_GREEN}" stroke="{GREEN}" stroke-linejoin="round"/>'),
    "system-software-install": box(1.5, 7.5, 13, 7) + arrow_down(8, 0.5, 10),
    "system-software-update": (
        f'<path d="M13 6a5.3 5.3 0 0 0 -9.6 -1.2" fill="none" stroke="{GREEN}" stroke-width="3.2" stroke-linecap="round"/>'
        f'<path d="M13 6a5.3 5.3 0 0 0 -9.6 -1.2" fill="none" stroke="{LIGHT_GREEN}" stroke-width="1.6" stroke-linecap="round"/>'
        f'<path d="M1 2.5v5h5z" fill="{LIGHT_GREEN}" stroke="{GREEN}" stroke-linejoin="round"/>'
        f'<path d="M3 10a5.3 5.3 0 0 0 9.6 1.2" fill="none" stroke="{DARK_BLUE}" stroke-width="3.2" stroke-linecap="round"/>'
        f'<path d="M3 10a5.3 5.3 0 0 0 9.6 1.2" fill="none" stroke="{LIGHT_BLUE}" stroke-width="1.6" stroke-linecap="round"/>'
        f'<path d="M15 13.5v-5h-5z" fill="{LIGHT_BLUE}" stroke="{DARK_BLUE}" stroke-linejoin="round"/>'),
    "text-html": (
        page()
        + f'<path d="M6 7l-2.5 2.75l2.5 2.75M10 7l2.5 2.75l-2.5 2.75" fill="none" stroke="{ORANGE}" stroke-width="1.5" '
        f'stroke-linecap="round" stroke-linejoin="round"/>' + lines(4.5, 3, [5])),
    "window-close": (
        f'<path d="M0.5 1.5h15v13h-15z" fill="{PAPER}" stroke="{INK}"/>'
        f'<path d="M1 2h14v3h-14z" fill="{BLUE}"/>'
        + red_cross(8, 10, 2.6, 2.0)),
}


def svg(body, size=16):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 16 16">'
            f'<g fill="none" stroke-width="1">{body}</g></svg>')


def rasterise(svg_text, size, out):
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", out],
                   input=svg_text.encode(), check=True)
    # Keep the files small and free of time stamps, so a redraw changes nothing.
    subprocess.run(["convert", out, "-strip", "-define", "png:exclude-chunks=date,time", out], check=True)


def rgba_pixels(png):
    raw = subprocess.run(["convert", png, "-depth", "8", "RGBA:-"], check=True, capture_output=True).stdout
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


# The sixteen colours of the classic Windows palette, and a 256-colour palette of a
# 6 x 6 x 6 colour cube with grey steps.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
         (0, 255, 255), (255, 255, 255)]
PALETTE256 = ([(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
              + [(v, v, v) for v in range(8, 248, 6)])[:256]
PALETTE256 += [(0, 0, 0)] * (256 - len(PALETTE256))


def nearest(colour, palette):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def icon_image(pixels, size, palette, bits):
    """One image of an ICO file: a bottom-up palette bitmap and its transparency mask."""
    all_indices = [nearest(p[:3], palette) if p[3] >= 128 else 0 for p in pixels]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    per_byte = 8 // bits
    row_bytes = ((size * bits + 31) // 32) * 4
    mask_row_bytes = ((size + 31) // 32) * 4
    xor, mask = b"", b""
    for y in reversed(range(size)):
        row = pixels[y * size:(y + 1) * size]
        indices = all_indices[y * size:(y + 1) * size]
        packed = bytearray()
        for i in range(0, size, per_byte):
            value = 0
            for j in range(per_byte):
                value = (value << bits) | indices[i + j]
            packed.append(value)
        xor += bytes(packed).ljust(row_bytes, b"\0")
        bitsrow = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p[3] < 128:
                bitsrow[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bitsrow)
    return header + colours + xor + mask


# The application icon's colours as the sixteen-colour image shows them: flat
# colours of the classic palette instead of gradients and soft shades.
SIXTEEN_COLOURS = {
    "url(#back)": "#0000ff", "#143c6e": "#000080", "url(#paper)": "#ffffff", "#c9d3de": "#c0c0c0",
    "#e8731a": "#ff0000", "#4a2a78": "#800080", "#c9a3ef": "#ff00ff", "#8553bd": "#800080",
    "#eddcfb": "#ffffff", "#f7effd": "#ffffff",
}


def write_ico(application_svg, out):
    sixteen = application_svg
    for colour, flat in SIXTEEN_COLOURS.items():
        sixteen = sixteen.replace(f'"{colour}"', f'"{flat}"')
    drawn16, drawn256 = out + ".16.png", out + ".256.png"
    rasterise(sixteen, 32, drawn16)
    rasterise(application_svg, 32, drawn256)
    images = [(icon_image(rgba_pixels(drawn16), 32, VGA16, 4), 16, 4),
              (icon_image(rgba_pixels(drawn256), 32, PALETTE256, 8), 0, 8)]
    os.remove(drawn16)
    os.remove(drawn256)
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, colours, bits in images:
        data += struct.pack("<BBBBHHII", 32, 32, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
    data += b"".join(image for image, _, _ in images)
    with open(out, "wb") as f:
        f.write(data)


def main():
    icons = os.path.join(HERE, "icons")
    os.makedirs(icons, exist_ok=True)
    for name, body in ICONS.items():
        rasterise(svg(body), 16, os.path.join(icons, name + ".png"))
    with open(os.path.join(ROOT, "data", "icons", "kvarnis.svg"), encoding="utf-8") as f:
        application = f.read()
    rasterise(application, 256, os.path.join(HERE, "kvarnis.png"))
    small = os.path.join(ROOT, "data", "icons", "kvarnis-32.png")
    rasterise(application, 32, small)
    write_ico(application, os.path.join(HERE, "kvarnis.ico"))
    if "--sheet" in sys.argv:
        # A contact sheet of every menu picture, eight times enlarged, to look at.
        files = [os.path.join(icons, n + ".png") for n in ICONS]
        subprocess.run(["montage", *files, "-filter", "point", "-resize", "800%", "-background", "#d6d6d6",
                        "-geometry", "+4+4", "-tile", "8x", "/tmp/kvarnis-pictures.png"], check=True)


if __name__ == "__main__":
    main()
