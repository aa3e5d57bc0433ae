#!/usr/bin/env python3
"""Draw the aircraft status icon sets and write them as Windows .ico files.

    python3 assets/make_icons.py                     write assets/images/<set>/<n>_<m>.ico
    python3 assets/make_icons.py --check             only read the files back and compare
    python3 assets/make_icons.py --preview out.png   all 55 icons, scaled up, in one PNG

Standard library only, and deterministic: the same script always writes the
same bytes, so regenerated files only show up in git when a picture changed.
"""

import argparse
import os
import sys

from icon_files import ico_bytes, parse_ico, write_png
from icon_layout import HEIGHT, SETS, STATE_COUNT, WIDTHS, icon_names
from icon_styles import draw_icon


def icon_path(root, name, ind, state):
    return os.path.join(root, "images", name, "%d_%d.ico" % (ind, state))


def write_all(root):
    for name, ind, state in icon_names():
        path = icon_path(root, name, ind, state)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(ico_bytes(draw_icon(name, ind, state)))


def check_all(root):
    problems = []
    for name, ind, state in icon_names():
        path = icon_path(root, name, ind, state)
        try:
            with open(path, "rb") as f:
                w, h, lit = parse_ico(f.read())
        except (OSError, ValueError) as e:
            problems.append("%s: %s" % (path, e))
            continue
        cv = draw_icon(name, ind, state)
        if (w, h) != (WIDTHS[name][ind - 1], HEIGHT):
            problems.append("%s: size %dx%d" % (path, w, h))
        elif [list(r) for r in cv.px] != lit:
            problems.append("%s: pixels differ from the drawing" % path)
        elif not any(any(r) for r in lit):
            problems.append("%s: empty picture" % path)
    # States of one indicator must differ, or the display could not tell them apart.
    for name in SETS:
        for ind in (1, 2, 3, 4):
            pics = [bytes(b"".join(draw_icon(name, ind, s).px)) for s in range(STATE_COUNT[ind])]
            if len(set(pics)) != len(pics):
                problems.append("%s indicator %d: two states look the same" % (name, ind))
    return problems


# ---------------------------------------------------------------- preview PNG

# 3x5 glyphs for the labels, one string of 15 bits per character.
FONT = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "9": "111101111001111", "_": "000000000000111",
    "a": "000111101101111", "e": "000111111100111", "f": "011100110100100", "i": "010000010010010",
    "k": "100101110101101", "m": "000111111101101", "o": "000111101101111", "r": "000111100100100",
    "s": "000111110011111", "u": "000101101101111", "y": "101101111001111", "z": "000111011110111",
}


def preview(path, scale=4):
    """All icons, one set per row in file order, lit pixels white on dark grey.

    The icon's own box is a slightly lighter grey so its width stays visible.
    """
    gap, label_h, margin, name_w = 6 * scale, 14, 10, 70
    row_h = HEIGHT * scale + label_h + 12
    row_w = [sum(WIDTHS[n][i - 1] for n2, i, s in icon_names() if n2 == n) * scale + 10 * gap for n in SETS]
    W = margin * 2 + name_w + max(row_w)
    H = margin * 2 + row_h * len(SETS)
    page, boxc, litc, textc = (40, 40, 40), (62, 62, 62), (255, 255, 255), (170, 170, 170)
    img = [[page] * W for _ in range(H)]

    def text(x, y, s, k=2):
        for ch in s:
            bits = FONT.get(ch, "0" * 15)
            for i, b in enumerate(bits):
                if b == "1":
                    for dy in range(k):
                        for dx in range(k):
                            img[y + (i // 3) * k + dy][x + (i % 3) * k + dx] = textc
            x += 4 * k

    for r, name in enumerate(SETS):
        y = margin + r * row_h
        text(margin, y + label_h + HEIGHT * scale // 2 - 5, name)
        x = margin + name_w
        for n2, ind, state in icon_names():
            if n2 != name:
                continue
            cv = draw_icon(name, ind, state)
            text(x, y, "%d_%d" % (ind, state))
            for py in range(cv.h):
                for px in range(cv.w):
                    c = litc if cv.px[py][px] else boxc
                    for dy in range(scale):
                        row = img[y + label_h + py * scale + dy]
                        for dx in range(scale):
                            row[x + px * scale + dx] = c
            x += cv.w * scale + gap
    write_png(path, W, H, [b"".join(bytes(c) for c in row) for row in img])


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--preview", metavar="PNG", help="write a scaled-up sheet of all icons instead of the files")
    ap.add_argument("--scale", type=int, default=4, help="preview magnification (default 4)")
    ap.add_argument("--check", action="store_true", help="do not write; read the files back and compare with the drawings")
    ap.add_argument("--root", default=os.path.dirname(os.path.abspath(__file__)), help="folder holding images/")
    args = ap.parse_args(argv)
    if args.preview:
        preview(args.preview, args.scale)
        return 0
    if not args.check:
        write_all(args.root)
    # Always read back: a writer bug should fail here, not on the display.
    problems = check_all(args.root)
    for p in problems:
        print(p, file=sys.stderr)
    if args.check and not problems:
        print("all %d icon files match the drawings" % len(list(icon_names())))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
