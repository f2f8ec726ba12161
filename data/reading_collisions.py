#!/usr/bin/python3
"""How often a search finds a line only because the query sits inside its reading.

Usage: reading_collisions.py DICTIONA.DAT [--sample N] [--seed S] [--mode 0-3]
                             [--limit PERCENT] [--show K]

Draws N headwords (Hindi-code queries) and N Russian words of three letters or more from the
entries (Russian queries),
and searches each as the program does (expected_hits.search: the first 100 positions under
the match mode, default 0, anywhere), once as the whole word and once as its first three
bytes. A line found counts as a collision when every position of the query in that line lies
inside the reading's parentheses. Prints, for each of the four query sets, the lines found,
the collisions and their share; with --limit the exit status is 1 when a share exceeds it.
The Russian words of one or two letters are searched too, all of them, and only reported.
"""
import argparse
import random
import re
import sys
import os

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import expected_hits  # noqa: E402

RUSSIAN_WORD = re.compile(rb"[\xc0-\xff\xa8\xb8]+")


def entries(data):
    """(headword codes, reading span, Russian words) of each line of the dictionary."""
    out = []
    for line in data.replace(b"\r\n", b"\n").split(b"\n"):
        if not line:
            continue
        head = line.split(b" ", 1)[0]
        start = line.find(b" (")
        end = line.find(b")", start)
        rest = line[end + 1:] if start > 0 else line[len(head):]
        out.append((head, RUSSIAN_WORD.findall(rest)))
    return out


def accepted(line, query, mode, start):
    """True when the query is found at offset start of the line under the mode."""
    if line[start:start + len(query)] != query:
        return False
    left = line[start - 1] if start > 0 else 0x0A
    right = line[start + len(query)] if start + len(query) < len(line) else 0x0A
    delim = expected_hits.DELIMITERS
    return (mode == 0 or (mode == 1 and left in delim) or (mode == 2 and right in delim)
            or (mode == 3 and left in delim and right in delim))


def inside_reading_only(line, query, mode):
    """True when every accepted position of the query in the line lies in the reading."""
    start = line.find(b" (")
    end = line.find(b")", start) if start >= 0 else -1
    hits = [k for k in range(len(line)) if accepted(line, query, mode, k)]
    return bool(hits) and start >= 0 and all(
        start + 1 <= k and k + len(query) - 1 <= end for k in hits)


def measure(data, queries, mode):
    """(lines found, collisions, examples) over all queries."""
    found_total, hit_total, examples = 0, 0, []
    for q in queries:
        found, lines = expected_hits.search(data, q, mode)
        for no in sorted(set(found)):
            found_total += 1
            if inside_reading_only(lines[no], q, mode):
                hit_total += 1
                examples.append((q, lines[no]))
    return found_total, hit_total, examples


def query_sets(data, sample, seed):
    rng = random.Random(seed)
    ents = entries(data)
    heads = rng.sample([h for h, _ in ents], min(sample, len(ents)))
    # Russian words of three letters or more, so that their first three letters are a
    # beginning; the short words (у, к, на, ли) are measured apart, all of them, and not
    # limited: a syllable of any Cyrillic reading can be such a word.
    words = sorted({w for _, ws in ents for w in ws if len(w) >= 3})
    russian = rng.sample(words, min(sample, len(words)))
    short = sorted({w for _, ws in ents for w in ws if len(w) < 3})
    return {"Hindi, whole word": heads, "Hindi, first three codes": [h[:3] for h in heads],
            "Russian, whole word": russian, "Russian, first three letters": [w[:3] for w in russian],
            SHORT: short}


SHORT = "Russian words of 1-2 letters"


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("dictionary")
    ap.add_argument("--sample", type=int, default=1000)
    ap.add_argument("--seed", type=int, default=16)
    ap.add_argument("--mode", type=int, default=0, choices=range(4))
    ap.add_argument("--limit", type=float, help="highest share allowed, in percent")
    ap.add_argument("--show", type=int, default=0, help="print this many collisions a set")
    args = ap.parse_args(argv)
    with open(args.dictionary, "rb") as f:
        data = f.read()
    status = 0
    for name, queries in query_sets(data, args.sample, args.seed).items():
        found, hits, examples = measure(data, queries, args.mode)
        share = 100.0 * hits / found if found else 0.0
        print("%-30s %4d queries %6d lines found %5d only in the reading %5.2f %%"
              % (name, len(queries), found, hits, share))
        for q, line in examples[:args.show]:
            print("    %r in %s" % (q, expected_hits.dl.hindi_codec.decode_line(line)))
        if args.limit is not None and share > args.limit and name != SHORT:
            print("  %s: %.2f %% is above %.2f %%" % (name, share, args.limit))
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
