"""Where a single-line fault can be planted in C++ source, and what it becomes.

A site is one place on one line: a comparison, a `&&` or `||`, a `!`, an
integer constant, a returned value, a `break` or `continue`, a whole
single-statement line (a call, an assignment, an increment) or a call with
two plain arguments of the same kind. Comments, strings, character
literals, preprocessor lines and code only the Windows build compiles are
never sites. Each site offers one or more mutations; the caller picks one.
"""

import re
from dataclasses import dataclass, field


@dataclass
class Site:
    file: str
    line: int  # counted from 1
    kind: str
    start: int  # column span of the original text on the line
    end: int
    options: list = field(default_factory=list)  # replacement texts for [start, end)


def mask(text):
    """The text with comments blanked and literals' insides turned to '_',
    the same length and the same line breaks, so columns stay true."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out[i:j] = " " * (j - i)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out[i:j] = [ch if ch == "\n" else " " for ch in text[i:j]]
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not _word(text[i - 1])):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2:open_paren]
            j = text.find(")" + delimiter + '"', open_paren)
            j = n if j < 0 else j + len(delimiter) + 2
            out[i + 1:j - 1] = [ch if ch == "\n" else "_" for ch in text[i + 1:j - 1]]
            i = j
        elif c in "\"'" and not (c == "'" and i > 0 and _number_before(text, i)):
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out[i + 1:j] = "_" * (j - i - 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def _word(ch):
    return ch.isalnum() or ch == "_"


def _number_before(text, i):
    """Whether the quote at i is a digit separator (1'000)."""
    j = i - 1
    while j >= 0 and (_word(text[j]) or text[j] == "'"):
        j -= 1
    return text[j + 1].isdigit()


def linux_lines(masked_lines):
    """For each line, whether the Linux build compiles it: preprocessor lines
    and the branches only another system selects (or #if 0) are left out."""
    keep, stack = [], []  # stack of: True (Linux side), False (Windows side), None (either)
    continued = False
    for raw in masked_lines:
        line = raw.strip()
        directive = continued or line.startswith("#")
        continued = directive and line.endswith("\\")
        if directive and line.startswith("#"):
            word = line[1:].strip().split(maxsplit=1)
            word, rest = (word[0], word[1] if len(word) > 1 else "") if word else ("", "")
            if word in ("if", "ifdef", "ifndef"):
                stack.append(_linux_side(word, rest))
            elif word == "elif" and stack:
                stack[-1] = _linux_side("if", rest)
            elif word == "else" and stack:
                stack[-1] = None if stack[-1] is None else not stack[-1]
            elif word == "endif" and stack:
                stack.pop()
        keep.append(not directive and all(side is not False for side in stack))
    return keep


ELSEWHERE = ("_WIN32", "__i386__")  # macros the 64-bit Linux build never defines


def _linux_side(word, condition):
    condition = condition.replace(" ", "")
    if condition == "0":
        return False
    name = next((m for m in ELSEWHERE if m in condition), None)
    if name is None:
        return None
    return word == "ifndef" or f"!defined({name})" in condition or f"!{name}" in condition


COMPARISON = re.compile(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)")
LOGIC = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
NOT = re.compile(r"!(?=[\w(*])")
INTEGER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F']+|\d[\d']*)([uUlL]*)(?![\w.'])")
RETURN = re.compile(r"\breturn\s+([^;]+);\s*$")
JUMP = re.compile(r"^\s*(break|continue);\s*$")
LVALUE = r"[\w.\[\]]+(?:(?:->|::|\.)[\w\[\]]+)*"
STATEMENT = re.compile(
    r"^\s*(?:(?:\+\+|--)" + LVALUE + r"|" + LVALUE + r"(?:\+\+|--)|"
    r"\*?" + LVALUE + r"\s*(?:[-+*/%|&^]|<<|>>)?=\s*[^=].*|"
    + LVALUE + r"(?:<[\w:, ]*>)?\(.*\))\s*;\s*$")
CALL = re.compile(r"\b[A-Za-z_]\w*\s*\(")
KEYWORDS = {"return", "if", "while", "for", "switch", "case", "delete", "throw", "sizeof",
            "static_assert", "alignof", "decltype", "new", "else", "do", "using", "typedef",
            "template", "explicit", "operator", "co_return", "co_await", "goto"}
FLIPS = {"==": ["!="], "!=": ["=="], "<": ["<=", ">="], "<=": ["<", ">"],
         ">": [">=", "<="], ">=": [">", "<"]}


def find_sites(path, text):
    """Every site of one file's text, in line order."""
    masked, lines = mask(text).split("\n"), text.split("\n")
    sites = []
    for number, (code, keep) in enumerate(zip(masked, linux_lines(masked)), 1):
        if keep and code.strip() and not re.match(r"\s*(static_assert|template|using|namespace)\b", code):
            sites.extend(_line_sites(path, number, code, lines[number - 1]))
    return sites


def _line_sites(path, number, code, original):
    """Sites are found in the masked code; texts that carry parts of the line
    into the replacement take them from the original."""
    found = []

    def add(kind, start, end, options):
        found.append(Site(path, number, kind, start, end, options))

    for m in COMPARISON.finditer(code):
        add("comparison", m.start(), m.end(), FLIPS[m.group(1)])
    for m in LOGIC.finditer(code):
        add("logic", m.start(), m.end(), ["||" if m.group(1) == "&&" else "&&"])
    for m in NOT.finditer(code):
        if not code[:m.start()].rstrip().endswith("operator"):
            add("negation", m.start(), m.end(), [""])
    for m in re.finditer(r"\b(if|while) \((.*)\)( \{| [^{;]*;)?\s*$", code):
        inner = m.group(2)
        if _balanced(inner) and not inner.startswith(("const ", "auto ")):
            add("condition", m.start(2), m.end(2), [f"!({original[m.start(2):m.end(2)]})"])
    for m in INTEGER.finditer(code):
        if code[:m.start()].rstrip().endswith(("<", "[")) and code.lstrip().startswith(("std::", "constexpr")):
            continue  # sizes of arrays and templates: a build error, not a fault
        if re.search(r"\)( const)?( override)? = $", code[:m.start()]):
            continue  # "= 0" of a pure virtual function
        value = int(m.group(1).replace("'", ""), 0)
        digits = m.group(1).startswith(("0x", "0X"))
        texts = [_number(value + 1, digits)] + ([_number(value - 1, digits)] if value > 0 else [])
        add("constant", m.start(1), m.end(1), texts)
    m = RETURN.search(code)
    if m and _balanced(m.group(1)):
        value = m.group(1).strip()
        swap = {"true": "false", "false": "true"}.get(value)
        if swap or not (INTEGER.fullmatch(value) or value in ("{}", "nullptr", "std::nullopt")):
            add("return", m.start(1), m.start(1) + len(m.group(1)), [swap or "{}"])
    m = JUMP.match(code)
    if m:
        add("jump", m.start(1), m.end(1) + 1, [";"])
    m = STATEMENT.match(code)
    first = code.split("(")[0].strip().split()
    if m and first and first[0] not in KEYWORDS and _balanced(code):
        start = len(code) - len(code.lstrip())
        add("statement", start, len(code.rstrip()), [";"])
    for m in CALL.finditer(code):
        if m.group(0).split("(")[0].strip() not in KEYWORDS:
            spans = _argument_spans(code, m.end())
            pair = spans and _plain_pair(code, spans)
            if pair:
                (a, b), (c, d) = pair
                add("arguments", a, d, [original[c:d] + original[b:c] + original[a:b]])
    return found


def _number(value, hexadecimal):
    return hex(value) if hexadecimal else str(value)


def _balanced(text):
    depth = 0
    for ch in text:
        depth += {"(": 1, ")": -1}.get(ch, 0)
        if depth < 0:
            return False
    return depth == 0


SIMPLE = [re.compile(r"[A-Za-z_][\w.]*(?:->\w+)*"), re.compile(r"-?\d[\d.']*[fFuUlL]*"),
          re.compile(r'"_*"')]


def _argument_spans(code, open_end):
    """The column spans of a call's arguments, without their spaces, or None
    when the list does not close on this line."""
    depth, spans, begin = 0, [], open_end
    for i in range(open_end, len(code)):
        ch = code[i]
        if ch in "([{":
            depth += 1
        elif ch in ")]}" and depth > 0:
            depth -= 1
        elif (ch == "," or ch in ")]}") and depth == 0:
            text = code[begin:i]
            lead = len(text) - len(text.lstrip())
            spans.append((begin + lead, begin + len(text.rstrip())))
            if ch != ",":
                return spans
            begin = i + 1
    return None


def _plain_pair(code, spans):
    """The first two adjacent arguments that differ and are of one plain kind
    (names, numbers or strings)."""
    for (a, b), (c, d) in zip(spans, spans[1:]):
        x, y = code[a:b], code[c:d]
        if x != y and any(s.fullmatch(x) and s.fullmatch(y) for s in SIMPLE):
            return (a, b), (c, d)
    return None


def apply(line, site, option):
    """The line with one of the site's mutations."""
    return line[:site.start] + site.options[option] + line[site.end:]
