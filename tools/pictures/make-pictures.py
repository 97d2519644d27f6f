#!/usr/bin/env python3
"""Draws the small pictures of the windows and the application icon.

Each picture is written as SVG (simple shapes, computed here), rendered with
rsvg-convert and, for the window pictures, stored as a JPEG of quality 90
(cjpeg). The configuration button's gear is a PNG because it needs a
transparent background on the button face. The application icon is kept as
SVG and rendered to the usual hicolor PNG sizes.

Output: resources/pictures/*, resources/pictures.qrc and
resources/icons/hicolor/*/apps/vosmira.{png,svg}. The build only uses the
committed results; run this only to change a picture.

Needs: librsvg2-bin netpbm libjpeg-turbo-progs iso-flags-svg, fonts-dejavu.
"""
import math
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PICTURES = os.path.join(ROOT, "resources", "pictures")
ICONS = os.path.join(ROOT, "resources", "icons", "hicolor")
FLAG_SVG = os.environ.get("ISO_FLAGS_SVG", "/usr/share/iso-flags-svg/country-4x3")

# The windows' grey-blue background (colour value 12696492).
BG = "#acbbc1"
TEAL = "#0e7c7b"
MAROON = "#800000"
FONT = "DejaVu Sans"


def svg(width, height, body, background=BG):
    back = f'<rect width="{width}" height="{height}" fill="{background}"/>' if background else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">{back}{body}</svg>\n')


def gear_path(cx, cy, outer, inner, teeth, hole):
    """Outline of a gear with straight tapered teeth and a round hole."""
    step = 2 * math.pi / teeth
    points = []
    for i in range(teeth):
        a = i * step
        for r, da in ((inner, -0.31), (outer, -0.2), (outer, 0.2), (inner, 0.31)):
            points.append((cx + r * math.sin(a + da * step), cy - r * math.cos(a + da * step)))
    d = "M" + " L".join(f"{x:.2f},{y:.2f}" for x, y in points) + " Z"
    d += (f" M{cx - hole:.2f},{cy:.2f} a{hole},{hole} 0 1,0 {2 * hole},0"
          f" a{hole},{hole} 0 1,0 {-2 * hole},0 Z")
    return d


STEEL = ('<linearGradient id="steel" x1="0" y1="0" x2="1" y2="1">'
         '<stop offset="0" stop-color="#c9d3d8"/><stop offset="0.55" stop-color="#7d8c95"/>'
         '<stop offset="1" stop-color="#4a5860"/></linearGradient>')


def gear(cx, cy, outer, inner, teeth, hole, stroke=1.0):
    return (f'<defs>{STEEL}</defs>'
            f'<path d="{gear_path(cx, cy, outer, inner, teeth, hole)}" fill="url(#steel)" '
            f'fill-rule="evenodd" stroke="#303b42" stroke-width="{stroke}" stroke-linejoin="round"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{(inner + hole) / 2:.2f}" fill="none" '
            f'stroke="#e6ecef" stroke-opacity="0.6" stroke-width="{stroke}"/>')


def config_button():
    # Configuration button of the main window, 41 x 41, transparent around the gear.
    return svg(41, 41, gear(20.5, 20.5, 19, 14.5, 8, 5.5), background=None)


def printer():
    # "Print list" picture of the main window, 39 x 41.
    lines = "".join(f'<rect x="13" y="{y}" width="13" height="1.2" fill="#8a9aa3"/>' for y in (5, 8, 11))
    printed = "".join(f'<rect x="12" y="{y}" width="{w}" height="1.3" fill="#333"/>'
                      for y, w in ((32, 15), (35, 11)))
    body = (
        '<defs><linearGradient id="case" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#6f7c85"/><stop offset="1" stop-color="#343d44"/>'
        '</linearGradient></defs>'
        '<rect x="10" y="2" width="19" height="16" fill="#fff" stroke="#55656e" stroke-width="0.8"/>'
        + lines +
        '<rect x="2" y="15" width="35" height="18" rx="3" fill="url(#case)" stroke="#262d32" stroke-width="0.8"/>'
        '<rect x="4" y="16.5" width="31" height="2" rx="1" fill="#9aa7ae" opacity="0.6"/>'
        '<circle cx="32" cy="21.5" r="1.6" fill="#46d246" stroke="#1f6b1f" stroke-width="0.5"/>'
        '<rect x="7" y="26" width="25" height="3" rx="1" fill="#1b2024"/>'
        '<rect x="9" y="28" width="21" height="11" fill="#fff" stroke="#55656e" stroke-width="0.8"/>'
        + printed)
    return svg(39, 41, body)


