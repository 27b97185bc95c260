#!/usr/bin/env python3
"""Makes an evaluation set for the sign finder from a Quabe dictionary.

For a fixed random sample of dictionary entries (and a further sample of
entries that contain a double straight arrow) it writes single-sign SWML
files that a hand could have drawn for the entry, and the sample list file
that `quabe-cli evaluate` reads:

    OUT/samples.txt            one line per entry: "ID SLUG ID"
    OUT/ID_SLUG/NAME.swml      the samples of the entry

(The list names the directory "ID"; the evaluation falls back to "ID_SLUG".)

Each sample moves every symbol by a few points and draws the symbols in
another order ("moved"); on top of that one sample per entry changes one
hand to a neighbouring fill or rotation ("fill", "rotation"), entries with
an arrow get a sample with one arrow turned by 45 degrees ("turned"), and
entries with a double straight arrow get a sample that draws it as two
parallel single arrows ("arrow").

Usage: make_finder_samples.py --dict DICT.db --out DIR [--entries N] [--seed S]
Only the Python standard library is used.
"""

import argparse
import os
import random
import re
import sqlite3
import sys


def parse_code(text):
    parts = text.split("-")
    if len(parts) < 6:
        return None
    try:
        return [int(p) for p in parts[:6]]
    except ValueError:
        return None


def code_text(fields):
    return "%02d-%02d-%03d-%02d-%02d-%02d" % tuple(fields)


def slug(gloss):
    s = re.sub(r"[^A-Za-z0-9]+", "-", gloss or "").strip("-")
    return (s or "sign")[:40]


def load_entries(db_path):
    con = sqlite3.connect(db_path)
    ids = [row[0] for row in con.execute(
        "SELECT SignID FROM Signs WHERE (StdGloss IS NULL OR StdGloss='') AND SignID > 0 ORDER BY SignID")]
    glosses = dict(con.execute("SELECT SignID, Gloss FROM Signs"))
    spelling = {}
    for sign_id, sss, x, y in con.execute("SELECT SignID, SSS, pos_x, pos_y FROM Spelling ORDER BY SignID, SubID"):
        code = parse_code(sss or "")
        if code is None:
            continue
        spelling.setdefault(sign_id, []).append([code, int(x or 0), int(y or 0)])
    con.close()
    return [(i, glosses.get(i) or "", spelling[i]) for i in ids if i in spelling]


def is_hand(code):
    return code[0] == 1


def is_double_arrow(code):
    # Two parallel straight arrows in one symbol (wall or floor plane).
    return code[0] == 2 and code[1] in (3, 5) and code[2] == 2 and code[3] == 1 and code[4] < 4 and 1 <= code[5] <= 8


def is_bare_face(symbols):
    if len(symbols) != 1:
        return False
    c = symbols[0][0]
    return c[0] == 4 and c[1] == 2 and c[2] == 1 and c[3] in (1, 3) and c[4] == 1


def jitter(rng, symbols, amount):
    out = [[list(c), x + rng.randint(-amount, amount), y + rng.randint(-amount, amount)] for c, x, y in symbols]
    rng.shuffle(out)
    return out


def neighbouring_hand(rng, symbols):
    """One hand drawn with the next or previous fill, or turned by 45 degrees."""
    hands = [s for s in symbols if is_hand(s[0])]
    if not hands:
        return None
    code = rng.choice(hands)[0]
    if rng.random() < 0.5:
        fills = [f for f in (code[4] - 1, code[4] + 1) if 1 <= f <= 6]
        code[4] = rng.choice(fills)
        return "fill"
    r = code[5]
    base = 9 if r > 8 else 1
    step = rng.choice((-1, 1))
    code[5] = base + (r - base + step) % 8
    return "rotation"


def turned_arrow(rng, symbols):
    """One movement arrow turned by 45 degrees."""
    arrows = [s for s in symbols if s[0][0] == 2 and 3 <= s[0][1] <= 10 and 1 <= s[0][5] <= 16]
    if not arrows:
        return False
    code = rng.choice(arrows)[0]
    r = code[5]
    base = 9 if r > 8 else 1
    code[5] = base + (r - base + rng.choice((-1, 1))) % 8
    return True


