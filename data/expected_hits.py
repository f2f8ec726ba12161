#!/usr/bin/python3
"""What a search of the built dictionary finds: the lines the program must list for a query.

Usage: expected_hits.py DICTIONA.DAT [--mode 0-3] [--check] [WORD ...]
       (default: the everyday words of everyday_words.tsv beside this script)

Reads the file as the program does (CR LF as LF, 0x1A ends it), finds the query's bytes
(Hindi in display codes, Russian in Windows-1251) under the match mode (0 anywhere,
1 at a word's start, 2 at a word's end, 3 whole word; word boundaries are the bytes
;,.[]()! ?" and LF), keeps the first 100 positions and prints the headwords of the lines
that hold them, in file order. With --check (everyday words only) the exit status is 1
when a word's result lacks the headword everyday_words.tsv expects.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dictionary_lines as dl  # noqa: E402

DELIMITERS = set(b';,.[]()! ?"\n')
MAX_MATCHES = 100


def query_bytes(word):
    return dl.hindi_codec.encode_line(word)


def search(data, query, mode):
    """Line numbers (with repeats, one per accepted position) of the first 100 matches."""
    text = data.replace(b"\r\n", b"\n")
    end = text.find(b"\x1a")
    if end >= 0:
        text = text[:end]
    found, n = [], len(query)
    last = len(text) - n            # a match ending with the last byte is not seen
    pos = text.find(query, 0, len(text) - 1) if n else 0
    while 0 <= pos < last:
        left = text[pos - 1] if pos > 0 else 0
        right = text[pos + n]
        ok = (mode == 0 or (mode == 1 and left in DELIMITERS)
              or (mode == 2 and right in DELIMITERS)
              or (mode == 3 and left in DELIMITERS and right in DELIMITERS))
        if ok:
            found.append(text.count(b"\n", 0, pos + n))
            if len(found) == MAX_MATCHES:
                break
        pos = text.find(query, pos + 1, len(text) - 1) if n else pos + 1
    return found, text.split(b"\n")


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("dictionary")
    ap.add_argument("--mode", type=int, default=3, choices=range(4))
    ap.add_argument("--check", action="store_true")
    ap.add_argument("words", nargs="*")
    args = ap.parse_args(argv)
    words, expected = args.words, {}
    if not words:
        with open(os.path.join(dl.HERE, "everyday_words.tsv"), encoding="utf-8") as f:
            for line in f:
                if line.strip() and not line.startswith("#"):
                    word, head = line.rstrip("\n").split("\t")
                    words.append(word)
                    expected[word] = head
    status = 0
    with open(args.dictionary, "rb") as f:
        data = f.read()
    for w in words:
        found, lines = search(data, query_bytes(w), args.mode)
        heads = []
        for no in sorted(set(found)):
            h = dl.hindi_codec.from_codes(lines[no].split(b" ")[0])
            heads.append(h)
        print("%s\t%d\t%s" % (w, len(found), " ".join(heads)))
        if args.check and expected.get(w, heads[0] if heads else None) not in heads:
            print("  %s: the result lacks %s" % (w, expected.get(w, "any line")))
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