def hourglass():
    # Busy sign of the main window, 35 x 35.
    body = (
        '<rect x="8" y="5" width="1.6" height="25" fill="#6b4220"/>'
        '<rect x="25.4" y="5" width="1.6" height="25" fill="#6b4220"/>'
        '<path d="M10,6 L25,6 C25,13 19,15 19,17.5 C19,20 25,22 25,29 L10,29 '
        'C10,22 16,20 16,17.5 C16,15 10,13 10,6 Z" fill="#eef7fa" stroke="#3f5f6c" stroke-width="0.9"/>'
        '<path d="M12,10 L23,10 C22,13.5 18.5,14.8 17.5,17.2 C16.5,14.8 13,13.5 12,10 Z" fill="#e0a526"/>'
        '<rect x="17.05" y="17" width="0.9" height="8" fill="#e0a526"/>'
        '<path d="M11,28.6 C12.5,25 15,24 17.5,23.6 C20,24 22.5,25 24,28.6 Z" fill="#e0a526"/>'
        '<rect x="6" y="2" width="23" height="4" rx="1.5" fill="#8b5a2b" stroke="#4d2f14" stroke-width="0.8"/>'
        '<rect x="6" y="29" width="23" height="4" rx="1.5" fill="#8b5a2b" stroke="#4d2f14" stroke-width="0.8"/>')
    return svg(35, 35, body)


def new_qso():
    # "New QSO" picture of the main window, 55 x 33: a logbook, a pencil and a plus.
    rules = "".join(
        f'<rect x="{x}" y="{y}" width="11" height="0.9" fill="#9cb8c0"/>'
        for x in (7.5, 22) for y in (9, 12.5, 16, 19.5, 23))
    body = (
        f'<rect x="2.5" y="3" width="36" height="27" rx="2" fill="{TEAL}" stroke="#064443" stroke-width="0.9"/>'
        '<rect x="5.5" y="5" width="14.5" height="23" fill="#fbfbf6"/>'
        '<rect x="21" y="5" width="14.5" height="23" fill="#fbfbf6"/>'
        '<rect x="20" y="5" width="1" height="23" fill="#b9c6c9"/>'
        + rules +
        '<g transform="translate(23,26) rotate(-52)">'
        '<rect x="3" y="-1.8" width="14" height="3.6" fill="#f2c230" stroke="#8c6a0a" stroke-width="0.6"/>'
        '<rect x="17" y="-1.8" width="2.6" height="3.6" fill="#e58a8a" stroke="#8c4a4a" stroke-width="0.6"/>'
        '<path d="M3,-1.8 L-1.5,0 L3,1.8 Z" fill="#e8c9a0" stroke="#8c6a0a" stroke-width="0.6"/>'
        '<path d="M0,-0.6 L-1.5,0 L0,0.6 Z" fill="#333"/>'
        '</g>'
        '<circle cx="45.5" cy="16.5" r="8.5" fill="#2e9d3a" stroke="#1b5e22" stroke-width="1"/>'
        '<rect x="44" y="11" width="3" height="11" fill="#fff"/>'
        '<rect x="40" y="15" width="11" height="3" fill="#fff"/>')
    return svg(55, 33, body)


