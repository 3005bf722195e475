#!/usr/bin/env python3
"""Renders the program's image set from the SVG sheets in resources/images/.

Each sheet holds a family of pictures; every nested <svg> of a sheet whose id is a resource
name (IDB_..., IDR_..., IDC_..., IDI_...) is one picture, cut out at its x, y, width and
height by rsvg-convert (Debian package librsvg2-bin). Pictures and cursors are also rendered
from the sheet at 150 % and 200 % for high display scales: round(w x 1.5) x round(h x 1.5),
halves rounded up, and 2w x 2h, the picture's area stretched over exactly that many pixels.
The script writes

  resources/images/rendered/*.png   the BINDATA images (8-bit RGBA, or RGB where a picture
                                    says data-format="rgb")
  resources/images/rendered/150/*.png, 200/*.png
                                    the same images at 150 % and 200 %, BINDATA150 and
                                    BINDATA200 in the resource script, with the same ids
  resources/images/rendered/*.cur   the cursors (data-hotspot="x y" on the picture) with
                                    their 100 %, 150 % and 200 % images; a cursor marked
                                    data-fixed-size="yes" holds its 100 % image only
  resources/images/rendered/*.ico   the program icon (pictures IDI_PICTOR_<size>)
  resources/images.rc               the resource script of the set
  docs/images/resources.png         the contact sheet: every picture at 1x, 150 %, 200 % and
                                    4x
  docs/images/mockup.png            the pop-ups put together as the program draws them

The output depends only on the sheets, resource_ids.h and the installed renderer and fonts
(fonts-dejavu-core, fonts-wqy-microhei): PNGs carry no time stamp, so a second run writes
the same bytes. `--check` renders into a scratch folder and compares with the committed files.
"""

import argparse
import filecmp
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from image_set.docs import write_contact_sheet, write_mockup  # noqa: E402
from image_set.png_codec import decode_png, encode_png  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
SHEET_DIR = ROOT / "resources" / "images"
RENDERED = Path("resources") / "images" / "rendered"
RC_FILE = Path("resources") / "images.rc"
IDS_HEADER = ROOT / "resources" / "resource_ids.h"
# The order of the families on the contact sheet.
SHEETS = ["toolbar", "picker", "controls", "overlay", "balloon", "cursors", "icon"]
SVG_NS = "{http://www.w3.org/2000/svg}"
# A sheet written back for rendering keeps its plain svg and xlink prefixes.
ET.register_namespace("", SVG_NS[1:-1])
ET.register_namespace("xlink", "http://www.w3.org/1999/xlink")
# The display scales beyond 100 % that pictures and cursors are also rendered at, and the
# resource type of each scale's images.
ZOOMS = (150, 200)
IMAGE_TYPES = {100: "BINDATA", 150: "BINDATA150", 200: "BINDATA200"}
NAME_PATTERN = re.compile(r"^(IDB|IDR|IDC|IDI)_[A-Z0-9_]+$")


def zoomed(length, percent):
    """A length at `percent` % of its size, halves rounded up."""
    return (2 * length * percent + 100) // 200


class Frame:
    """A picture as rendered at one scale: its size, hot spot and top-down RGBA rows."""

    def __init__(self, width, height, hotspot):
        self.width, self.height, self.hotspot = width, height, hotspot
        self.pixels = None