def split_arrow(rng, symbols):
    """A double straight arrow drawn as two parallel single arrows."""
    doubles = [i for i, s in enumerate(symbols) if is_double_arrow(s[0])]
    if not doubles:
        return False
    i = rng.choice(doubles)
    code, x, y = symbols[i]
    single = [code[0], code[1], 1, 1, code[4], code[5]]
    axis = (code[5] - 1) % 4  # 0 vertical, 2 horizontal, 1 and 3 diagonal
    gap = rng.randint(8, 14)
    dx, dy = {0: (gap, 0), 2: (0, gap), 1: (gap, gap), 3: (gap, -gap)}[axis]
    symbols[i:i + 1] = [[list(single), x, y], [list(single), x + dx, y + dy]]
    return True


def swml(symbols, gloss):
    lines = [
        '<?xml version="1.0" encoding="utf-8"?>',
        '<!DOCTYPE swml SYSTEM "http://www.signwriting.org/swml/swml-s.dtd">',
        '<swml dialect="S" version="1.1" lang="sgn" glosslang="" ',
        '  signboxWidth="150" signboxHeight="150" writingDirection="horizontal" lineSpace="20" signSpace="10">',
        '  <sign lane="0">',
        '    <gloss>%s</gloss>' % (gloss.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;") or "sample"),
    ]
    for code, x, y in symbols:
        lines.append('      <symbol x="%d" y="%d">%s</symbol>' % (x, y, code_text(code)))
    lines += ['  </sign>', '</swml>', '']
    return "\n".join(lines)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--dict", required=True, help="the dictionary file (SQLite)")
    ap.add_argument("--out", required=True, help="directory to write the samples into")
    ap.add_argument("--entries", type=int, default=300, help="number of entries to sample (default 300)")
    ap.add_argument("--seed", type=int, default=2010, help="random seed (default 2010)")
    ap.add_argument("--arrow-entries", type=int, default=60,
                    help="further entries sampled among those with a double arrow (default 60)")
    ap.add_argument("--shift", type=int, default=4, help="largest shift of a symbol in points (default 4)")
    args = ap.parse_args()

    entries = [e for e in load_entries(args.dict) if not is_bare_face(e[2])]
    if not entries:
        print("no usable entries in %s" % args.dict, file=sys.stderr)
        return 1
    rng = random.Random(args.seed)
    chosen = rng.sample(entries, min(args.entries, len(entries)))
    taken = set(e[0] for e in chosen)
    with_double_arrow = [e for e in entries if e[0] not in taken and any(is_double_arrow(s[0]) for s in e[2])]
    chosen += rng.sample(with_double_arrow, min(args.arrow_entries, len(with_double_arrow)))
    chosen.sort(key=lambda e: e[0])

    os.makedirs(args.out, exist_ok=True)
    list_lines = []
    counts = {"moved": 0, "fill": 0, "rotation": 0, "arrow": 0, "turned": 0}
    for sign_id, gloss, symbols in chosen:
        name = slug(gloss)
        directory = os.path.join(args.out, "%d_%s" % (sign_id, name))
        os.makedirs(directory, exist_ok=True)
        samples = [("moved", jitter(rng, symbols, args.shift))]
        variant = jitter(rng, symbols, args.shift)
        kind = neighbouring_hand(rng, variant)
        if kind:
            samples.append((kind, variant))
        split = jitter(rng, symbols, args.shift)
        if split_arrow(rng, split):
            samples.append(("arrow", split))
        turned = jitter(rng, symbols, args.shift)
        if turned_arrow(rng, turned):
            samples.append(("turned", turned))
        for kind, sample in samples:
            counts[kind] += 1
            with open(os.path.join(directory, "%s.swml" % kind), "w", encoding="utf-8") as f:
                f.write(swml(sample, gloss))
        list_lines.append("%d %s %d" % (sign_id, name, sign_id))
    with open(os.path.join(args.out, "samples.txt"), "w", encoding="utf-8") as f:
        f.write("\n".join(list_lines) + "\n")
    print("%d entries, samples: %s" % (len(chosen), ", ".join("%s %d" % kv for kv in counts.items())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
