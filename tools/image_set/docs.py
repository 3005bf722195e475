"""The review pictures of the image set: the contact sheet (every picture at 1x, its 150 %
and 200 % renders, and 1x enlarged 4 times, on a light and a dark background, with its id)
and the mock-up (the pop-ups put together the way the program draws them, at 1x and, from
the 200 % renders, at 2x). Both are SVG documents rendered by rsvg-convert."""

import subprocess
from xml.sax.saxutils import escape

from image_set.png_codec import decode_png, encode_png, scale_rows

LIGHT, DARK, PAGE = "#f4f5f7", "#101113", "#c9ccd1"
LABEL_FONT = "font-family:'DejaVu Sans';font-size:12px"
UI_FONT = "font-family:'WenQuanYi Micro Hei'"
PAD, MARGIN, LABEL_HEIGHT, ZOOM = 8, 16, 36, 4


def _svg(width, height, body, background):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
            f'width="{width}" height="{height}">\n<rect width="{width}" height="{height}" '
            f'fill="{background}"/>\n' + "\n".join(body) + "\n</svg>\n")


def _image(href, x, y, width, height, extra=""):
    return (f'<image xlink:href="{href}" x="{x}" y="{y}" width="{width}" height="{height}" '
            f'preserveAspectRatio="none"{extra}/>')


def _text(x, y, text, style, colour, extra=""):
    return f'<text x="{x}" y="{y}" style="{style}" fill="{colour}"{extra}>{escape(text)}</text>'


def _render(svg_text, folder, name, out, zoom=1):
    source = folder / f"{name}.svg"
    source.write_text(svg_text)
    subprocess.run(["rsvg-convert", "-u", f"--zoom={zoom}", "-o", str(out), str(source)],
                   check=True)


def _label(picture, ids):
    if picture.kind == "IDI":
        number, name = ids["IDI_PICTOR"], picture.name.rsplit("_", 1)[0]
    else:
        number, name = ids.get(picture.name, "named"), picture.name
    if picture.kind == "IDC":
        detail = f"cursor, hot spot {picture.hotspot[0]}, {picture.hotspot[1]}"
    elif picture.kind == "IDI":
        detail = "icon image"
    else:
        detail = "RGB" if picture.rgb else "RGBA"
    return f"{number}  {name}", f"{picture.width} × {picture.height}  {detail}"


def _card(picture, ids, folder):
    """The SVG of one picture's card at (0, 0) and the card's size: the picture and its
    renders at the other scales one above the other, 1x enlarged beside them."""
    first, second = _label(picture, ids)
    w, h = picture.width, picture.height
    stem = f"card_{picture.name}"
    column, column_w, column_h = [], 0, -PAD
    for percent, frame in picture.frames():
        href = f"{stem}_{percent}.png"
        (folder / href).write_bytes(encode_png(frame.width, frame.height, frame.pixels, "rgba"))
        column.append((href, column_h + PAD, frame))
        column_w, column_h = max(column_w, frame.width), column_h + PAD + frame.height
    big = scale_rows(picture.pixels, ZOOM)
    (folder / f"{stem}_x{ZOOM}.png").write_bytes(
        encode_png(w * ZOOM, h * ZOOM, big, "rgba", adaptive=False))
    panel_w, panel_h = 3 * PAD + column_w + ZOOM * w, 2 * PAD + max(ZOOM * h, column_h)
    width = max(panel_w, 8 * max(len(first), len(second)) + PAD)
    body = [_text(0, 14, first, LABEL_FONT + ";font-weight:bold", "#1d1f23"),
            _text(0, 30, second, LABEL_FONT, "#3a3d44")]
    for index, colour in enumerate((LIGHT, DARK)):
        top = LABEL_HEIGHT + index * panel_h
        body.append(f'<rect x="0" y="{top}" width="{width}" height="{panel_h}" fill="{colour}"/>')
        for href, y, frame in column:
            body.append(_image(href, PAD, top + PAD + y, frame.width, frame.height))
        body.append(_image(f"{stem}_x{ZOOM}.png", 2 * PAD + column_w, top + PAD, ZOOM * w,
                           ZOOM * h))
    return body, width, LABEL_HEIGHT + 2 * panel_h