def eqsl_config():
    # Picture of the configuration dialog that opens the eQSL account form, 73 x 105.
    body = (
        f'<text x="36.5" y="23" font-family="{FONT}" font-weight="bold" font-size="20" '
        f'text-anchor="middle" fill="{MAROON}">eQSL</text>'
        f'<text x="36.5" y="41" font-family="{FONT}" font-weight="bold" font-size="14" '
        f'text-anchor="middle" fill="{TEAL}">Konfig</text>'
        + gear(36.5, 73, 28, 21.5, 10, 8, stroke=1.2))
    return svg(73, 105, body)


def radio():
    # Decoration at the top right of the change form, 50 x 40: a transceiver.
    arcs = "".join(
        f'<path d="M{40 + r * math.cos(a0):.2f},{6 - r * math.sin(a0):.2f} '
        f'A{r},{r} 0 0,0 {40 + r * math.cos(a1):.2f},{6 - r * math.sin(a1):.2f}" fill="none" '
        f'stroke="#c0392b" stroke-width="1.2" stroke-linecap="round"/>'
        for r in (4, 7) for a0, a1 in ((math.radians(40), math.radians(-40)),))
    arcs += "".join(
        f'<path d="M{40 - r * math.cos(math.radians(40)):.2f},{6 - r * math.sin(math.radians(40)):.2f} '
        f'A{r},{r} 0 0,0 {40 - r * math.cos(math.radians(-40)):.2f},{6 - r * math.sin(math.radians(-40)):.2f}" '
        f'fill="none" stroke="#c0392b" stroke-width="1.2" stroke-linecap="round"/>'
        for r in (4, 7))
    keys = "".join(f'<rect x="{x}" y="31" width="4" height="2.5" rx="0.6" fill="#c8d0d4"/>'
                   for x in (7, 12.5, 18, 23.5))
    body = (
        arcs +
        '<rect x="39.3" y="6" width="1.4" height="13" fill="#2b3136"/>'
        '<circle cx="40" cy="6" r="1.5" fill="#2b3136"/>'
        '<defs><linearGradient id="trx" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#5d6870"/><stop offset="1" stop-color="#2a3035"/>'
        '</linearGradient></defs>'
        '<rect x="2" y="17" width="46" height="20" rx="2.5" fill="url(#trx)" stroke="#161a1d" stroke-width="0.8"/>'
        '<rect x="6" y="20.5" width="22" height="8" rx="1" fill="#9be07a" stroke="#1f3b14" stroke-width="0.6"/>'
        '<rect x="8" y="23.5" width="13" height="2" fill="#2f5a1c"/>'
        '<rect x="22.5" y="22.5" width="3.5" height="4" fill="#2f5a1c" opacity="0.7"/>'
        + keys +
        '<circle cx="38.5" cy="27" r="6" fill="#1d2226" stroke="#8d979d" stroke-width="1"/>'
        '<circle cx="38.5" cy="27" r="3" fill="#3b444a"/>'
        '<circle cx="40.2" cy="24.6" r="0.9" fill="#d8dee1"/>')
    return svg(50, 40, body)


def app_icon():
    # The application icon: a teal logbook with binder rings and a signal trace.
    pts = []
    for i in range(0, 61):
        x = 86 + i * (110 / 60)
        envelope = math.sin(math.pi * i / 60) ** 1.5
        y = 116 - 34 * envelope * math.sin(i * 2 * math.pi / 12)
        pts.append(f"{x:.1f},{y:.1f}")
    trace = "M" + " L".join(pts)
    rings = "".join(
        f'<rect x="26" y="{y}" width="32" height="14" rx="7" fill="#dfe7ea" stroke="#5f7079" stroke-width="3"/>'
        for y in (58, 121, 184))
    entries = "".join(f'<rect x="82" y="{y}" width="{w}" height="10" rx="5" fill="#8fd3d0"/>'
                      for y, w in ((182, 118), (202, 86)))
    body = (
        '<defs><linearGradient id="cover" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#1aa3a0"/><stop offset="1" stop-color="#0a5a59"/>'
        '</linearGradient></defs>'
        '<rect x="40" y="20" width="188" height="220" rx="20" fill="#063f3e"/>'
        '<rect x="36" y="16" width="188" height="220" rx="20" fill="url(#cover)"/>'
        '<rect x="36" y="16" width="30" height="220" rx="14" fill="#0a4f4e" opacity="0.55"/>'
        '<rect x="78" y="52" width="126" height="114" rx="12" fill="#f7fbfb"/>'
        f'<path d="{trace}" fill="none" stroke="#c0392b" stroke-width="9" '
        'stroke-linecap="round" stroke-linejoin="round"/>'
        + entries + rings)
    return svg(256, 256, body, background=None)