class Picture(Frame):
    """One picture of a sheet at 100 %: where it lies, what it becomes, and its renders at
    the other scales in `zooms` (percent to Frame)."""

    def __init__(self, sheet, element):
        hotspot = element.get("data-hotspot")
        super().__init__(int(element.get("width")), int(element.get("height")),
                         tuple(int(v) for v in hotspot.split()) if hotspot else None)
        self.sheet = sheet
        self.name = element.get("id")
        self.x, self.y = int(element.get("x", "0")), int(element.get("y", "0"))
        self.rgb = element.get("data-format") == "rgb"
        self.zooms = {}
        # The icon's sizes are drawn on pixel grids of their own; a cursor marked
        # data-fixed-size="yes" shows a size in screen pixels, whatever the display scale.
        fixed = self.kind == "IDI" or (self.kind == "IDC"
                                       and element.get("data-fixed-size") == "yes")
        for percent in () if fixed else ZOOMS:
            self.zooms[percent] = Frame(zoomed(self.width, percent),
                                        zoomed(self.height, percent),
                                        self.zoomed_hotspot(percent))

    @property
    def kind(self):
        return self.name[:3]

    def file_stem(self):
        return self.name[4:].lower()

    def zoomed_hotspot(self, percent):
        """The pixel under the middle of the hot-spot pixel once zoomed."""
        if not self.hotspot:
            return None
        return tuple((2 * v + 1) * percent // 200 for v in self.hotspot)

    def frames(self):
        """The picture's renders from 100 % up, each with its percentage."""
        return [(100, self)] + sorted(self.zooms.items())


def read_ids():
    ids = {}
    for line in IDS_HEADER.read_text().splitlines():
        match = re.match(r"#define\s+(\w+)\s+(\d+)\s*$", line)
        if match:
            ids[match.group(1)] = int(match.group(2))
    return ids


def read_sheet(sheet):
    root = ET.parse(SHEET_DIR / f"{sheet}.svg").getroot()
    pictures = []
    for element in root:
        if element.tag == SVG_NS + "svg" and NAME_PATTERN.match(element.get("id", "")):
            pictures.append(Picture(sheet, element))
    return pictures


def render_frame(picture, percent, frame, scratch):
    """Renders the picture's area of its sheet onto the frame's pixels: the sheet is given
    the frame's size and a view box on the picture, so that no other picture shows."""
    tree = ET.parse(SHEET_DIR / f"{picture.sheet}.svg")
    root = tree.getroot()
    root.set("width", str(frame.width))
    root.set("height", str(frame.height))
    root.set("viewBox", f"{picture.x} {picture.y} {picture.width} {picture.height}")
    root.set("preserveAspectRatio", "none")
    source = scratch / f"{picture.name}_{percent}.svg"
    out = source.with_suffix(".png")
    tree.write(source)
    subprocess.run(["rsvg-convert", "-o", str(out), str(source)], check=True)
    width, height, rows = decode_png(out.read_bytes())
    if (width, height) != (frame.width, frame.height):
        sys.exit(f"{picture.name} at {percent} %: rendered {width}x{height}, wanted "
                 f"{frame.width}x{frame.height}")
    if picture.rgb and any(row[3::4] != b"\xff" * width for row in rows):
        sys.exit(f"{picture.name}: an RGB picture must be opaque everywhere")
    frame.pixels = rows


def dib_image(frame):
    """A 32-bit icon or cursor image: BGRA colours and the AND mask, both bottom-up."""
    width, height, rows = frame.width, frame.height, frame.pixels
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            colours += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colours) + bytes(mask)


def icon_file(frames, cursor):
    """An .ico or .cur file; the 256-pixel icon image is stored as PNG."""
    entries, images = b"", b""
    offset = 6 + 16 * len(frames)
    for frame in frames:
        if frame.width >= 256:
            data = encode_png(frame.width, frame.height, frame.pixels, "rgba")
        else:
            data = dib_image(frame)
        planes, bits = frame.hotspot if cursor else (1, 32)
        entries += struct.pack("<BBBBHHII", frame.width % 256, frame.height % 256, 0, 0,
                               planes, bits, len(data), offset)
        images += data
        offset += len(data)
    return struct.pack("<HHH", 0, 2 if cursor else 1, len(frames)) + entries + images


def group_icons(pictures):
    groups = {}
    for picture in pictures:
        if picture.kind == "IDI":
            groups.setdefault(picture.name.rsplit("_", 1)[0], []).append(picture)
    return groups


def image_path(picture, percent):
    """Where the picture's PNG at `percent` % lies, below resources/."""
    folder = "images/rendered" if percent == 100 else f"images/rendered/{percent}"
    return f"{folder}/{picture.file_stem()}.png"


