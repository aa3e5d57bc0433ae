#!/usr/bin/env python3
"""Writes the icon files the icon reference scenes load, deterministically.

tools/raster-reference/run.sh draws them with the real loader under Wine and
tests/platform/IconReferenceTest.cpp with ours; both read the committed files,
so rerun this only when changing the pictures, then regenerate the goldens.

  generate.py [DIR]   (default: the directory of this script)
"""
import os
import struct
import sys
import zlib

# Picture characters: colour (r, g, b), alpha, AND-mask bit.
PIXELS = {
    '#': ((255, 255, 255), 255, 0),  # opaque white
    '.': ((0, 0, 0), 255, 0),  # opaque black
    ' ': ((0, 0, 0), 0, 1),  # transparent: leaves the page alone
    '~': ((255, 255, 255), 0, 1),  # masked white: inverts the page
    'r': ((200, 40, 40), 255, 0),  # dark red: black by luminance and by nearest colour
    'y': ((250, 250, 100), 255, 0),  # light yellow: white by both
    'g': ((150, 150, 150), 255, 0),  # light grey
    'd': ((100, 100, 100), 255, 0),  # dark grey
    'H': ((255, 255, 255), 192, 0),  # white, mostly opaque
    'L': ((255, 255, 255), 64, 1),  # white, mostly transparent
    'B': ((0, 0, 0), 192, 0),  # black, mostly opaque
    'b': ((0, 0, 0), 64, 1),  # black, mostly transparent
}


def dib_entry(art, bits, alpha=False, mask_from_alpha=True):
    """A BITMAPINFOHEADER icon entry: colour rows then AND mask, bottom up.

    bits 32 with alpha=False writes 0 in every alpha byte (mask decides);
    mask_from_alpha=False writes an all-opaque AND mask (alpha must decide).
    """
    h, w = len(art), len(art[0])
    colours = []
    if bits <= 8:
        for row in art:
            for ch in row:
                if PIXELS[ch][0] not in colours:
                    colours.append(PIXELS[ch][0])
        assert len(colours) <= 1 << bits, (bits, colours)
        colours += [(0, 0, 0)] * ((1 << bits) - len(colours))
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bits, 0, 0, 0, 0, len(colours) if bits <= 8 else 0, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    stride = ((w * bits + 31) // 32) * 4
    mask_stride = ((w + 31) // 32) * 4
    xor = b''
    andm = b''
    for row in reversed(art):
        line = bytearray(stride)
        mline = bytearray(mask_stride)
        for x, ch in enumerate(row):
            (r, g, b), a, m = PIXELS[ch]
            if bits <= 8:
                index = colours.index((r, g, b))
                bit = x * bits
                line[bit // 8] |= index << (8 - bits - bit % 8)
            elif bits == 24:
                line[x * 3:x * 3 + 3] = bytes((b, g, r))
            else:
                line[x * 4:x * 4 + 4] = bytes((b, g, r, a if alpha else 0))
            if m and mask_from_alpha:
                mline[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line)
        andm += bytes(mline)
    return header + table + xor + andm


def png_entry(art):
    h, w = len(art), len(art[0])
    raw = b''
    for row in art:
        raw += b'\0' + b''.join(bytes(PIXELS[ch][0]) + bytes((PIXELS[ch][1],)) for ch in row)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def icon_file(entries):
    """entries: (width, height, bits, data)."""
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, bits, data in entries:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b''.join(e[3] for e in entries)


def entry_picture(n, shape):
    """An n x n picture: white border; inside, 1-pixel vertical stripes on the
    left half and horizontal ones top right, so the sampled rows and columns
    of a scaled copy show; bottom right a shape naming the entry."""
    grid = [['.'] * n for _ in range(n)]
    for i in range(n):
        grid[0][i] = grid[n - 1][i] = grid[i][0] = grid[i][n - 1] = '#'
    half = n // 2
    for y in range(2, n - 2):
        for x in range(2, half):
            if x % 2 == 0:
                grid[y][x] = '#'
    for y in range(2, half):
        if y % 2 == 0:
            for x in range(half + 1, n - 2):
                grid[y][x] = '#'
    for y in range(half + 1, n - 2):
        for x in range(half + 1, n - 2):
            u, v = x - half - 1, y - half - 1
            size = n - 3 - half - 1
            if shape == 'square' or (shape == 'cross' and (u == v or u + v == size - 1)) or \
               (shape == 'bar' and v >= size // 2) or (shape == 'column' and u < size // 2):
                grid[y][x] = '#'
    return [''.join(r) for r in grid]


def bands(rows, n=16):
    """An n x n picture of horizontal bands, one per character."""
    out = []
    for i, ch in enumerate(rows):
        out += [ch * n] * (n // len(rows))
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {}
    # Several sizes and depths, each picture different so the chosen entry
    # shows; a 4-bit and an 8-bit entry share 32 x 32, the 8-bit one later.
    sized = [
        (16, 16, 4, dib_entry(entry_picture(16, 'square'), 4)),
        (32, 32, 4, dib_entry(entry_picture(32, 'bar'), 4)),
        (32, 32, 8, dib_entry(entry_picture(32, 'cross'), 8)),
        (48, 48, 24, dib_entry(entry_picture(48, 'column'), 24)),
    ]
    files['sizes-ascending.ico'] = icon_file(sized)
    files['sizes-descending.ico'] = icon_file(list(reversed(sized)))
    # One entry per kind, each over a half-white background.
    files['mask-1bit.ico'] = icon_file([(16, 16, 1, dib_entry(bands('#. ~'), 1))])
    files['mask-4bit.ico'] = icon_file([(16, 16, 4, dib_entry(bands('#.ry ~dg'), 4))])
    files['mask-8bit.ico'] = icon_file([(16, 16, 8, dib_entry(bands('#.ry ~dg'), 8))])
    files['mask-24bit.ico'] = icon_file([(16, 16, 24, dib_entry(bands('#.ry ~dg'), 24))])
    # Alpha decides; the AND mask says opaque everywhere and must be ignored.
    files['mask-32bit-alpha.ico'] = icon_file(
        [(16, 16, 32, dib_entry(bands('#. ~HLBb'), 32, alpha=True, mask_from_alpha=False))])
    # All alpha bytes zero: the AND mask decides, as for the older depths.
    files['mask-32bit-noalpha.ico'] = icon_file([(16, 16, 32, dib_entry(bands('#.ry ~dg'), 32))])
    files['mask-png.ico'] = icon_file([(16, 16, 32, png_entry(bands('#. ~HLBb')))])
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
