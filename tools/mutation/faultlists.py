"""The two hand-kept lists beside the mutation script, both in blocks of
three lines: 'file: text', '- a line or piece of it', '+ what it becomes'.

faults.txt: hand-written faults (the text says what the fault breaks; the
'-' piece occurs exactly once in the file). A sample's survivors file has
the same form, with the line number after the file ('file:LINE: kind') and
the whole line as the piece. In equivalent.txt a line that stands in its
file more than once alike is named by its place among them: 'file#2'. equivalent.txt: survivors of
random samples judged equivalent (the text says why no behaviour can tell
them apart; the '-' and '+' lines are the whole line before and after, as
the sample prints them, without the leading and trailing spaces).
"""

import sys


def _blocks(path):
    lines = path.read_text().splitlines() if path.exists() else []
    blocks, i = [], 0
    while i < len(lines):
        line = lines[i]
        if not line.strip() or line.startswith("#"):
            i += 1
            continue
        if i + 2 >= len(lines):
            sys.exit(f"{path.name}:{i + 1}: a block needs three lines")
        head, old, new = line, lines[i + 1], lines[i + 2]
        if ": " not in head or not old.startswith("- ") or not (new.startswith("+ ") or new == "+"):
            sys.exit(f"{path.name}:{i + 1}: expected 'file: text', '- old', '+ new'")
        file, text = head.split(": ", 1)
        blocks.append((file, text, old[2:], new[2:]))
        i += 3
    return blocks


def read_faults(path):
    """A survivors file names the line too ('file:LINE: kind')."""
    faults = []
    for file, text, old, new in _blocks(path):
        name, _, line = file.partition(":")
        faults.append({"file": name, "line": int(line) if line.isdigit() else 0,
                       "what": text, "old": old, "new": new})
    return faults


def read_equivalents(path):
    """(file, line before, line after) -> the reason it is equivalent."""
    return {(f, o.strip(), n.strip()): t for f, t, o, n in _blocks(path)}
