"""File formats the skin is stored in: BMP (24-bit, or 8-bit with a colour table), multi-image ICO,
and PNG for previews."""

import struct
import zlib

from raster import Canvas, clamp

_PIXELS_PER_METRE = 3780  # 96 dots per inch


def _byte(v):
    return int(clamp(round(v), 0, 255))


def _info_header(width, height, bits, image_size, colours=0):
    """BITMAPINFOHEADER, uncompressed."""
    return struct.pack(
        "<IiiHHIIiiII",
        40, width, height, 1, bits, 0, image_size,
        _PIXELS_PER_METRE, _PIXELS_PER_METRE, colours, 0,
    )


def _bmp_file(info_header, colour_table, pixels):
    offset = 14 + len(info_header) + len(colour_table)
    return (
        struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
        + info_header
        + colour_table
        + pixels
    )


def _bgr(colour):
    r, g, b = colour
    return bytes((_byte(b), _byte(g), _byte(r)))


def bmp24(canvas):
    """An uncompressed 24-bit bottom-up BMP file; rows padded to 4 bytes."""
    w, h = canvas.width, canvas.height
    pad = b"\0" * ((4 - w * 3 % 4) % 4)
    rows = []
    for y in range(h - 1, -1, -1):
        rows.append(b"".join(_bgr(canvas.get(x, y)) for x in range(w)) + pad)
    pixels = b"".join(rows)
    return _bmp_file(_info_header(w, h, 24, len(pixels)), b"", pixels)


def bmp(canvas):
    """The smaller of two uncompressed bottom-up BMP files of the same pixels: 24-bit, or 8-bit
    with a colour table of the picture's own colours (at most 256, in byte order) that holds no
    colour twice. The program keeps its pictures in its image, where every byte costs memory."""
    w, h = canvas.width, canvas.height
    colours = sorted({_bgr(canvas.get(x, y)) for y in range(h) for x in range(w)})
    stride = (w + 3) & ~3
    if len(colours) > 256 or 4 * len(colours) + stride * h >= ((w * 3 + 3) & ~3) * h:
        return bmp24(canvas)
    index = {colour: i for i, colour in enumerate(colours)}
    pad = b"\0" * (stride - w)
    rows = []
    for y in range(h - 1, -1, -1):
        rows.append(bytes(index[_bgr(canvas.get(x, y))] for x in range(w)) + pad)
    pixels = b"".join(rows)
    table = b"".join(colour + b"\0" for colour in colours)
    return _bmp_file(_info_header(w, h, 8, len(pixels), len(colours)), table, pixels)


def read_bmp(data):
    """The canvas of a file that bmp or bmp24 wrote."""
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, w, h = struct.unpack_from("<Iii", data, 14)
    bits = struct.unpack_from("<H", data, 28)[0]
    colours = struct.unpack_from("<I", data, 46)[0]
    if bits not in (8, 24) or h <= 0:
        raise ValueError("not a bottom-up 8-bit or 24-bit bitmap")
    table = [data[14 + header_size + 4 * i : 14 + header_size + 4 * i + 3] for i in range(colours)]
    stride = (w * bits // 8 + 3) & ~3
    out = Canvas(w, h)
    for y in range(h):
        row = offset + (h - 1 - y) * stride
        for x in range(w):
            if bits == 8:
                b, g, r = table[data[row + x]]
            else:
                b, g, r = data[row + x * 3 : row + x * 3 + 3]
            out.put(x, y, (float(r), float(g), float(b)))
    return out


def png(canvas):
    """An 8-bit RGB PNG; each row takes the filter that makes it smallest."""
    w, h = canvas.width, canvas.height
    raw = canvas.bytes_rgb()
    stride = w * 3
    previous = bytes(stride)
    body = bytearray()
    for y in range(h):
        row = raw[y * stride : (y + 1) * stride]
        candidates = [
            (0, row),
            (1, bytes((row[i] - (row[i - 3] if i >= 3 else 0)) & 255 for i in range(stride))),
            (2, bytes((row[i] - previous[i]) & 255 for i in range(stride))),
        ]
        kind, filtered = min(candidates, key=lambda c: sum(b if b < 128 else 256 - b for b in c[1]))
        body += bytes((kind,)) + filtered
        previous = row

    def chunk(tag, payload):
        crc = zlib.crc32(tag + payload) & 0xFFFFFFFF
        return struct.pack(">I", len(payload)) + tag + payload + struct.pack(">I", crc)

    header = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(bytes(body), 9))
        + chunk(b"IEND", b"")
    )