def run(*cmd, **kw):
    subprocess.run(cmd, check=True, **kw)


def render_png(svg_file, png_file, width, height):
    run("rsvg-convert", "--width", str(width), "--height", str(height), svg_file, "-o", png_file)


def render_jpeg(svg_file, jpg_file, width, height, tmp, background=BG):
    png = os.path.join(tmp, "x.png")
    ppm = os.path.join(tmp, "x.ppm")
    run("rsvg-convert", "--width", str(width), "--height", str(height),
        "--background-color", background, svg_file, "-o", png)
    with open(ppm, "wb") as out:
        run("pngtopnm", png, stdout=out)
    run("cjpeg", "-quality", "90", "-optimize", "-outfile", jpg_file, ppm)


def main():
    for tool in ("rsvg-convert", "pngtopnm", "cjpeg"):
        if not shutil.which(tool):
            sys.exit(f"missing tool: {tool}")
    os.makedirs(PICTURES, exist_ok=True)
    tmp = tempfile.mkdtemp()
    try:
        files = []
        jpegs = [
            ("print.jpg", printer, 39, 41),
            ("busy.jpg", hourglass, 35, 35),
            ("new-qso.jpg", new_qso, 55, 33),
            ("eqsl-config.jpg", eqsl_config, 73, 105),
            ("radio.jpg", radio, 50, 40),
        ]
        for name, draw, w, h in jpegs:
            src = os.path.join(tmp, name + ".svg")
            with open(src, "w") as f:
                f.write(draw())
            render_jpeg(src, os.path.join(PICTURES, name), w, h, tmp)
            files.append(name)

        src = os.path.join(tmp, "config.svg")
        with open(src, "w") as f:
            f.write(config_button())
        render_png(src, os.path.join(PICTURES, "config.png"), 41, 41)
        files.append("config.png")

        # Language pictures of the configuration dialog, from the same drawings as the flags.
        for name, code in (("language-german.jpg", "de"), ("language-english.jpg", "gb")):
            render_jpeg(os.path.join(FLAG_SVG, code + ".svg"), os.path.join(PICTURES, name), 30, 25,
                        tmp, background="white")
            files.append(name)

        scalable = os.path.join(ICONS, "scalable", "apps")
        os.makedirs(scalable, exist_ok=True)
        icon_svg = os.path.join(scalable, "vosmira.svg")
        with open(icon_svg, "w") as f:
            f.write(app_icon())
        for size in (16, 32, 48, 64, 128, 256):
            folder = os.path.join(ICONS, f"{size}x{size}", "apps")
            os.makedirs(folder, exist_ok=True)
            render_png(icon_svg, os.path.join(folder, "vosmira.png"), size, size)

        with open(os.path.join(ROOT, "resources", "pictures.qrc"), "w") as f:
            f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/pictures">\n')
            for name in sorted(files):
                f.write(f'    <file alias="{name}">pictures/{name}</file>\n')
            f.write('    <file alias="vosmira.png">icons/hicolor/256x256/apps/vosmira.png</file>\n')
            f.write('  </qresource>\n</RCC>\n')
    finally:
        shutil.rmtree(tmp)
    print(f"wrote {len(files)} pictures and the application icon")


if __name__ == "__main__":
    main()