def write_contact_sheet(pictures, ids, sheets, scratch, out):
    folder = scratch / "contact"
    folder.mkdir()
    cards = {sheet: [_card(p, ids, folder) for p in pictures if p.sheet == sheet]
             for sheet in sheets}
    sheet_width = max(2200, max(c[1] for group in cards.values() for c in group) + 2 * MARGIN)
    body, y = [], MARGIN
    for sheet in sheets:
        body.append(_text(MARGIN, y + 20, f"resources/images/{sheet}.svg",
                          "font-family:'DejaVu Sans';font-size:20px;font-weight:bold", "#1d1f23"))
        y += 36
        x, row_height = MARGIN, 0
        for card_body, width, height in cards[sheet]:
            if x + width > sheet_width - MARGIN and x > MARGIN:
                x, y, row_height = MARGIN, y + row_height + MARGIN, 0
            body.append(f'<g transform="translate({x},{y})">' + "".join(card_body) + "</g>")
            x += width + MARGIN
            row_height = max(row_height, height)
        y += row_height + 2 * MARGIN
    _render(_svg(sheet_width, y, body, PAGE), folder, "contact", out)


# The mock-up. Positions and sizes are the program's layout: the toolbar's buttons, the
# picker's layouts, the drop-down, the tooltip, the magnifier and the balloon.
TOOLBAR_BUTTONS = [(11, 30014), (55, 30039), (99, 30017), (143, 30045), (187, 121),
                   (231, 30005), (275, 30007), (319, 30001)]
PALETTE = ["#000000", "#808080", "#800000", "#808000", "#008000", "#000080", "#800080",
           "#008080", "#ffffff", "#c0c0c0", "#ff0000", "#ffff00", "#00ff00", "#0000ff",
           "#ff00ff", "#00ffff"]
SCENE_WIDTH, SCENE_HEIGHT = 900, 600
SELECTION = (40, 40, 520, 220)


def _nine_grid(href, size, corner, x, y, width, height):
    """The image stretched over (x, y, width, height) with unscaled corners."""
    (iw, ih), (cw, ch) = size, corner
    columns = [(0, cw, x, cw), (cw, iw - 2 * cw, x + cw, width - 2 * cw),
               (iw - cw, cw, x + width - cw, cw)]
    rows = [(0, ch, y, ch), (ch, ih - 2 * ch, y + ch, height - 2 * ch),
            (ih - ch, ch, y + height - ch, ch)]
    parts = []
    for sx, sw, dx, dw in columns:
        for sy, sh, dy, dh in rows:
            parts.append(f'<svg x="{dx}" y="{dy}" width="{dw}" height="{dh}" '
                         f'viewBox="{sx} {sy} {sw} {sh}" preserveAspectRatio="none">'
                         + _image(href, 0, 0, iw, ih) + "</svg>")
    return parts


def _png(id_):
    return f"{id_}.png"


def _backdrop():
    """A made-up desktop: a light document on the left, a dark editor on the right."""
    body = ['<rect width="450" height="600" fill="#eef0f3"/>',
            '<rect x="450" width="450" height="600" fill="#1f2126"/>',
            '<rect x="70" y="70" width="300" height="26" fill="#3b82c4"/>']
    for i in range(14):
        body.append(f'<rect x="70" y="{112 + 16 * i}" width="{150 + (i * 53) % 190}" '
                    f'height="6" fill="#9aa0a8"/>')
        body.append(f'<rect x="470" y="{60 + 16 * i}" width="{60 + (i * 37) % 120}" height="6" '
                    f'fill="{["#d4995b", "#7fb06b", "#6aa5d8", "#c678dd"][i % 4]}"/>')
    body.append('<circle cx="300" cy="170" r="40" fill="#e2574c"/>')
    return body


