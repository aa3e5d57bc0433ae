"""The file formats: the .ico the program reads, and the preview PNG."""

import struct
import zlib

def ico_bytes(cv):
    """One 32-bit BGRA image with its 1-bit AND mask (1 = transparent)."""
    w, h = cv.w, cv.h
    xor = bytearray()
    for row in reversed(cv.px):  # bottom-up, as in BMP
        for v in row:
            xor += b"\xff\xff\xff\xff" if v else b"\x00\x00\x00\x00"
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(cv.px):
        bits = bytearray(mask_stride)
        for x, v in enumerate(row):
            if not v:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return icondir + entry + image


def parse_ico(data):
    """Read back what ico_bytes writes; raise ValueError on anything unexpected."""

    def need(cond, what):
        if not cond:
            raise ValueError(what)

    need(len(data) >= 22, "too short")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    need((reserved, kind, count) == (0, 1, 1), "ICONDIR")
    bw, bh, colors, res, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    w, h = bw or 256, bh or 256
    need((colors, res, planes, bits) == (0, 0, 1, 32), "ICONDIRENTRY fields")
    need(offset == 22 and offset + size == len(data), "entry size/offset")
    (hsize, biw, bih, biplanes, bibits, comp, isize, _, _, clr, clrimp) = struct.unpack_from("<IiiHHIIiiII", data, offset)
    need(hsize == 40 and biw == w and bih == 2 * h, "BITMAPINFOHEADER size")
    need((biplanes, bibits, comp, clr, clrimp) == (1, 32, 0, 0, 0), "BITMAPINFOHEADER fields")
    mask_stride = ((w + 31) // 32) * 4
    need(isize == w * h * 4 + mask_stride * h and size == 40 + isize, "image size")
    xor_at = offset + 40
    mask_at = xor_at + w * h * 4
    lit = [[0] * w for _ in range(h)]
    for y in range(h):
        src_row = h - 1 - y
        for x in range(w):
            b, g, r, a = data[xor_at + (src_row * w + x) * 4: xor_at + (src_row * w + x) * 4 + 4]
            transparent = (data[mask_at + src_row * mask_stride + (x >> 3)] >> (7 - (x & 7))) & 1
            need((b, g, r, a) in ((255, 255, 255, 255), (0, 0, 0, 0)), "pixel is neither white nor clear")
            need(transparent == (a == 0), "mask disagrees with alpha")
            lit[y][x] = 1 if a else 0
    return w, h, lit

def write_png(path, w, h, rows):
    """rows: list of bytes objects of w RGB triples."""
    raw = b"".join(b"\x00" + bytes(r) for r in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