def write_outputs(pictures, out_root):
    rendered = out_root / RENDERED
    for percent in ZOOMS:
        (rendered / str(percent)).mkdir(parents=True, exist_ok=True)
    for picture in pictures:
        if picture.kind in ("IDB", "IDR"):
            for percent, frame in picture.frames():
                data = encode_png(frame.width, frame.height, frame.pixels,
                                  "rgb" if picture.rgb else "rgba")
                (out_root / "resources" / image_path(picture, percent)).write_bytes(data)
        elif picture.kind == "IDC":
            if not picture.hotspot:
                sys.exit(f"{picture.name}: a cursor needs data-hotspot")
            frames = [frame for _, frame in picture.frames()]
            (rendered / f"{picture.file_stem()}.cur").write_bytes(icon_file(frames, True))
    for name, frames in group_icons(pictures).items():
        frames.sort(key=lambda p: p.width)
        (rendered / f"{name[4:].lower()}.ico").write_bytes(icon_file(frames, False))
    (out_root / RC_FILE).write_text(resource_script(pictures))


def resource_script(pictures):
    lines = [
        "// The image set, generated by tools/render_images.py from the SVG sheets in",
        "// resources/images/: do not edit, change the sheets and render again.",
        '#include "resource_ids.h"',
        "",
        "// PNG images, resource type \"BINDATA\", in Simplified Chinese as the program looks",
        "// them up; IDR_BTN_SHARE_LINE is named, not numbered. The same images rendered at",
        "// 150 % and 200 % follow as \"BINDATA150\" and \"BINDATA200\", with the same names.",
        "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED",
    ]
    for percent, image_type in IMAGE_TYPES.items():
        for picture in pictures:
            if picture.kind in ("IDB", "IDR"):
                lines.append(f'{picture.name} {image_type} "{image_path(picture, percent)}"')
        lines.append("")
    lines.append("LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL")
    for picture in pictures:
        if picture.kind == "IDC":
            lines.append(f'{picture.name} CURSOR "images/rendered/{picture.file_stem()}.cur"')
    for name in group_icons(pictures):
        lines.append(f'{name} ICON "images/rendered/{name[4:].lower()}.ico"')
    return "\n".join(lines) + "\n"


def check_names(pictures, ids):
    """Every picture once, and every numbered one with its id in resource_ids.h."""
    names = [p.name for p in pictures]
    twice = sorted({n for n in names if names.count(n) > 1})
    if twice:
        sys.exit(f"pictures named twice: {', '.join(twice)}")
    for picture in pictures:
        name = picture.name.rsplit("_", 1)[0] if picture.kind == "IDI" else picture.name
        if name != "IDR_BTN_SHARE_LINE" and name not in ids:
            sys.exit(f"{name} is not defined in resources/resource_ids.h")


def render_all(out_root):
    if not shutil.which("rsvg-convert"):
        sys.exit("rsvg-convert is missing: apt-get install librsvg2-bin")
    ids = read_ids()
    pictures = [p for sheet in SHEETS for p in read_sheet(sheet)]
    check_names(pictures, ids)
    with tempfile.TemporaryDirectory() as scratch:
        scratch = Path(scratch)
        for picture in pictures:
            for percent, frame in picture.frames():
                render_frame(picture, percent, frame, scratch)
        write_outputs(pictures, out_root)
        docs = out_root / "docs" / "images"
        docs.mkdir(parents=True, exist_ok=True)
        write_contact_sheet(pictures, ids, SHEETS, scratch, docs / "resources.png")
        write_mockup(pictures, ids, scratch, docs / "mockup.png")


def committed_outputs(root):
    files = sorted((root / RENDERED).rglob("*"))
    files += [root / RC_FILE, root / "docs/images/resources.png", root / "docs/images/mockup.png"]
    return [f.relative_to(root) for f in files if f.is_file()]


def check():
    with tempfile.TemporaryDirectory() as scratch:
        scratch = Path(scratch)
        render_all(scratch)
        expected, actual = committed_outputs(scratch), committed_outputs(ROOT)
        problems = [f"missing: {f}" for f in expected if f not in actual]
        problems += [f"not made by the sheets: {f}" for f in actual if f not in expected]
        problems += [f"differs: {f}" for f in expected
                     if f in actual and not filecmp.cmp(scratch / f, ROOT / f, shallow=False)]
    for problem in problems:
        print(problem)
    print("the committed images match their sources" if not problems else
          f"{len(problems)} file(s) out of date: run tools/render_images.py")
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="render into a scratch folder and compare with the committed files")
    args = parser.parse_args()
    os.environ.setdefault("LC_ALL", "C.UTF-8")
    if args.check:
        return check()
    shutil.rmtree(ROOT / RENDERED, ignore_errors=True)
    render_all(ROOT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
