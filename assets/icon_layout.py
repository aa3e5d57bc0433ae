"""The icon layout as the program declares it, and the order of the files."""

import os
import re
import sys

LAYOUT_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "screens", "IconLayout.h")


def read_layout(path=LAYOUT_HEADER):
    """The program's own icon layout table: height, sets, widths, states.

    The icons are drawn at the exact size the status page shows them, so
    nothing gets blurred by scaling; the sizes come from the one table the
    program uses instead of a copy here.
    """
    with open(path, encoding="utf-8") as f:
        text = f.read()
    height = re.search(r"kIconHeight = (\d+);", text)
    states = re.search(r"kIndicatorStates = \{([\d, ]+)\};", text)
    place = r"\{(\d+), (\d+)\}"
    rows = re.findall(r'\{"(\w+)", (?:true|false), \{\{' + ", ".join([place] * 4) + r"\}\}\}", text)
    if not height or not states or len(rows) != 5:
        sys.exit("%s: the icon layout table is not in the expected form" % path)
    counts = [int(n) for n in states.group(1).split(",")]
    widths = {row[0]: tuple(int(w) for w in row[2::2]) for row in rows}
    return int(height.group(1)), [row[0] for row in rows], widths, {i + 1: n for i, n in enumerate(counts)}


HEIGHT, SETS, WIDTHS, STATE_COUNT = read_layout()

# The simulator stand-in feeds gear into indicator 1 and flaps into 2 for
# these sets; f4u and zero get them the other way round.
GEAR_FIRST = {"seafire": True, "me109": True, "f4u": False, "zero": False, "yak1": True}


def icon_names():
    """(set, indicator, state) for all 55 files, in a fixed order."""
    for name in SETS:
        for ind in (1, 2, 3, 4):
            for state in range(STATE_COUNT[ind]):
                yield name, ind, state