# The sixteen colours every display offers, in their customary order (black first).
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _nearest(palette, colour):
    def distance(i):
        return sum((p - c) ** 2 for p, c in zip(palette[i], colour))

    return min(range(len(palette)), key=distance)


class IconImage:
    """One image of an icon: straight colours, and which pixels show (opaque when alpha >= 0.5)."""

    def __init__(self, canvas, bits, palette=None):
        self.canvas = canvas
        self.bits = bits
        self.palette = palette  # for 4 bits: the colours to map onto; 8 bits: chosen here

    def _opaque(self, x, y):
        return self.canvas.get_alpha(x, y) >= 0.5

    def _mask_rows(self):
        w, h = self.canvas.width, self.canvas.height
        stride = ((w + 31) // 32) * 4
        out = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if self.bits == 32:
                    transparent = _byte(self.canvas.get_alpha(x, y) * 255) == 0
                else:
                    transparent = not self._opaque(x, y)
                if transparent:
                    row[x // 8] |= 0x80 >> (x % 8)
            out += row
        return bytes(out)

    def _indexed(self):
        w, h = self.canvas.width, self.canvas.height
        if self.bits == 4:
            palette = list(self.palette)
        else:
            used = {
                tuple(_byte(v) for v in self.canvas.get(x, y))
                for y in range(h)
                for x in range(w)
                if self._opaque(x, y)
            }
            if len(used) > 255:  # index 0 stays black, for the pixels the mask leaves out
                raise ValueError("a 256-colour icon image uses %d colours" % len(used))
            palette = [(0, 0, 0)] + [c for c in sorted(used) if c != (0, 0, 0)]
            palette += [(0, 0, 0)] * (256 - len(palette))
        lookup = {}
        stride = ((w * self.bits + 31) // 32) * 4
        out = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                index = 0
                if self._opaque(x, y):
                    c = tuple(_byte(v) for v in self.canvas.get(x, y))
                    if c not in lookup:
                        lookup[c] = _nearest(palette, c)
                    index = lookup[c]
                if self.bits == 4:
                    row[x // 2] |= index << (4 if x % 2 == 0 else 0)
                else:
                    row[x] = index
            out += row
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        return table, bytes(out)

    def encode(self):
        w, h = self.canvas.width, self.canvas.height
        if self.bits == 32:
            table = b""
            pixels = bytearray()
            for y in range(h - 1, -1, -1):
                for x in range(w):
                    a = _byte(self.canvas.get_alpha(x, y) * 255)
                    r, g, b = (_byte(v) for v in self.canvas.get(x, y)) if a else (0, 0, 0)
                    pixels += bytes((b, g, r, a))
            pixels = bytes(pixels)
        else:
            table, pixels = self._indexed()
        mask = self._mask_rows()
        colours = 16 if self.bits == 4 else 0
        header = _info_header(w, h * 2, self.bits, len(pixels) + len(mask), colours)
        return header + table + pixels + mask


def ico(images):
    """A multi-image icon file from IconImage objects, in the order given."""
    blobs = [image.encode() for image in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for image, blob in zip(images, blobs):
        w, h = image.canvas.width, image.canvas.height
        colours = 16 if image.bits == 4 else 0
        directory += struct.pack(
            "<BBBBHHII", w % 256, h % 256, colours, 0, 1, image.bits, len(blob), offset
        )
        offset += len(blob)
    return directory + b"".join(blobs)
