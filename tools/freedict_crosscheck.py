#!/usr/bin/python3
"""How many of the dictionary's headwords occur in Debian's English-Hindi FreeDict dictionary.

Usage: freedict_crosscheck.py [--dict PATH] [--missing]

Reads the dictd file of the package dict-freedict-eng-hin, collects every Devanagari word of
its entries (NFC) and counts the headwords of data/dictionary/*.tsv found among them,
exactly and also allowing the common spelling without nukta or with anusvara for
chandrabindu. --missing lists the headwords not found.
"""
import argparse
import gzip
import os
import re
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "data"))
import dictionary_lines as dl  # noqa: E402

DEFAULT = "/usr/share/dictd/freedict-eng-hin.dict.dz"
WORD_RE = re.compile(r"[\u0900-\u0963\u0971-\u097f\u200c\u200d]+")


def variant(word):
    """The word as it is often written: no nukta, anusvara for chandrabindu."""
    return word.replace("\u093c", "").replace("\u0901", "\u0902")


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--dict", default=DEFAULT)
    ap.add_argument("--missing", action="store_true")
    args = ap.parse_args(argv)
    try:
        with gzip.open(args.dict, "rb") as f:
            text = f.read().decode("utf-8", errors="replace")
    except OSError as e:
        print("cannot read %s: %s (package dict-freedict-eng-hin)" % (args.dict, e))
        return 1
    words = {unicodedata.normalize("NFC", w) for w in WORD_RE.findall(text)}
    variants = {variant(w) for w in words}
    heads = [e.headword for e in dl.read_sources(dl.source_files())]
    exact = [h for h in heads if h in words]
    loose = [h for h in heads if h in words or variant(h) in variants]
    n = len(heads)
    print("%d headwords; %d (%.1f %%) occur in FreeDict eng-hin exactly, %d (%.1f %%) "
          "allowing the spelling without nukta or chandrabindu; FreeDict has %d distinct "
          "Hindi words" % (n, len(exact), 100.0 * len(exact) / n, len(loose),
                           100.0 * len(loose) / n, len(words)))
    if args.missing:
        print(" ".join(h for h in heads if h not in loose))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
