"""A small PNG reader and writer for the image set, so that the committed files carry
exactly IHDR, IDAT and IEND: no time stamp, no background chunk, the same bytes on every run.
"""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}
COLOUR_TYPES = {"rgb": 2, "rgba": 6}


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(kind, line, prev, bpp):
    for x in range(len(line)):
        a = line[x - bpp] if x >= bpp else 0
        b = prev[x]
        c = prev[x - bpp] if x >= bpp else 0
        if kind == 1:
            line[x] = (line[x] + a) & 255
        elif kind == 2:
            line[x] = (line[x] + b) & 255
        elif kind == 3:
            line[x] = (line[x] + (a + b) // 2) & 255
        elif kind == 4:
            line[x] = (line[x] + _paeth(a, b, c)) & 255
    return line


def _to_rgba(row, colour_type):
    if colour_type == 6:
        return bytes(row)
    if colour_type == 2:
        out = bytearray()
        for x in range(0, len(row), 3):
            out += row[x:x + 3] + b"\xff"
        return bytes(out)
    raise ValueError(f"unsupported PNG colour type {colour_type}")


def decode_png(data):
    """Width, height and top-down rows of RGBA bytes of an 8-bit RGB or RGBA PNG."""
    if data[:8] != SIGNATURE:
        raise ValueError("not a PNG file")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or interlace:
                raise ValueError("only 8-bit, non-interlaced PNGs are read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    bpp = CHANNELS[colour_type]
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        line = _unfilter(raw[start], bytearray(raw[start + 1:start + 1 + stride]), prev, bpp)
        rows.append(_to_rgba(line, colour_type))
        prev = line
    return width, height, rows


def _filtered(kind, line, prev, bpp):
    out = bytearray(len(line))
    for x in range(len(line)):
        a = line[x - bpp] if x >= bpp else 0
        b = prev[x]
        c = prev[x - bpp] if x >= bpp else 0
        predictor = (0, a, b, (a + b) // 2, _paeth(a, b, c))[kind]
        out[x] = (line[x] - predictor) & 255
    return out


def _best_filter(line, prev, bpp):
    """The filtered row with the smallest sum of signed bytes, as libpng chooses."""
    best = None
    for kind in range(5):
        out = _filtered(kind, line, prev, bpp)
        cost = sum(v if v < 128 else 256 - v for v in out)
        if best is None or cost < best[0]:
            best = (cost, bytes([kind]) + bytes(out))
    return best[1]


def _chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def encode_png(width, height, rows, mode, adaptive=True):
    """An 8-bit PNG of `rows` (top-down RGBA bytes), written as RGBA or as RGB without alpha.
    Large review pictures pass adaptive=False: unfiltered rows are much faster to make."""
    bpp = 4 if mode == "rgba" else 3
    raw, prev = bytearray(), bytes(width * bpp)
    for row in rows:
        line = row if mode == "rgba" else b"".join(row[x:x + 3] for x in range(0, len(row), 4))
        raw += _best_filter(line, prev, bpp) if adaptive else b"\x00" + line
        prev = line
    header = struct.pack(">IIBBBBB", width, height, 8, COLOUR_TYPES[mode], 0, 0, 0)
    return (SIGNATURE + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            _chunk(b"IEND", b""))


def scale_rows(rows, factor):
    """Nearest-neighbour enlargement of RGBA rows, so that every pixel shows as a square."""
    out = []
    for row in rows:
        wide = b"".join(row[x:x + 4] * factor for x in range(0, len(row), 4))
        out.extend([wide] * factor)
    return out