def _overlay():
    l, t, r, b = SELECTION
    body = [f'<path d="M0 0 H{SCENE_WIDTH} V{SCENE_HEIGHT} H0 Z M{l} {t} V{b} H{r} V{t} Z" '
            'fill="#000000" fill-opacity="0.4" fill-rule="evenodd"/>',
            f'<rect x="{l - 1}" y="{t - 1}" width="{r - l + 1}" height="{b - t + 1}" '
            'fill="none" stroke="#ff8b31" stroke-width="2"/>']
    c, m = (l + r) // 2, (t + b) // 2
    for hx, hy in [(l - 2, m - 2), (c - 2, t - 2), (r - 2, m - 2), (c - 2, b - 2),
                   (l - 2, t - 2), (r - 4, t - 2), (l - 2, b - 6), (r - 4, b - 4)]:
        body.append(_image(_png(139), hx, hy, 6, 6))
    body += _nine_grid(_png(141), (110, 32), (5, 5), l, 2, 122, 36)
    body.append(_text(l + 61, 27, f" {r - l} × {b - t} ", UI_FONT + ";font-size:20px",
                      "#c3c3c3", ' text-anchor="middle"'))
    return body


def _toolbar(x, y):
    body = [f'<svg x="{x}" y="{y}" width="354" height="45">' + _image(_png(137), 0, 0, 594, 46)
            + "</svg>"]
    for index, (bx, image) in enumerate(TOOLBAR_BUTTONS):
        body.append(_image(_png(30013 if index == 0 else image), x + bx, y + 11, 24, 24))
    return body


def _tooltip(x, y, width, text):
    """The tooltip at the cursor (x, y): the strip's plain part under white text."""
    return [f'<svg x="{x + 8}" y="{y + 18}" width="{width}" height="22">'
            + _image(_png(137), -100, -4, 594, 46) + "</svg>",
            _text(x + 12, y + 34, text, UI_FONT + ";font-size:12px", "#ffffff")]


def _colours(x, y, first_cell, width, hover, pressed, chosen, preview_x):
    body = _nine_grid(_png(30036), (16, 16), (7, 7), x + preview_x, y + 13, 27, 27)
    body.append(f'<rect x="{x + preview_x + 2}" y="{y + 15}" width="23" height="23" '
                f'fill="{PALETTE[chosen]}"/>')
    cx, cy = first_cell
    for index, colour in enumerate(PALETTE):
        frame = 30036 if index == hover else 30034 if index == pressed else 30035
        body.append(f'<rect x="{x + cx + 1}" y="{y + cy + 1}" width="14" height="14" '
                    f'fill="{colour}"/>')
        body.append(_image(_png(frame), x + cx, y + cy, 16, 16))
        cx, cy = (cx + 18, cy) if cx + 19 < width else (first_cell[0], 27)
    return body


def _picker(x, y, width, sizes):
    """A picker strip; `sizes` lists each size button's image."""
    body = _nine_grid(_png(142), (10, 28), (4, 13), x, y + 4, width, 45)
    for index, image in enumerate(sizes):
        body.append(_image(_png(image), x + 2 + 43 * index, y + 5, 43, 43))
    return body


def _text_picker(x, y):
    body = _picker(x, y, 271, [])
    body.append(_image(_png(30050), x + 6, y + 11, 74, 32))
    body.append(_text(x + 10, y + 31, "12", UI_FONT + ";font-size:12px", "#c3c3c3"))
    body += _colours(x, y, (127, 9), 271, hover=13, pressed=None, chosen=10, preview_x=90)
    for index, size in enumerate(["8", "10", "12", "14", "16", "18", "20", "22"]):
        top = y + 49 - 1 + 4 + 32 * index
        body.append(_image(_png(30054 if index == 3 else 30053), x + 6, top, 74, 32))
        body.append(_text(x + 10, top + 20, size, UI_FONT + ";font-size:12px", "#c3c3c3"))
    return body


def _magnifier(x, y, colour):
    """The magnifier's window: 119 x 133, so the picture's last column and row are cut."""
    r, g, b = colour
    body = [f'<svg x="{x}" y="{y}" width="119" height="89">'
            + _image("magnified.png", 0, 0, 120, 90) + "</svg>",
            _image(_png(30000), x, y, 119, 89),
            f'<rect x="{x}" y="{y + 89}" width="119" height="44" fill="#2e2220"/>']
    l, t, right, bottom = SELECTION
    for line, text in enumerate([f"{right - l} X {bottom - t}", f"RGB({r},{g},{b})",
                                 f"#{r:02x}{g:02x}{b:02x}"]):
        body.append(_text(x + 3, y + 89 + 3 + 10 + 12 * line, text,
                          UI_FONT + ";font-size:11px", "#ffffff"))
    body.append(f'<rect x="{x + 102}" y="{y + 89 + 29}" width="12" height="12" '
                f'fill="#{r:02x}{g:02x}{b:02x}"/>')
    return body


def _balloon(x, y):
    font = UI_FONT + ";font-size:"
    return [_image(_png(30011), x, y, 298, 138),
            _text(x + 13, y + 24, "Orvella", font + "12px", "#a0a0a0"),
            _text(x + 52, y + 70, "截图已保存，", font + "18px", "#f9ffff"),
            _text(x + 160, y + 70, "点击查看", font + "18px", "#ffcc00",
                  ' text-decoration="underline"'),
            _text(x + 149, y + 121, "截图可以打上马赛克哦~", font + "12px", "#a0a0a0",
                  ' text-anchor="middle"'),
            _image(_png(189), x + 274, y + 10, 14, 14)]


def _magnified(folders, cx, cy):
    """The picture the magnifier shows around (cx, cy), 3 times as large at 1x and 6 times
    at 2x (one file in each folder), and the colour of that pixel."""
    _render(_svg(SCENE_WIDTH, SCENE_HEIGHT, _backdrop(), "#000000"), folders[1], "backdrop",
            folders[1] / "backdrop.png")
    _, _, rows = decode_png((folders[1] / "backdrop.png").read_bytes())
    crop = [row[4 * (cx - 20):4 * (cx + 20)] for row in rows[cy - 15:cy + 15]]
    for scale, folder in folders.items():
        (folder / "magnified.png").write_bytes(
            encode_png(120 * scale, 90 * scale, scale_rows(crop, 3 * scale), "rgba",
                       adaptive=False))
    return tuple(rows[cy][4 * cx:4 * cx + 3])


def write_mockup(pictures, ids, scratch, out):
    """The scene at 1x from the pictures, and at 2x from their 200 % renders: the same SVG
    zoomed, its images looked up in a folder of the 200 % files under the same names."""
    folders = {1: scratch / "mockup", 2: scratch / "mockup" / "200"}
    folders[2].mkdir(parents=True)
    for picture in pictures:
        if picture.kind == "IDB":
            for scale, frame in ((1, picture), (2, picture.zooms[200])):
                (folders[scale] / _png(ids[picture.name])).write_bytes(
                    encode_png(frame.width, frame.height, frame.pixels, "rgba"))
    colour = _magnified(folders, 338, 160)
    body = _backdrop() + _overlay() + _toolbar(166, 225)
    body += _picker(166, 270, 316, [30026, 30028, 30033])
    body += _colours(166, 270, (171, 9), 316, hover=10, pressed=3, chosen=0, preview_x=137)
    body += _text_picker(600, 40)
    body += _picker(600, 420, 219, [30026, 30029, 30031, 144, 146])
    body += _magnifier(380, 390, colour)
    body += _balloon(40, 360)
    body += _tooltip(166 + 243, 225 + 24, 78, "保存 Ctrl+S")
    scene = _svg(SCENE_WIDTH, SCENE_HEIGHT, body, "#000000")
    for scale, folder in folders.items():
        _render(scene, folder, "scene", folders[1] / f"scene{scale}.png", zoom=scale)
    both = [_image("scene1.png", MARGIN, MARGIN, SCENE_WIDTH, SCENE_HEIGHT),
            _image("scene2.png", 2 * MARGIN + SCENE_WIDTH, MARGIN, 2 * SCENE_WIDTH,
                   2 * SCENE_HEIGHT)]
    _render(_svg(3 * SCENE_WIDTH + 3 * MARGIN, 2 * SCENE_HEIGHT + 2 * MARGIN, both, PAGE),
            folders[1], "mockup", out)
